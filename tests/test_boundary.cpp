// Rooms from walls: a planner picks inside rooms drawn as wall lines, and
// the boundary command (or a pick where mbc asks for an outline) makes
// their closed outlines, with the areas a planner computes by hand.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

using namespace spatiary_test;

namespace {

// A floor with single-line walls: room A 6 x 4 m with a 900 mm door to
// the outside, room B 4 x 4 m behind a 900 mm door, a bay window on B
// (a half circle of 1 m radius) and a column of 300 mm radius in B; door
// swings on DOORS.  Beside it, block FLOOR of double walls (200 mm) with
// rooms of 5 x 4 m and 4.8 x 4 m between jambs, inserted turned a quarter.
const char* kWalls = R"(
import sys, ezdxf
doc = ezdxf.new("R2010")
doc.units = 4  # drawn in millimetres
msp = doc.modelspace()
doc.layers.add("WALLS")
doc.layers.add("DOORS")
w = {"layer": "WALLS"}
for a, b in [((0, 0), (2000, 0)), ((2900, 0), (10000, 0)), ((0, 4000), (10000, 4000)), ((0, 0), (0, 4000)),
             ((6000, 0), (6000, 1500)), ((6000, 2400), (6000, 4000)), ((10000, 0), (10000, 1000)),
             ((10000, 3000), (10000, 4000))]:
    msp.add_line(a, b, dxfattribs=w)
msp.add_lwpolyline([(10000, 1000, 1), (10000, 3000, 0)], format="xyb", dxfattribs=w)
msp.add_circle((8000, 2000), 300, dxfattribs=w)
msp.add_arc((6000, 1500), 900, 90, 180, dxfattribs={"layer": "DOORS"})
msp.add_line((6000, 1500), (6000, 2400), dxfattribs={"layer": "DOORS"})
msp.add_arc((2000, 0), 900, 0, 90, dxfattribs={"layer": "DOORS"})
floor = doc.blocks.new("FLOOR")
for a, b in [((0, 0), (10400, 0)), ((10400, 0), (10400, 4400)), ((10400, 4400), (0, 4400)), ((0, 4400), (0, 0)),
             ((200, 200), (5200, 200)), ((5200, 200), (5200, 1500)), ((5200, 2400), (5200, 4200)),
             ((5200, 4200), (200, 4200)), ((200, 4200), (200, 200)), ((5400, 200), (10200, 200)),
             ((10200, 200), (10200, 4200)), ((10200, 4200), (5400, 4200)), ((5400, 4200), (5400, 2400)),
             ((5400, 1500), (5400, 200)), ((5200, 1500), (5400, 1500)), ((5200, 2400), (5400, 2400))]:
    floor.add_line(a, b)
msp.add_blockref("FLOOR", (30000, 0), dxfattribs={"rotation": 90, "layer": "WALLS"})
doc.saveas(sys.argv[1])
)";

// The closed light polylines the host made (handles above the drawing's
// own), one line each: "area islands-or-outline vertices", area exact from
// the bulges.
const char* kOutlines = R"(
import sys, math, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
def area(points):
    twice, segments = 0.0, 0.0
    for i, (x, y, b) in enumerate(points):
        nx, ny, _ = points[(i + 1) % len(points)]
        twice += x * ny - nx * y
        if b:
            sweep = 4 * math.atan(b)
            r = math.hypot(nx - x, ny - y) / (2 * math.sin(abs(sweep) / 2))
            segments += r * r / 2 * (sweep - math.sin(sweep))
    return abs(twice / 2 + segments)
for e in doc.modelspace().query("LWPOLYLINE"):
    if int(e.dxf.handle, 16) < int(sys.argv[2], 16) or not e.closed:
        continue
    points = list(e.get_points("xyb"))
    print("%.2f %s %d" % (area(points), e.dxf.layer, len(points)))
)";

const char* kPreferences =
    "//\tSpatiary\n//\n//\tConfiguration file for Spatiary\n//\nunits\n0\nprecison\n2\ntextSize\n250.00\n"
    "textScale\n1.00\ntextRotation\n0.00\ncsvOpener\nNONE\nzoomBorder\n1000\ninc\n1\n";

class Boundary : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto prefs = scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg";
    std::filesystem::create_directories(prefs.parent_path());
    writeFile(prefs, kPreferences);
    const auto made = runPython(kWalls, {walls});
    ASSERT_EQ(made.exitCode, 0) << made.output;
    // New handles start above every handle ezdxf used.
    const auto seed = runPython("import sys, ezdxf\nprint(ezdxf.readfile(sys.argv[1]).header['$HANDSEED'])", {walls});
    firstNew = seed.output.substr(0, seed.output.find('\n'));
  }

  RunResult run(const std::string& script) {
    return runSpatiary({"--appdata", (scratch / "appdata").string(), "-o", saved, walls}, script);
  }

  std::string outlines() {
    const auto listed = runPython(kOutlines, {saved, firstNew});
    EXPECT_EQ(listed.exitCode, 0) << listed.output;
    EXPECT_NE(listed.output.find("audit-errors 0\n"), std::string::npos) << listed.output;
    return listed.output;
  }

  ScratchFolder scratch;
  std::string walls = (scratch / "walls.dxf").string();
  std::string saved = (scratch / "saved.dxf").string();
  std::string firstNew;
};

