// Space data out of the drawing: the CSV file beside the drawing, byte for
// byte, the program it is opened with, and the block listing in both orders.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "SpaceDrawings.h"
#include "TestSupport.h"

using namespace spatiary_test;
namespace fs = std::filesystem;

namespace {

// Records where it was started and each argument it was given.
const char* kOpener = "#!/bin/sh\n{ pwd; for argument in \"$@\"; do echo \"[$argument]\"; done; } >> \"$0.log\"\n";

class SpaceExport : public SpaceCommandTest {
 protected:
  SpaceExport() { drawing = (scratch / "plan.dxf").string(); }

  void useOpener(const std::string& opener, int precision = 2) { usePreferences(0, precision, opener); }

  std::string makeOpener() {
    const fs::path opener = scratch / "opener.sh";
    writeFile(opener, kOpener);
    fs::permissions(opener, fs::perms::owner_all);
    return opener.string();
  }

  // The opener is not waited for; its record may come a moment later.
  static std::string openerRecord(const std::string& opener, int starts) {
    std::string record;
    for (int attempt = 0; attempt < 100; ++attempt) {
      if (fs::exists(opener + ".log")) record = readFile(opener + ".log");
      if (countOccurrences(record, "\n[") >= starts) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return record;
  }

  std::string csv = (scratch / "plan.csv").string();
};

TEST_F(SpaceExport, TheCsvFileListsRoomsTotalsAndTheGrossAreaApart) {
  makeSpaceDrawing(drawing, 3, "gross");
  // A space block in other letters is listed but not exported.
  ASSERT_EQ(runPython("import sys, ezdxf\ndoc = ezdxf.readfile(sys.argv[1])\n"
                      "doc.blocks.rename_block('ROOM-2', 'Room-Two')\n"
                      "for insert in doc.modelspace().query('INSERT[name==\"ROOM-2\"]'):\n"
                      "    insert.dxf.name = 'Room-Two'\n"
                      "doc.saveas(sys.argv[1])\n",
                      {drawing})
                .exitCode,
            0);
  const auto result = run("mcsv\n", false);
  EXPECT_NE(result.output.find("Zelph Block Details"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("csv data successfully saved to file (" + csv + ")\n"), std::string::npos)
      << result.output;
  EXPECT_EQ(readFile(csv),
            "Code,Area,Units,Perimeter,Units\n"
            "Room 1,12.00,m\xB2,14.00,m\n"
            "Room 3,16.00,m\xB2,16.00,m\n"
            "Total,28.00,m\xB2,30.00,m\n"
            "\n\n"
            "GROSS AREA,100.00,m\xB2,40.00,m\n");
  EXPECT_NE(run("mlb\n\n\n", false).output.find("Room-Two,Room 2,14.00,"), std::string::npos);
}

TEST_F(SpaceExport, SquareFeetAndThePreferencePrecision) {
  makeSpaceDrawing(drawing, 2, "feet");
  useOpener("NONE", 1);
  run("mcsv\n", false);
  EXPECT_EQ(readFile(csv),
            "Code,Area,Units,Perimeter,Units\n"
            "Room 1,129.2,ft\xB2,45.9,ft\n"
            "Room 2,150.7,ft\xB2,49.2,ft\n"
            "Total,279.9,ft\xB2,95.1,ft\n\n\n");
}

TEST_F(SpaceExport, OnlyTheGrossAreaOrNoSpaceAtAll) {
  makeSpaceDrawing(drawing, 0, "gross");
  run("mcsv\n", false);
  EXPECT_EQ(readFile(csv),
            "Code,Area,Units,Perimeter,Units\nTotal,0.00,m\xB2,0.00,m\n\n\nGROSS AREA,100.00,m\xB2,40.00,m\n");
  fs::copy_file(floorDrawing(), drawing, fs::copy_options::overwrite_existing);
  run("mcsv\n", false);
  EXPECT_EQ(readFile(csv), "Code,Area,Units,Perimeter,Units\nTotal,0.00,,0.00,\n\n\n");
}

TEST_F(SpaceExport, AFileThatCannotBeWrittenEndsTheCommandQuietly) {
  makeSpaceDrawing(drawing, 2);
  fs::create_directory(csv);
  const std::string opener = makeOpener();
  useOpener(opener);
  const auto result = run("mcsv\n", false);
  EXPECT_EQ(result.output.find("csv data successfully saved"), std::string::npos) << result.output;
  EXPECT_FALSE(fs::exists(opener + ".log"));
}

TEST_F(SpaceExport, TheOpenerStartsOncePerExportWithTheQuotedFileAndNoShell) {
  drawing = (scratch / "plan $(touch hacked); 'x' & y.dxf").string();
  csv = (scratch / "plan $(touch hacked); 'x' & y.csv").string();
  makeSpaceDrawing(drawing, 2);
  const std::string opener = makeOpener();
  useOpener(opener);
  run("mcsv\nmcsv\n", false);
  const std::string record = openerRecord(opener, 2);
  const std::string once = (binDir()).string() + "\n[" + csv + "]\n";
  EXPECT_EQ(record, once + once);
  EXPECT_FALSE(fs::exists(scratch / "hacked"));
  EXPECT_FALSE(fs::exists(binDir() / "hacked"));
}

TEST_F(SpaceExport, WithoutAnOpenerTheCommandAsksForOneForThisRun) {
  makeSpaceDrawing(drawing, 1);
  const std::string opener = makeOpener();
  useOpener("");
  auto result = run("mcsv\n\n" + opener + "\n", false);
  EXPECT_EQ(countOccurrences(result.output, "Please enter the path of the application you wish to open csv files with"),
            2)
      << result.output;
  EXPECT_EQ(openerRecord(opener, 1), binDir().string() + "\n[" + csv + "]\n");
  // The answer is not kept; an input that ends unanswered starts nothing.
  result = run("mcsv\n", false);
  EXPECT_NE(result.output.find("Please enter the path"), std::string::npos);
  EXPECT_EQ(countOccurrences(readFile(opener + ".log"), "\n["), 1);
  const auto prefs = readFile(scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg");
  EXPECT_NE(prefs.find("csvOpener\n\n"), std::string::npos) << prefs;
}

// The space lines of a listing, "BLOCK,NAME,AREA,HEX,DEC,ASSETS", checked
// for matching handle numbers; their block names in order.
std::string listedBlocks(const std::string& output) {
  std::istringstream lines(output.substr(output.find("ID,Name,Area,Handle(hex),Handle(dec),Assets\n")));
  std::string line, blocks;
  std::getline(lines, line);
  while (std::getline(lines, line) && line.rfind("ROOM-", 0) == 0) {
    std::vector<std::string> fields;
    std::istringstream columns(line);
    for (std::string field; std::getline(columns, field, ',');) fields.push_back(field);
    EXPECT_EQ(fields.size(), 6u) << line;
    if (fields.size() != 6) continue;
    EXPECT_EQ(std::stoul(fields[3], nullptr, 16), std::stoul(fields[4])) << line;
    blocks += fields[0] + " ";
  }
  return blocks;
}

TEST_F(SpaceExport, TheBlockListingGoesByHandleBothWays) {
  makeSpaceDrawing(drawing, 4, "gross");
  auto result = run("mlb\n\n\n", false);
  EXPECT_NE(result.output.find("list assets <0>:\n 0\n\n\nID,Name,Area,Handle(hex),Handle(dec),Assets\n"),
            std::string::npos)
      << result.output;
  EXPECT_EQ(listedBlocks(result.output), "ROOM-1 ROOM-2 ROOM-3 ROOM-4 ROOM-GROSS_AREA ");
  EXPECT_NE(result.output.find("\nROOM-3,Room 3,16.00,"), std::string::npos);
  EXPECT_NE(result.output.find("\nROOM-GROSS_AREA,GROSS AREA,100.00,"), std::string::npos);
  result = run("mlb\n0\n1\n", false);
  EXPECT_EQ(listedBlocks(result.output), "ROOM-GROSS_AREA ROOM-4 ROOM-3 ROOM-2 ROOM-1 ");
}

TEST_F(SpaceExport, TheBlockListingNamesTheAssetsInEachRoom) {
  makeSpaceDrawing(drawing, 2, "gross");
  const auto furnished = runPython(R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
desk = doc.blocks.new("DESK")
desk.add_lwpolyline([(0, 0), (800, 0), (800, 400), (0, 400)], close=True)
desk.add_attdef("ASSET_NO", (0, 0))
doc.blocks.new("CHAIR").add_circle((0, 0), 200)
msp = doc.modelspace()
print(msp.add_blockref("DESK", (500, 500)).add_auto_attribs({"ASSET_NO": "A-1"}).dxf.handle)
print(msp.add_blockref("CHAIR", (2000, 3000)).dxf.handle)
doc.saveas(sys.argv[1])
)",
                                   {drawing});
  ASSERT_EQ(furnished.exitCode, 0) << furnished.output;
  std::istringstream handles(furnished.output);
  std::string desk, chair;
  handles >> desk >> chair;
  const auto decimal = [](const std::string& hex) { return std::to_string(std::stoul(hex, nullptr, 16)); };
  const auto listed = run("mlb\n1\n1\n", false).output;
  EXPECT_NE(listed.find(",12.00,"), std::string::npos) << listed;
  EXPECT_NE(listed.find(",2\n,,,,,,DESK," + desk + "," + decimal(desk) + ",1\n,,,,,,CHAIR," + chair + "," +
                        decimal(chair) + ",0\nROOM-2,Room 2,14.00,"),
            std::string::npos)
      << listed;
  EXPECT_NE(listed.find(",0\nROOM-GROSS_AREA,GROSS AREA,100.00,"), std::string::npos) << listed;
  // Without the listing of assets only their number is shown.
  EXPECT_EQ(run("mlb\n1\n0\n", false).output.find(",,,,,,"), std::string::npos);
}


// Names keep the characters of the Windows code page the file is written
// in (’ – € are 0x92 0x96 0x80); what it lacks becomes '?'.
TEST_F(SpaceExport, NamesAreWrittenInTheWindowsCodePage) {
  makeSpaceDrawing(drawing, 2);
  const auto renamed = runPython(u8R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
for insert in doc.modelspace().query("INSERT"):
    if insert.dxf.name == "ROOM-1":
        name = "O’Neil – €5 ☃"
        items = [(code, "NAME=" + name if value.startswith("NAME=") else value) for code, value in insert.get_xdata("ADE")]
        insert.set_xdata("ADE", items)
        insert.get_attrib("NAME").dxf.text = name
doc.saveas(sys.argv[1])
)py",
                                 {drawing});
  ASSERT_EQ(renamed.exitCode, 0) << renamed.output;
  useOpener("NONE");
  run("mcsv\n", false);
  const std::string bytes = readFile(csv);
  EXPECT_NE(bytes.find("O\x92Neil \x96 \x80" "5 ?,12.00,m\xB2,14.00,m\n"), std::string::npos) << bytes;
}

// A drawing never saved gives its CSV file its title, in the folder the
// host was started in, and the full path is printed.
TEST_F(SpaceExport, ANeverSavedDrawingIsNamedByItsTitle) {
  useOpener("NONE");
  const auto result = runCommand("cd " + shellQuote(scratch.path().string()) + " && " +
                                 shellQuote(spatiaryExecutable().string()) + " --appdata " +
                                 shellQuote((scratch / "appdata").string()) + " <<'EOF'\nmcsv\nEOF\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const std::string expected = (scratch / "Drawing1.csv").string();
  EXPECT_TRUE(fs::exists(expected)) << result.output;
  EXPECT_FALSE(fs::exists(scratch / ".csv"));
  EXPECT_NE(result.output.find("csv data successfully saved to file (" + expected + ")\n"), std::string::npos)
      << result.output;
}
}  // namespace
