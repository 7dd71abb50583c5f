// The main road: a planner opens the floor plan, runs mbc, presses Start,
// picks outlines and label points, closes the creator, makes the gross-area
// block with mgabc and saves; ezdxf reads the spaces back.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "TestSupport.h"

using namespace spatiary_test;
namespace fs = std::filesystem;

namespace {

// Every space block reference as "BLOCK|NAME|AREA|AUX|xdata items", and
// every outline still in model space as "outline HANDLE".
const char* kListSpaces = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
msp = doc.modelspace()
for insert in msp.query("INSERT"):
    attribs = {a.dxf.tag: a.dxf.text for a in insert.attribs}
    xdata = [value for code, value in insert.get_xdata("ADE") if code == 1000] if insert.has_xdata("ADE") else []
    outline = [e for e in doc.blocks[insert.dxf.name] if e.dxftype() == "LWPOLYLINE"]
    print("|".join([insert.dxf.name, attribs.get("NAME", "-"), attribs.get("AREA", "-"), attribs.get("AUX", "-"),
                    outline[0].dxf.handle if outline else "no-outline"] + xdata))
for e in msp.query("LWPOLYLINE"):
    print("outline", e.dxf.handle, [(round(x), round(y)) for x, y in e.get_points("xy")])
)";

// The area of a polyline of the original sample, arcs included, in sq.m.
const char* kOutlineArea = R"(
import sys, ezdxf
from ezdxf import path
from ezdxf.math import area
doc = ezdxf.readfile(sys.argv[1])
outline = doc.entitydb[sys.argv[2]]
print("%.2f" % (area(path.make_path(outline).flattening(0.01)) / 1e6))
)";

// The sample with an open polyline and a line north of the storey.
const char* kAddStrays = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
msp.add_line((0, 20000), (5000, 20000))
msp.add_lwpolyline([(0, 22000), (5000, 22000), (5000, 25000)])
doc.saveas(sys.argv[2])
)";

// The sample with the outline 35 on a locked layer of its own.
const char* kLockOutline = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
doc.layers.add("LOCKED").lock()
doc.entitydb["35"].dxf.layer = "LOCKED"
doc.saveas(sys.argv[2])
)";

const char* kPreferences =
    "//\tSpatiary\n//\n//\tConfiguration file for Spatiary\n//\nunits\n0\nprecison\n2\ntextSize\n250.00\n"
    "textScale\n1.00\ntextRotation\n0.00\ncsvOpener\nNONE\nzoomBorder\n1000\ninc\n";

class SpaceCreation : public ::testing::Test {
 protected:
  void SetUp() override { usePreferences(5); }

  void usePreferences(int increment) {
    const fs::path prefs = scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg";
    fs::create_directories(prefs.parent_path());
    writeFile(prefs, std::string(kPreferences) + std::to_string(increment) + "\n");
  }

  RunResult run(const std::string& drawing, const std::string& script, bool keepGoing = false) {
    std::vector<std::string> arguments = {"--appdata", (scratch / "appdata").string(), "-o", saved, drawing};
    if (keepGoing) arguments.insert(arguments.begin(), "--keep-going");
    return runSpatiary(arguments, script);
  }

  std::string spaces() {
    const auto listed = runPython(kListSpaces, {saved});
    EXPECT_EQ(listed.exitCode, 0) << listed.output;
    EXPECT_NE(listed.output.find("audit-errors 0\n"), std::string::npos) << listed.output;
    return listed.output;
  }

  ScratchFolder scratch;
  std::string sample = floorDrawing().string();
  std::string saved = (scratch / "saved.dxf").string();
};