TEST_F(Boundary, PickedRoomsBecomeExactOutlinesOnceTheGapsCloseAndDoorSwingsAreLeftOut) {
  const auto result = run(
      "boundary\n"
      "3000,2000\n"                           // room A, open to the outside
      "G\n1000\nI\nDOORS\n"                   // close doors up to 1 m, leave swings out
      "3000,2000\n8000,1000\n"                // rooms A and B
      "29000,1000\n29000,8000\n"              // the double-walled rooms in the turned block
      "\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("No closed region around 3000,2000. Openings stay open; the Gap option closes them."),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("1 island(s) inside it (columns, shafts) not made"), std::string::npos);
  EXPECT_NE(result.output.find("4 boundary polyline(s) made."), std::string::npos) << result.output;
  const std::string listed = outlines();
  // A: 6 x 4 m.  B: 4 x 4 m and the bay's half circle.  The block's rooms
  // between the wall faces and across the door jambs.
  EXPECT_NE(listed.find("24000000.00 0 4\n"), std::string::npos) << listed;
  EXPECT_NE(listed.find("17570796.33 0 6\n"), std::string::npos) << listed;
  EXPECT_NE(listed.find("20000000.00 0 4\n"), std::string::npos) << listed;
  EXPECT_NE(listed.find("19200000.00 0 4\n"), std::string::npos) << listed;
  EXPECT_EQ(countOccurrences(listed, " 0 "), 4) << listed;
}

TEST_F(Boundary, IslandsAreMadeWhenAskedAndAWindowOutlinesAWholeFloor) {
  const auto result = run(
      "boundary\nG\n1000\nI\nDOORS\nIslands\nYes\n"
      "W\n-100,-100\n11100,4100\n"     // the single-line floor: two rooms, one column
      "W\n25000,-100\n30100,10500\n"   // the block's floor: two rooms, no wall pieces
      "\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("4 boundary polyline(s) made."), std::string::npos) << result.output;
  const std::string listed = outlines();
  EXPECT_NE(listed.find("282743.34 0 "), std::string::npos) << listed;  // the column
  EXPECT_EQ(countOccurrences(listed, " 0 "), 5) << listed;
}

TEST_F(Boundary, AnMbcPickInsideWallsTakesTheBoundaryAndMakesTheSpace) {
  const auto result = run(
      "boundary\nG\n1000\nI\nDOORS\n\n"
      "mbc\n@click 3\n"
      "8000,1000\n8000,1000\n"    // inside room B: no outline there yet
      "*cancel*\n@close\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("Nothing found at 8000,1000: the boundary around it is made and taken."),
            std::string::npos)
      << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Block Created Successfully\n"), 1) << result.output;
  const auto spaces = runPython(
      "import sys, ezdxf\ndoc = ezdxf.readfile(sys.argv[1])\n"
      "for i in doc.modelspace().query('INSERT'):\n"
      "    print(i.dxf.name, [a.dxf.text for a in i.attribs if a.dxf.tag == 'AREA'])\n",
      {saved});
  EXPECT_NE(spaces.output.find("ROOM-1 ['17.57sq.m.']"), std::string::npos) << spaces.output;
}

}  // namespace

namespace {

// The README's walls run: outlines from the walls, spaces from the
// outlines, then the report hatches them by category.
TEST(BoundarySample, TheReadmeWallsRunOutlinesMakesSpacesAndAppliesTheReport) {
  ScratchFolder scratch;
  const auto start = scratch / "build" / "sample";
  std::filesystem::create_directories(start / "appdata");
  std::filesystem::create_directory_symlink(sourceDir() / "samples", scratch / "samples");
  const auto saved = start / "walls-out.dxf";
  const RunResult run = runCommand("cd " + shellQuote(start.string()) + " && " +
                                   shellQuote(spatiaryExecutable().string()) + " --appdata appdata -s " +
                                   shellQuote((sourceDir() / "samples" / "walls.scr").string()) + " -o " +
                                   shellQuote(saved.string()) + " " +
                                   shellQuote((sourceDir() / "samples" / "walls.dxf").string()));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("6 boundary polyline(s) made."), std::string::npos) << run.output;
  EXPECT_EQ(countOccurrences(run.output, "Block Created Successfully"), 6) << run.output;
  EXPECT_NE(run.output.find("graphic report successfully applied."), std::string::npos) << run.output;
  EXPECT_TRUE(std::filesystem::exists(start / "walls.png"));
  const auto spaces = runPython(
      "import sys, ezdxf\ndoc = ezdxf.readfile(sys.argv[1])\nprint('audit-errors', len(doc.audit().errors))\n"
      "for i in doc.modelspace().query('INSERT'):\n"
      "    print(' '.join(a.dxf.text for a in i.attribs))\n"
      "print('hatches', len(doc.modelspace().query('HATCH')))\n",
      {saved.string()});
  for (const char* space : {"30.00sq.m. Sales", "31.57sq.m. Directors", "30.00sq.m. Design", "36.80sq.m. Corridor",
                            "27.30sq.m. Boardroom", "27.30sq.m. Stores", "audit-errors 0", "hatches 6"})
    EXPECT_NE(spaces.output.find(space), std::string::npos) << space << "\n" << spaces.output;
}

}  // namespace
