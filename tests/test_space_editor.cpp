// The space editor: a planner makes spaces with mbc and mgabc, opens mbe,
// lists either kind, opens a space from the list or by a pick, edits its
// texts, measurements, label format and added and subtracted outlines, and
// saves; the drawing is read back by ezdxf and by the editor itself.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

using namespace spatiary_test;
namespace fs = std::filesystem;

namespace {

// The sample with a square to cut out of the first room (4C), a rectangle
// to add to it (4D, red) and a block reference that is no space (52).
const char* kPrepare = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
msp.add_lwpolyline([(1000, 1000), (3000, 1000), (3000, 3000), (1000, 3000)], close=True)
msp.add_lwpolyline([(20000, 0), (21000, 0), (21000, 3000), (20000, 3000)], close=True, dxfattribs={"color": 1})
doc.blocks.new("CHAIR").add_circle((0, 0), 200)
msp.add_blockref("CHAIR", (30000, 0))
doc.saveas(sys.argv[2])
)";

// Every block reference as "NAME|TAG=text@x,y/rotation/height ...|xdata",
// and the colour and lineweight of the two extra outlines.
const char* kListSpaces = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
for insert in doc.modelspace().query("INSERT"):
    attribs = " ".join("%s=%s@%d,%d/%g/%g" % (a.dxf.tag, a.dxf.text, round(a.dxf.insert.x), round(a.dxf.insert.y),
                                              a.dxf.rotation, a.dxf.height) for a in insert.attribs)
    xdata = [value for code, value in insert.get_xdata("ADE") if code == 1000] if insert.has_xdata("ADE") else []
    print("|".join([insert.dxf.name, attribs] + xdata))
for handle in ("4C", "4D"):
    outline = doc.entitydb[handle]
    print("outline", handle, outline.dxf.color, outline.dxf.lineweight)
)";

// Room 1 (ROOM-1, 61) and Room 2 (ROOM-2, 6D) of 36 sq.m., the gross area (78).
const char* kMakeSpaces = "mbc\n@click 3\n#34\n3000,3000\n#35\n9000,3000\n\n@close\nmgabc\n#33\n12000,-1000\n";

const char* kPreferences =
    "//\tSpatiary\n//\n//\tConfiguration file for Spatiary\n//\nunits\n0\nprecison\n2\ntextSize\n250.00\n"
    "textScale\n1.00\ntextRotation\n0.00\ncsvOpener\nNONE\nzoomBorder\n1000\ninc\n1\n";

class SpaceEditor : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(prefs.parent_path());
    writeFile(prefs, kPreferences);
    const auto prepared = runPython(kPrepare, {floorDrawing().string(), drawing});
    ASSERT_EQ(prepared.exitCode, 0) << prepared.output;
  }

  RunResult run(const std::string& input, const std::string& output, const std::string& script,
                bool keepGoing = false) {
    std::vector<std::string> arguments = {"--appdata", (scratch / "appdata").string(), "-o", output, input};
    if (keepGoing) arguments.insert(arguments.begin(), "--keep-going");
    return runSpatiary(arguments, script);
  }

  std::string spaces(const std::string& file) {
    const auto listed = runPython(kListSpaces, {file});
    EXPECT_EQ(listed.exitCode, 0) << listed.output;
    EXPECT_NE(listed.output.find("audit-errors 0\n"), std::string::npos) << listed.output;
    return listed.output;
  }

  ScratchFolder scratch;
  fs::path prefs = scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg";
  std::string drawing = (scratch / "prepared.dxf").string();
  std::string saved = (scratch / "saved.dxf").string();
};