TEST_F(SpaceCreation, PickedOutlinesBecomeNumberedNamedMeasuredSpaces) {
  const auto result = run(sample,
                          "mbc\n@click 3\n"
                          "#34\n3000,3000\n"          // by handle
                          "9000,3000\n9000,3000\n"    // by a point inside
                          "12000,11000\n12000,11000\n"
                          "*cancel*\n@close\n"
                          "mgabc\n#33\n12000,-1000\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Block Created Successfully\n"), 4) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Block Creation Session Started\n"), 1);
  EXPECT_EQ(countOccurrences(result.output, "Block Creation Session Ended\n"), 1);
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;

  const std::string listed = spaces();
  EXPECT_NE(listed.find("ROOM-1|Room 1|36.00sq.m.| |34|AREA=36.00sq.m.|PERIMETER=24.00m.|NAME=Room 1|"),
            std::string::npos)
      << listed;
  EXPECT_NE(listed.find("ROOM-2|Room 6|36.00sq.m.| |35|AREA=36.00sq.m.|PERIMETER=24.00m.|NAME=Room 6|"),
            std::string::npos)
      << listed;
  EXPECT_NE(listed.find("ROOM-3|Room 11|48.00sq.m.| |3A|AREA=48.00sq.m.|PERIMETER=28.00m.|NAME=Room 11|"),
            std::string::npos)
      << listed;
  EXPECT_EQ(countOccurrences(listed, "ROOM-GROSS_AREA|GROSS AREA|"), 1) << listed;
  const auto gross = runPython(kOutlineArea, {sample, "33"});
  ASSERT_EQ(gross.exitCode, 0) << gross.output;
  EXPECT_NE(listed.find("ROOM-GROSS_AREA|GROSS AREA|" + gross.output.substr(0, gross.output.size() - 1) + "sq.m."),
            std::string::npos)
      << listed << gross.output;
  // The outlines moved into their blocks; the others stay in model space.
  EXPECT_EQ(listed.find("outline 34 "), std::string::npos);
  EXPECT_EQ(listed.find("outline 33 "), std::string::npos);
  EXPECT_NE(listed.find("outline 36 "), std::string::npos);
}

TEST_F(SpaceCreation, WrongPicksAreAnsweredAndAskedAgain) {
  const std::string strays = (scratch / "strays.dxf").string();
  ASSERT_EQ(runPython(kAddStrays, {sample, strays}).exitCode, 0);
  const auto result = run(strays,
                          "mbc\n@click 3\n"
                          "#34\n3000,3000\n"
                          "5000,23000\n"   // the open polyline
                          "2500,20000\n"   // the line
                          "3000,3000\n"    // the space made from 34
                          "#34\n"          // its outline, now inside the block
                          "\n@close\n",
                          true);
  // The refused picks fail the run; kept going, the rest is done.
  ASSERT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("\nInvalid Selection - Polyline is not closed\n\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("Invalid selection - AcDbLine.\n"), std::string::npos);
  EXPECT_NE(result.output.find("Invalid selection - AcDbBlockReference.\n"), std::string::npos);
  EXPECT_NE(result.output.find("The entity 34 is part of a block and cannot be picked."), std::string::npos);
  EXPECT_EQ(countOccurrences(result.output, "Block Created Successfully\n"), 1);
  EXPECT_EQ(countOccurrences(result.output, "Please select a polyline:"), 6) << result.output;
  const std::string listed = spaces();
  EXPECT_EQ(countOccurrences(listed, "ROOM-"), 1) << listed;
}

TEST_F(SpaceCreation, AnOutlineOnALockedLayerIsRefusedWholeAndTheNextPickAsked) {
  const std::string locked = (scratch / "locked.dxf").string();
  ASSERT_EQ(runPython(kLockOutline, {sample, locked}).exitCode, 0);
  const auto result = run(locked,
                          "mbc\n@click 3\n"
                          "#35\n9000,3000\n"
                          "#34\n3000,3000\n"
                          "\n@close\n"
                          "mgabc\n#35\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "\nPolyline On Locked Layer - Block Creation Failed\n"), 2)
      << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Please select a polyline:"), 4) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Block Created Successfully\n"), 1);
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
  const std::string listed = spaces();
  EXPECT_NE(listed.find("ROOM-1|Room 1|36.00sq.m.| |34|"), std::string::npos) << listed;
  EXPECT_EQ(countOccurrences(listed, "ROOM-"), 1) << listed;
  EXPECT_NE(listed.find("outline 35 [(6000, 0), (12000, 0), (12000, 6000), (6000, 6000)]"), std::string::npos)
      << listed;
  const auto blocks = runPython("import sys, ezdxf\nprint(sorted(b.name for b in ezdxf.readfile(sys.argv[1]).blocks "
                                "if not b.name.startswith('*')))\n",
                                {saved});
  EXPECT_EQ(blocks.output, "['ROOM-1']\n") << blocks.output;
}

TEST_F(SpaceCreation, TheDialogProposesNamesAfterTheHighestAndKeepsLabelSettings) {
  usePreferences(1);
  const auto result = run(sample,
                          "mbc\n@set 311 Office 009\n@set 291 1x80\n@click 3\n"
                          "#34\n3000,3000\n\n"
                          "@show\n@close\n"
                          "mbc\n@show\n@click 3\n"
                          "#35\n9000,3000\n"
                          "*cancel*\n@close\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("Office 010"), std::string::npos) << result.output;
  const std::string listed = spaces();
  EXPECT_NE(listed.find("ROOM-1|Office 009|"), std::string::npos) << listed;
  EXPECT_NE(listed.find("ROOM-2|Office 010|"), std::string::npos) << listed;
  const auto prefs = readFile(scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg");
  EXPECT_NE(prefs.find("textSize\n180.00\n"), std::string::npos) << prefs;
}

TEST_F(SpaceCreation, ADuplicateNameIsMadeOnlyWhenTheScriptAnswersYes) {
  const std::string twice = "mbc\n@click 3\n#34\n3000,3000\n\n@set 311 Room 1\n@click 3\n#35\n9000,3000\n";
  const auto refused = run(sample, twice + "@no\n\n@close\n");
  ASSERT_EQ(refused.exitCode, 0) << refused.output;
  EXPECT_NE(refused.output.find("--- Duplicate Space Name ---\nRoom Name already exists in the drawing."),
            std::string::npos)
      << refused.output;
  EXPECT_NE(refused.output.find("[Yes] No\n@no\n"), std::string::npos) << refused.output;
  EXPECT_EQ(countOccurrences(refused.output, "Block Created Successfully\n"), 1) << refused.output;
  EXPECT_EQ(countOccurrences(spaces(), "|Room 1|"), 1);

  const auto accepted = run(sample, twice + "@yes\n\n@close\n");
  ASSERT_EQ(accepted.exitCode, 0) << accepted.output;
  EXPECT_EQ(countOccurrences(accepted.output, "Block Created Successfully\n"), 2) << accepted.output;
  EXPECT_EQ(countOccurrences(spaces(), "|Room 1|"), 2);

  // Unanswered, the box keeps its default and says so.
  const auto unanswered = run(sample, twice + "\n@close\n");
  ASSERT_EQ(unanswered.exitCode, 0) << unanswered.output;
  EXPECT_NE(unanswered.output.find("[Yes] No\nYes chosen.\n"), std::string::npos) << unanswered.output;

  // A box has only its own buttons.
  const auto wrong = run(sample, twice + "@ok\n\n@close\n");
  EXPECT_EQ(wrong.exitCode, 1) << wrong.output;
  EXPECT_NE(wrong.output.find("script line 10: The box \"Duplicate Space Name\" has no button ok."), std::string::npos)
      << wrong.output;
}

TEST_F(SpaceCreation, OneGrossAreaBlockADrawing) {
  const auto result = run(sample, "mgabc\n#34\n3000,3000\nmgabc\nmgabc\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "\n\nGross Area Block Already Exists\n"), 2) << result.output;
  const std::string listed = spaces();
  EXPECT_EQ(countOccurrences(listed, "ROOM-GROSS_AREA|GROSS AREA|36.00sq.m.| |34|AREA=36.00sq.m."), 1) << listed;
  EXPECT_NE(listed.find("outline 33 "), std::string::npos);
}

TEST_F(SpaceCreation, DeletingASpaceLeavesItsOutline) {
  const auto result = run(sample,
                          "mbc\n@click 3\n#34\n3000,3000\n#35\n9000,3000\n\n@close\n"
                          "mdb\n#36\n3000,3000\n"
                          "mdb\n*cancel*\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("Zelph Block Delete 64.04.04.00\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("Invalid selection - AcDbPolyline.\n"), std::string::npos) << result.output;
  const std::string listed = spaces();
  EXPECT_EQ(listed.find("ROOM-1|"), std::string::npos) << listed;
  EXPECT_NE(listed.find("ROOM-2|Room 6|"), std::string::npos) << listed;
  // The outline is back where the space was drawn; the second one is still a space.
  EXPECT_EQ(countOccurrences(listed, "outline "), 8) << listed;
  EXPECT_NE(listed.find("[(0, 0), (6000, 0), (6000, 6000), (0, 6000)]"), std::string::npos) << listed;
  const auto definitions = runPython("import sys, ezdxf\nprint(sorted(b.name for b in ezdxf.readfile(sys.argv[1]).blocks"
                                     " if b.name.startswith('ROOM')))\n",
                                     {saved});
  EXPECT_EQ(definitions.output, "['ROOM-2']\n") << definitions.output;
}


// mdb explodes spaces only: a desk keeps its block and attributes.
TEST_F(SpaceCreation, DeletingRefusesABlockThatIsNoSpace) {
  const std::string desk = (scratch / "desk.dxf").string();
  const auto made = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
block = doc.blocks.new("DESK")
block.add_lwpolyline([(0, 0), (1600, 0), (1600, 800), (0, 800)], close=True)
block.add_attdef("ASSET", (0, 0))
doc.modelspace().add_blockref("DESK", (30000, 0)).add_attrib("ASSET", "D-17", (30000, 0))
doc.saveas(sys.argv[2])
)py",
                              {sample, desk});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  const auto handle = runPython("import sys, ezdxf\nprint(ezdxf.readfile(sys.argv[1]).modelspace()"
                                ".query('INSERT').first.dxf.handle)\n",
                                {desk});
  const auto result = run(desk, "mdb\n#" + handle.output.substr(0, handle.output.find('\n')) + "\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("DESK is not a space: nothing deleted.\n"), std::string::npos) << result.output;
  const std::string listed = spaces();
  EXPECT_NE(listed.find("DESK|-|-|-|"), std::string::npos) << listed;
  const auto kept = runPython("import sys, ezdxf\nd = ezdxf.readfile(sys.argv[1])\n"
                              "print([a.dxf.text for i in d.modelspace().query('INSERT') for a in i.attribs])\n",
                              {saved});
  EXPECT_EQ(kept.output, "['D-17']\n") << kept.output;
}

// Outlines that enclose no area, and an outline whose extrusion is zero,
// are refused with the reason; the next pick is asked for.
TEST_F(SpaceCreation, DegenerateOutlinesAreRefused) {
  const std::string strays = (scratch / "degenerate.dxf").string();
  const auto made = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
print(msp.add_lwpolyline([(0, 30000), (5000, 30000)], close=True).dxf.handle)
print(msp.add_lwpolyline([(0, 32000), (5000, 32000), (5000, 32000), (0, 32000)], close=True).dxf.handle)
flat = msp.add_lwpolyline([(0, 34000), (5000, 34000), (5000, 36000)], close=True)
flat.dxf.extrusion = (0, 0, -1)
print(flat.dxf.handle)
doc.saveas(sys.argv[2])
# ezdxf writes no extrusion of zero length: the file is given one.
with open(sys.argv[2]) as file:
    text = file.read()
with open(sys.argv[2], "w") as file:
    file.write(text.replace("230\n-1.0\n", "230\n0.0\n", 1))
)py",
                              {sample, strays});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  std::istringstream handles(made.output);
  std::string line, two, doubled, flat;
  handles >> two >> doubled >> flat;
  const auto result = run(strays, "mbc\n@click 3\n#" + two + "\n#" + doubled + "\n#" + flat +
                                      "\n#34\n3000,3000\n\n@close\nmgabc\n#" + doubled + "\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Invalid Selection - Polyline has fewer than three distinct vertices\n"),
            3)
      << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Invalid Selection - Polyline has no extrusion direction\n"), 1)
      << result.output;
  const std::string listed = spaces();
  EXPECT_NE(listed.find("ROOM-1|Room 1|"), std::string::npos) << listed;
  EXPECT_EQ(countOccurrences(listed, "ROOM-"), 1) << listed;
}
}  // namespace