TEST_F(SpaceEditor, ListsEitherKindAndEditsASpaceOpenedFromTheList) {
  const auto result = run(drawing, saved,
                          std::string(kMakeSpaces) +
                              "mbe\n@show\n@select 248 1\n@show\n@select 248 0\n"
                              "@dblclick 246 1\n"
                              "@set 203 Office A\n@set 219 25.50\n@click 252\n@click 253\n"
                              "@tab 245 1\n@set 254 300\n@set 230 400\n@click 284\n@show\n"
                              "@set 230 90\n@click 284\n"
                              "@click 273\n15000,15000\n"
                              "@click 1\n@show\n@close\n",
                          true);
  // The refused rotation fails the run; the rest goes on.
  ASSERT_EQ(result.exitCode, 1) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
  EXPECT_NE(result.output.find("Zelph Block Edit 64.04.04.00\n"), std::string::npos);
  // Rooms, then the gross area alone; the chair is no space.
  EXPECT_NE(result.output.find("    0 \"Room 1" + std::string(200, ' ') + "61\"\n    1 \"Room 2" +
                               std::string(200, ' ') + "6D\"\n"),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("    0 \"GROSS AREA" + std::string(200, ' ') + "78\"\n  286 button \"Close\"\n"
                               "  274 static \"1 item(s) found.\""),
            std::string::npos)
      << result.output;
  EXPECT_EQ(countOccurrences(result.output, "274 static \"2 item(s) found.\""), 2);
  // The rotation out of range keeps the sheet open on its page.
  EXPECT_NE(result.output.find("Please enter a number between 0 and 360.\n[OK]\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("OK chosen.\nCommand: @show\nDialog 201 \"RoomBlock\""), std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("    0 \"Office A" + std::string(200, ' ') + "6D\""), std::string::npos);

  const std::string listed = spaces(saved);
  EXPECT_NE(listed.find("ROOM-2|AREA=25.50sq.m.@15000,15000/90/300 NAME=Office A@14550,15000/90/300 "
                        "AUX=24.00m.@15450,15000/90/300|AREA=25.50sq.m.|PERIMETER=24.00m.|NAME=Office A|"),
            std::string::npos)
      << listed;
  EXPECT_NE(listed.find("ROOM-1|AREA=36.00sq.m.@3000,3000/0/250 NAME=Room 1@3000,3375/0/250"), std::string::npos)
      << listed;

  // The editor reads the same space back, found by a name with a blank.
  const auto reread = run(saved, (scratch / "reread.dxf").string(),
                          "mbe\n@dblclick 246 0\n@show\n@tab 245 1\n@show\n@click 285\n@close\n");
  ASSERT_EQ(reread.exitCode, 0) << reread.output;
  for (const char* field : {"203 edit \"Office A\"", "204 edit \"25.50sq.m.\"", "205 edit \"24.00m.\"",
                            "251 static \"6D\"", "219 edit \"25.50\"", "218 edit \"24.00\"", "313 static \"m\xC2\xB2\"",
                            "254 edit \"300\"", "229 edit \"1\"", "230 edit \"90\""})
    EXPECT_NE(reread.output.find(field), std::string::npos) << field << reread.output;
}

TEST_F(SpaceEditor, APickedSpaceTakesAddedAndSubtractedOutlines) {
  const std::string lit = (scratch / "highlighted.dxf").string();
  const auto result = run(drawing, saved,
                          std::string(kMakeSpaces) +
                              "mbe\n@click 247\n#61\n"
                              "@click 332\n#4D\n@click 244\n#4C\n@click 334\nsaveas " + lit + "\n@show\n@click 1\n"
                              "@dblclick 246 0\n@click 245\n@show\n@click 1\n@close\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
  EXPECT_NE(result.output.find("Please Select Areas to Add (selected room/space blocks will be ignored)"),
            std::string::npos);
  EXPECT_NE(result.output.find("\nThere are 1 area(s) added to this block\n"), std::string::npos) << result.output;
  // 36 - 4 + 3 and 24 + 8 + 8; without the cut-out 39 and 32.
  EXPECT_NE(result.output.find("219 edit \"35.00\""), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("218 edit \"40.00\""), std::string::npos);
  EXPECT_NE(result.output.find("219 edit \"39.00\""), std::string::npos);
  EXPECT_NE(result.output.find("218 edit \"32.00\""), std::string::npos);

  const std::string listed = spaces(saved);
  EXPECT_NE(listed.find("ROOM-1|AREA=36.00sq.m.@3000,3000/0/250 NAME=Room 1@3000,3375/0/250 AUX= @3000,2625/0/250|"
                        "AREA=39.00sq.m.|PERIMETER=32.00m.|NAME=Room 1|"),
            std::string::npos)
      << listed;
  EXPECT_NE(listed.find("|HANDLESTOMINUS=|HANDLESTOADD=4D,\n"), std::string::npos) << listed;
  EXPECT_NE(spaces(lit).find("outline 4D 3 100\n"), std::string::npos) << spaces(lit);
  // Closing the sheet gave the highlighted outline the space's colour back;
  // the one never highlighted keeps its own.
  EXPECT_NE(listed.find("outline 4D 256 -1\n"), std::string::npos) << listed;
  EXPECT_NE(listed.find("outline 4C 256 -1\n"), std::string::npos) << listed;
}

TEST_F(SpaceEditor, PickingABlockThatIsNoSpaceSaysSoAndRestoresTheEditor) {
  const auto result = run(drawing, saved, std::string(kMakeSpaces) + "mbe\n@click 247\n#52\n@show\n@click 247\n\n@show\n@close\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("#52\nThe specified AcDbBlockReference cannot be found in the list of Zelph blocks.  "
                               "The selected object may not be a Zelph block.Command: @show\n"
                               "Dialog 210 \"Zelph Block Editor\" (modeless)\n"),
            std::string::npos)
      << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Dialog 210 \"Zelph Block Editor\" (modeless)\n"), 2) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
}

TEST_F(SpaceEditor, CancelLeavesTheDrawingAsItWas) {
  const std::string spaces = (scratch / "spaces.dxf").string();
  ASSERT_EQ(run(drawing, spaces, kMakeSpaces).exitCode, 0);
  const std::string untouched = (scratch / "untouched.dxf").string();
  ASSERT_EQ(run(spaces, untouched, "").exitCode, 0);
  const auto result = run(spaces, saved,
                          "mbe\n@dblclick 246 0\n@set 203 Changed\n@set 219 99\n@click 252\n@click 332\n#4D\n"
                          "@tab 245 1\n@set 230 45\n@click 285\n"
                          "@select 248 1\n@dblclick 246 0\n@set 205 lost\n@close\n@close\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
  EXPECT_EQ(readFile(saved), readFile(untouched));
}

TEST_F(SpaceEditor, OptionsConvertsEverySpaceToTheChosenUnits) {
  const auto result = run(drawing, saved,
                          std::string(kMakeSpaces) + "mbe\n@menu 32769\n@check 289 1\n@click 1\n"
                                                     "@dblclick 246 1\n@show\n@click 285\n@close\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
  // 36 sq.m. and 24 m. in feet, shown so on the sheet.
  EXPECT_NE(result.output.find("219 edit \"387.50\""), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("313 static \"ft\xC2\xB2\""), std::string::npos);
  EXPECT_NE(result.output.find("336 static \"ft\""), std::string::npos);
  const std::string listed = spaces(saved);
  EXPECT_EQ(countOccurrences(listed, "|AREA=387.50sq.ft.|PERIMETER=78.74ft.|"), 2) << listed;
  EXPECT_NE(listed.find("ROOM-GROSS_AREA|"), std::string::npos);
  EXPECT_EQ(countOccurrences(listed, "sq.m.|"), 0) << listed;
  EXPECT_NE(readFile(prefs).find("units\n1\n"), std::string::npos) << readFile(prefs);
}

// Preferences saved while the editor is open, by mprefs and by the
// creator's fields, are still there after the editor closes.
TEST_F(SpaceEditor, ClosingKeepsThePreferencesSavedMeanwhile) {
  const auto result = run(drawing, saved,
                          "mbe\nmprefs\n@set 290 3\n@click 1\nmbc\n@set 291 400\n@close\n@close\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
  const std::string kept = readFile(prefs);
  EXPECT_NE(kept.find("precison\n3\n"), std::string::npos) << kept;
  EXPECT_NE(kept.find("textSize\n400.00\n"), std::string::npos) << kept;
}

// Converting the spaces' units relabels the AREA texts that showed the
// stored values, so that label and record agree in the new units.
TEST_F(SpaceEditor, ConvertedSpacesShowTheNewUnitsInTheirLabels) {
  const auto result =
      run(drawing, saved, std::string(kMakeSpaces) + "mbe\n@menu 32769\n@check 289 1\n@click 1\n@close\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
  const std::string listed = spaces(saved);
  EXPECT_EQ(countOccurrences(listed, "AREA=387.50sq.ft.@"), 2) << listed;
  EXPECT_NE(listed.find("AREA=3633.57sq.ft.@"), std::string::npos) << listed;
  EXPECT_EQ(countOccurrences(listed, "sq.m.@"), 0) << listed;
}

// A circle given as an area to subtract would subtract nothing: it is
// named and left out of the list.
TEST_F(SpaceEditor, ACircleIsNoAreaToSubtract) {
  const std::string made = (scratch / "made.dxf").string();
  ASSERT_EQ(run(drawing, made, kMakeSpaces).exitCode, 0);
  const auto added = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print(doc.modelspace().add_circle((2000, 2000), 500).dxf.handle)
doc.saveas(sys.argv[1])
)py",
                               {made});
  ASSERT_EQ(added.exitCode, 0) << added.output;
  const std::string circle = added.output.substr(0, added.output.find('\n'));
  const auto result = run(made, saved, "mbe\n@click 247\n#61\n@click 244\n#" + circle + "\n@click 1\n@close\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("AcDbCircle " + circle + " is not a polyline: it subtracts nothing and is left out.\n"),
            std::string::npos)
      << result.output;
  const std::string listed = spaces(saved);
  EXPECT_NE(listed.find("AREA=36.00sq.m.|PERIMETER=24.00m.|NAME=Room 1|"), std::string::npos) << listed;
  EXPECT_NE(listed.find("|HANDLESTOMINUS=|HANDLESTOADD=\n"), std::string::npos) << listed;
}
}  // namespace
