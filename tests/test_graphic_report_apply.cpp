// Applying graphic reports as a planner does: spaces made with mbc over the
// sample floor plan, a report written for them, magr or mgr, and the saved
// drawing read back with ezdxf: hatches in each category's pattern, colour
// and layer, replaced label texts, layers shown and hidden, and the
// messages of what could not be applied.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

#include "SpaceDrawings.h"
#include "TestSupport.h"

using namespace spatiary_test;
namespace fs = std::filesystem;

namespace {

// Enter at each question about the legend and pie chart a report without
// markers asks.
const char* kChartDefaults = "\n\n\n\n\n\n";

const char* kPreferences =
    "//\tSpatiary\n//\n//\tConfiguration file for Spatiary\n//\nunits\n0\nprecison\n2\ntextSize\n250.00\n"
    "textScale\n1.00\ntextRotation\n0.00\ncsvOpener\nNONE\nzoomBorder\n1000\ninc\n1\n";

// "BLOCK HANDLE" for every space of the drawing.
const char* kListSpaceHandles = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
for insert in doc.modelspace().query("INSERT"):
    print(insert.dxf.name, insert.dxf.handle)
)py";

// Every hatch as "hatch LAYER PATTERN RRGGBB (x0,y0)-(x1,y1) loops", the
// spaces' label texts, and each layer's visibility.
const char* kListPresentation = R"py(
import sys, ezdxf
from ezdxf import bbox
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
msp = doc.modelspace()
for hatch in msp.query("HATCH"):
    box = bbox.extents([hatch])
    colour = "%06X" % ezdxf.colors.rgb2int(hatch.rgb) if hatch.rgb else "index%d" % hatch.dxf.color
    print("hatch", hatch.dxf.layer, hatch.dxf.pattern_name, colour,
          "(%d,%d)-(%d,%d)" % (box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y), len(hatch.paths))
for insert in msp.query("INSERT"):
    attribs = {a.dxf.tag: a.dxf.text for a in insert.attribs}
    print("space", insert.dxf.name, attribs.get("NAME"), "|", attribs.get("AUX"))
for layer in doc.layers:
    print("layer", layer.dxf.name, "on" if layer.is_on() else "off")
)py";

class ReportApplying : public ::testing::Test {
 protected:
  // The sample floor plan with four rooms and the gross-area block, made once.
  static void SetUpTestSuite() {
    s_folder = std::make_unique<ScratchFolder>();
    writePreferences(s_folder->path());
    const std::string spaces = (*s_folder / "spaces.dxf").string();
    const auto made = runSpatiary({"--appdata", (*s_folder / "appdata").string(), "-o", spaces,
                                   floorDrawing().string()},
                                  "mbc\n@click 3\n"
                                  "#34\n3000,3000\n#35\n9000,3000\n#36\n15000,3000\n#3A\n12000,11000\n"
                                  "\n@close\nmgabc\n#33\n12000,-1000\n");
    ASSERT_EQ(made.exitCode, 0) << made.output;
    const auto listed = runPython(kListSpaceHandles, {spaces});
    ASSERT_EQ(listed.exitCode, 0) << listed.output;
    std::istringstream lines(listed.output);
    std::string block, handle;
    while (lines >> block >> handle) s_handles[block] = handle;
    ASSERT_EQ(s_handles.size(), 5u) << listed.output;
  }
  static void TearDownTestSuite() { s_folder.reset(); }

  static void writePreferences(const fs::path& root) {
    const fs::path prefs = root / "appdata" / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg";
    fs::create_directories(prefs.parent_path());
    writeFile(prefs, kPreferences);
  }

  void SetUp() override {
    writePreferences(scratch.path());
    fs::copy_file(*s_folder / "spaces.dxf", drawing);
  }

  // Applies the report with magr to a copy of the spaces drawing.
  RunResult apply(const std::string& report, const std::string& command = "magr") {
    writeFile(scratch / "report.xml", report);
    return runSpatiary({"--appdata", (scratch / "appdata").string(), "-o", saved.string(), drawing.string()},
                       command + "\n" + (scratch / "report.xml").string() + "\n" + kChartDefaults);
  }

  std::string presentation() {
    const auto listed = runPython(kListPresentation, {saved.string()});
    EXPECT_EQ(listed.exitCode, 0) << listed.output;
    EXPECT_NE(listed.output.find("audit-errors 0\n"), std::string::npos) << listed.output;
    return listed.output;
  }

  static std::string handle(const std::string& block) { return s_handles.at(block); }

  static std::unique_ptr<ScratchFolder> s_folder;
  static std::map<std::string, std::string> s_handles;
  ScratchFolder scratch;
  fs::path drawing = scratch / "drawing.dxf";
  fs::path saved = scratch / "saved.dxf";
};

std::unique_ptr<ScratchFolder> ReportApplying::s_folder;
std::map<std::string, std::string> ReportApplying::s_handles;

std::string space(const std::string& handle, const std::string& more = "") {
  return "<zelphBlock><mbHandle>" + handle + "</mbHandle>" + more + "</zelphBlock>";
}

std::string category(const std::string& title, const std::string& pattern, const std::string& colour, int scale,
                     const std::string& layer, const std::string& spaces) {
  return "<category><cTitle>" + title + "</cTitle><cHatchPattern>" + pattern + "</cHatchPattern><cHatchColour>" +
         colour + "</cHatchColour><cHatchScale>" + std::to_string(scale) +
         "</cHatchScale><cHatchAngle>0</cHatchAngle><cHatchLayer>" + layer + "</cHatchLayer><zelphBlocks>" + spaces +
         "</zelphBlocks></category>";
}

std::string report(const std::string& categories, const std::string& more = "") {
  return "<?xml version=\"1.0\"?>\n<graphicReport><grTitle>Occupancy</grTitle>" + more + "<categories>" +
         categories + "</categories></graphicReport>\n";
}

TEST_F(ReportApplying, AppliesEachCategorysSpacesAndReplacesTheirLabels) {
  const auto result = apply(report(
      category("Offices", "ANSI31", "#FF8000", 20, "HATCH-OFFICES",
               space(handle("ROOM-1"), "<mbArea>36</mbArea><mbSwapName>Sales</mbSwapName><mbSwapAux>Team A</mbSwapAux>") +
                   space(handle("ROOM-2"), "<mbArea>36</mbArea>")) +
      category("Stores", "SOLID", "#0000ff", 1, "HATCH-STORES", space(handle("ROOM-4"), "<mbArea>48</mbArea>"))));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("applying graphic report Occupancy.\n\tgraphic report contains 2 categories.\n"
                               "\tapplying category Offices.\n\tcategory contains 2 blocks.\n"
                               "\tapplying category Stores.\n\tcategory contains 1 blocks.\n"),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("graphic report successfully applied.\n"), std::string::npos);
  EXPECT_EQ(countOccurrences(result.output, "error(s) occurred"), 0) << result.output;

  const std::string shown = presentation();
  EXPECT_NE(shown.find("space ROOM-1 Sales | Team A\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("space ROOM-2 Room 2 |  \n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("space ROOM-3 Room 3 |  \n"), std::string::npos) << shown;
}

TEST_F(ReportApplying, ShowsTheListedLayersAndWhatItTouchedAndHidesTheRest) {
  const std::string offices = category("Offices", "ANSI31", "#FF8000", 20, "HATCH-OFFICES", space(handle("ROOM-1")));
  auto result = apply(report(offices, "<layersOn><layerOn><loName>A-FLOR-OTLN</loName></layerOn>"
                                      "<layerOn><loName>Defpoints</loName></layerOn></layersOn>"));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  std::string shown = presentation();
  for (const char* on : {"A-FLOR-OTLN", "Defpoints", "A-AREA", "HATCH-OFFICES", "ATT-NAME", "ATT-AREA", "ATT-AUX"})
    EXPECT_NE(shown.find(std::string("layer ") + on + " on\n"), std::string::npos) << on << "\n" << shown;
  for (const char* off : {"0", "A-ANNO-TEXT"})
    EXPECT_NE(shown.find(std::string("layer ") + off + " off\n"), std::string::npos) << off << "\n" << shown;

  // Without a list every layer keeps showing.
  result = apply(report(offices));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  shown = presentation();
  EXPECT_EQ(countOccurrences(shown, " off\n"), 0) << shown;
}

TEST_F(ReportApplying, WhatCannotBeAppliedIsNamedAndTheRestIsApplied) {
  const auto result = apply(report(category(
      "Offices", "ANSI31", "#FF8000", 20, "HATCH-OFFICES",
      space("FFFFF", "<mbCode>gone</mbCode>") + space("3C", "<mbCode>label</mbCode>") +
          space(handle("ROOM-1"), "<mbSwapName>Sales</mbSwapName>"))));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("\t\terror(s) occurred whilst applying zelph block gone - FFFFF.\n"), std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("Invalid Handle - FFFFF"), std::string::npos);
  EXPECT_NE(result.output.find("\t\terror(s) occurred whilst applying zelph block label - 3C.\n"), std::string::npos);
  EXPECT_NE(result.output.find("The handle 3C names AcDbText, not a space."), std::string::npos);
  EXPECT_NE(result.output.find("graphic report successfully applied.\n"), std::string::npos);
  const std::string shown = presentation();
  EXPECT_NE(shown.find("space ROOM-1 Sales |"), std::string::npos) << shown;
}

TEST_F(ReportApplying, EveryEntryAppliesToAllSpacesButTheGrossArea) {
  const auto result = apply(report(category("All", "SOLID", "#00FF00", 1, "HATCH-ALL",
                                            space("*", "<mbSwapAux>surveyed</mbSwapAux>") +
                                                space(handle("ROOM-2"), "<mbSwapAux>let</mbSwapAux>"))));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "error(s) occurred"), 0) << result.output;
  const std::string shown = presentation();
  for (const char* room : {"ROOM-1 Room 1", "ROOM-3 Room 3", "ROOM-4 Room 4"})
    EXPECT_NE(shown.find(std::string("space ") + room + " | surveyed\n"), std::string::npos) << room << shown;
  EXPECT_NE(shown.find("space ROOM-2 Room 2 | let\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("space ROOM-GROSS_AREA GROSS AREA |  \n"), std::string::npos) << shown;
}

TEST_F(ReportApplying, ABrokenReportChangesNothing) {
  writeFile(scratch / "report.xml", report(category("Offices", "ANSI31", "orange", 20, "HATCH-OFFICES",
                                                  space(handle("ROOM-1"), "<mbSwapName>Sales</mbSwapName>"))));
  // The error box fails the run; kept going, the drawing is saved to show it unchanged.
  const auto result = runSpatiary({"--appdata", (scratch / "appdata").string(), "--keep-going", "-o", saved.string(),
                                   drawing.string()},
                                  "magr\n" + (scratch / "report.xml").string() + "\n");
  ASSERT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("Error Detected."), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("cHatchColour \"orange\" is not a colour"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("graphic report successfully applied."), std::string::npos) << result.output;
  EXPECT_EQ(presentation().find("Sales"), std::string::npos);
}

TEST_F(ReportApplying, MgrOpensTheDrawingTheReportNames) {
  const std::string named = report(category("Offices", "ANSI31", "#FF8000", 20, "HATCH-OFFICES",
                                            space(handle("ROOM-1"), "<mbSwapName>Sales</mbSwapName>")),
                                   "<grDrawingPath>" + scratch.path().string() +
                                       "/</grDrawingPath><grDrawingFilename>drawing.dxf</grDrawingFilename>");
  writeFile(scratch / "report.xml", named);
  // Started on a new empty drawing; the one the report names is opened, stays open and is saved.
  const auto result = runSpatiary({"--appdata", (scratch / "appdata").string(), "-o", saved.string()},
                                  "mgr\n" + (scratch / "report.xml").string() + "\n" + kChartDefaults);
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("graphic report successfully applied.\n"), std::string::npos) << result.output;
  EXPECT_NE(presentation().find("space ROOM-1 Sales |"), std::string::npos);
}

TEST_F(ReportApplying, ACancelledFileQuestionEndsTheCommand) {
  const auto result = runSpatiary({"--appdata", (scratch / "appdata").string(), drawing.string()}, "magr\n\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("XML Graphic Reports (*.xml)"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("applying graphic report"), std::string::npos) << result.output;
}

TEST_F(ReportApplying, ThousandsOfListedSpacesInOnePass) {
  const int count = 2000;
  makeSpaceDrawing(drawing, count);
  const auto listed = runPython(kListSpaceHandles, {drawing.string()});
  ASSERT_EQ(listed.exitCode, 0) << listed.output;
  std::istringstream lines(listed.output);
  std::string block, handle, spaces[4];
  for (int index = 0; lines >> block >> handle; ++index)
    spaces[index % 4] += space(handle, "<mbSwapAux>" + block + "</mbSwapAux>");
  std::string categories;
  for (int index = 0; index < 4; ++index)
    categories += category("Kind " + std::to_string(index), "ANSI31", "#FF8000", 20, "HATCH", spaces[index]);
  const auto started = std::chrono::steady_clock::now();
  const auto result = apply(report(categories));
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "\tcategory contains 500 blocks.\n"), 4) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "error(s) occurred"), 0);
  EXPECT_LT(seconds, 60.0);
  RecordProperty("seconds", std::to_string(seconds));
  const std::string shown = presentation();
  EXPECT_NE(shown.find("space ROOM-1999 Room 1999 | ROOM-1999\n"), std::string::npos);
  EXPECT_EQ(countOccurrences(shown, "space ROOM-"), count);
}


// A rectangle and a circle for the legend and pie chart markers, far from
// the rooms, and a desk: a block that is no space; prints their handles.
const char* kAddChartOutlines = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
print("rectangle", msp.add_lwpolyline([(60000, 0), (64000, 0), (64000, 3000), (60000, 3000)], close=True).dxf.handle)
print("circle", msp.add_circle((50000, 5000), 2000).dxf.handle)
desk = doc.blocks.new("DESK")
desk.add_lwpolyline([(0, 0), (1600, 0), (1600, 800), (0, 800)], close=True)
print("desk", msp.add_blockref("DESK", (4000, 4000)).dxf.handle)
doc.saveas(sys.argv[1])
)py";

// How often each chart is placed, the hatches by layer, colour and scale,
// the legend's cells and its swatches with their hatch colours, the
// layers' visibility and which block references carry a space record.
const char* kListCharts = R"py(
import sys, collections, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
msp = doc.modelspace()
def colour(hatch):
    return "%06X" % ezdxf.colors.rgb2int(hatch.rgb) if hatch.rgb else "index%d" % hatch.dxf.color
placed = collections.Counter(i.dxf.name for i in msp.query("INSERT") if i.dxf.name.startswith("[ZELPH"))
for name in sorted(placed):
    print("placed", name, placed[name])
hatches = collections.Counter((h.dxf.layer, colour(h), round(h.dxf.pattern_scale, 2)) for h in msp.query("HATCH"))
for (layer, rgb, scale), count in sorted(hatches.items()):
    print("hatches", layer, rgb, scale, count)
for legend in [b for b in doc.blocks if b.name.startswith("[ZELPH_LEGEND]_")]:
    for table in legend.query("ACAD_TABLE"):
        drawn = doc.blocks[table.xtags.get_subclass("AcDbBlockReference").get_first_value(2)]
        print("cells", " | ".join(t.plain_text() for t in drawn.query("MTEXT")))
        for insert in drawn.query("INSERT"):
            print("swatch", insert.dxf.name, " ".join(colour(h) for h in doc.blocks[insert.dxf.name].query("HATCH")))
for layer in doc.layers:
    print("layer", layer.dxf.name, "on" if layer.is_on() else "off")
for insert in msp.query("INSERT"):
    if insert.has_xdata("ADE"):
        print("record", insert.dxf.name)
)py";

// Reports applied where markers give the legend and the pie chart their
// places, as a planner applies a report and then a revised one.
class ReportAtMarkers : public ReportApplying {
 protected:
  void SetUp() override {
    ReportApplying::SetUp();
    const auto added = runPython(kAddChartOutlines, {drawing.string()});
    ASSERT_EQ(added.exitCode, 0) << added.output;
    std::istringstream lines(added.output);
    std::string name, value;
    while (lines >> name >> value) outlines[name] = value;
  }

  // Makes both markers (precision 2, text size 100), then applies the report.
  // An error box fails the run: kept going, the drawing is saved to show what was applied.
  RunResult applyAtMarkers(const std::string& content, bool keepGoing = false) {
    writeFile(scratch / "report.xml", content);
    std::vector<std::string> arguments{"--appdata", (scratch / "appdata").string(), "-o", saved.string(),
                                       drawing.string()};
    if (keepGoing) arguments.insert(arguments.begin(), "--keep-going");
    return runSpatiary(arguments,
                       "mlmc\n#" + outlines["rectangle"] + "\n2\n100\n0\nmpmc\n#" + outlines["circle"] +
                           "\n2\n100\n0\nmagr\n" + (scratch / "report.xml").string() + "\n");
  }

  // Applies the report again to the drawing saved last.
  RunResult applyAgain(const std::string& content) {
    fs::copy_file(saved, drawing, fs::copy_options::overwrite_existing);
    return apply(content);
  }

  std::string charts() {
    const auto listed = runPython(kListCharts, {saved.string()});
    EXPECT_EQ(listed.exitCode, 0) << listed.output;
    EXPECT_NE(listed.output.find("audit-errors 0\n"), std::string::npos) << listed.output;
    return listed.output;
  }

  std::map<std::string, std::string> outlines;
};

std::string withTotal(const std::string& categories, double total, const std::string& more = "") {
  return report(categories, "<grTotalChildAreas>" + std::to_string(total) + "</grTotalChildAreas>" + more);
}

// A pie chart that cannot be computed is reported, and the legend, the
// layers the report lists and everything it drew still show.
TEST_F(ReportAtMarkers, AChartThatFailsLeavesTheRestApplied) {
  const auto result = applyAtMarkers(withTotal(
      category("Offices", "ANSI31", "#FF8000", 20, "HATCH-OFFICES",
               space(handle("ROOM-1"), "<mbArea>36</mbArea>") + space(handle("ROOM-2"), "<mbArea>36</mbArea>")),
      10, "<layersOn><layerOn><loName>A-FLOR-OTLN</loName></layerOn></layersOn>"), true);
  ASSERT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("Unable to calculate pie chart percentages the total segment area (72.00) is greater "
                               "than the specified total area (10.00)."),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("graphic report successfully applied.\n"), std::string::npos) << result.output;
  const std::string shown = charts();
  for (const char* on : {"A-FLOR-OTLN", "HATCH-OFFICES", "ATT-NAME", "ATT-AREA", "0"})
    EXPECT_EQ(countOccurrences(shown, std::string("layer ") + on + " on\n"), 1) << on << "\n" << shown;
  EXPECT_NE(shown.find("placed [ZELPH_LEGEND]_Occupancy 1\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("cells Occupancy | Description | Hatch | Area sq.m. | Offices | 72.00\n"), std::string::npos)
      << shown;
}

// A swatch whose hatch cannot be made is reported; its row stays, the
// other rows follow and the layers are applied.
TEST_F(ReportAtMarkers, ASwatchThatFailsLeavesTheRestOfTheLegend) {
  const auto result = applyAtMarkers(withTotal(
      category("Offices", "ANSI31", "#FF8000", 0, "HATCH-OFFICES", space(handle("ROOM-1"), "<mbArea>36</mbArea>")) +
          category("Stores", "SOLID", "#0000FF", 1, "HATCH-STORES", space(handle("ROOM-4"), "<mbArea>48</mbArea>")),
      100, "<layersOn><layerOn><loName>A-FLOR-OTLN</loName></layerOn></layersOn>"), true);
  ASSERT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("Error Detected."), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("graphic report successfully applied.\n"), std::string::npos) << result.output;
  const std::string shown = charts();
  EXPECT_NE(shown.find("cells Occupancy | Description | Hatch | Area sq.m. | Offices | 36.00 | Stores | 48.00\n"),
            std::string::npos)
      << shown;
  EXPECT_NE(shown.find("placed [ZELPH_PIECHART]_Occupancy 1\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("layer A-FLOR-OTLN on\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("layer A-ANNO-TEXT off\n"), std::string::npos) << shown;
}

// A revised report replaces what the first one drew: one hatch a space in
// the new colour, one legend and one pie chart.
TEST_F(ReportAtMarkers, ARevisedReportReplacesWhatTheFirstDrew) {
  const auto offices = [&](const std::string& colour) {
    return withTotal(category("Offices", "ANSI31", colour, 20, "HATCH-OFFICES",
                              space(handle("ROOM-1"), "<mbArea>36</mbArea>") +
                                  space(handle("ROOM-2"), "<mbArea>36</mbArea>")),
                     100);
  };
  auto result = applyAtMarkers(offices("#FF8000"));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  result = applyAgain(offices("#0000FF"));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const std::string shown = charts();
  EXPECT_NE(shown.find("hatches HATCH-OFFICES 0000FF 20.0 2\n"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("FF8000"), std::string::npos) << shown;
  EXPECT_NE(shown.find("placed [ZELPH_LEGEND]_Occupancy 1\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("placed [ZELPH_PIECHART]_Occupancy 1\n"), std::string::npos) << shown;
}

// "*" sums the rooms, not the gross-area block, so a total of the rooms'
// areas makes a whole pie.
TEST_F(ReportAtMarkers, EverySpaceLeavesTheGrossAreaOutOfTheSums) {
  const std::string before = listSpaces(drawing);
  double rooms = 0.0;
  std::istringstream lines(before);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("ROOM-GROSS", 0) == 0 || line.rfind("ROOM-", 0) != 0) continue;
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '|');) fields.push_back(field);
    rooms += std::stod(fields.at(4));
  }
  ASSERT_GT(rooms, 0.0) << before;
  const auto result =
      applyAtMarkers(withTotal(category("All", "SOLID", "#00FF00", 1, "HATCH-ALL", space("*")), rooms));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(result.output.find("Unable to calculate pie chart"), std::string::npos) << result.output;
  char cell[64];
  std::snprintf(cell, sizeof cell, "| All | %.2f\n", rooms);
  const std::string shown = charts();
  EXPECT_NE(shown.find(cell), std::string::npos) << cell << "\n" << shown;
  EXPECT_NE(shown.find("placed [ZELPH_PIECHART]_Occupancy 1\n"), std::string::npos) << shown;
}

// An entry without an area leaves the space's stored area as it was.
TEST_F(ReportApplying, AnEntryWithoutAnAreaKeepsTheStoredArea) {
  const std::string before = listSpaces(drawing);
  const auto result = apply(report(category("Offices", "ANSI31", "#FF8000", 20, "HATCH-OFFICES",
                                            space(handle("ROOM-1"), "<mbSwapAux>let</mbSwapAux>"))));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const std::string after = listSpaces(saved);
  const auto record = [](const std::string& listing) {
    const size_t line = listing.find("ROOM-1|");
    return listing.substr(line, listing.find('\n', line) - line);
  };
  std::string expected = record(before);
  expected.replace(expected.find("| |"), 3, "|let|");
  EXPECT_EQ(record(after), expected) << after;
}

// A handle that names a block that is no space, or nothing, changes nothing
// and has no share in the legend.
TEST_F(ReportAtMarkers, HandlesThatAreNoSpacesAreNamedAndLeftOut) {
  const auto result = applyAtMarkers(withTotal(
      category("Offices", "ANSI31", "#FF8000", 20, "HATCH-OFFICES",
               space(outlines["desk"], "<mbCode>desk</mbCode><mbArea>50</mbArea>") +
                   space("FFFFF", "<mbCode>gone</mbCode><mbArea>1000</mbArea>") +
                   space(handle("ROOM-1"), "<mbArea>36</mbArea>")),
      100));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("\t\terror(s) occurred whilst applying zelph block desk - " + outlines["desk"] + ".\n"),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("The handle " + outlines["desk"] + " names the block DESK, not a space."),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("Invalid Handle - FFFFF"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("Unable to calculate pie chart"), std::string::npos) << result.output;
  const std::string shown = charts();
  EXPECT_NE(shown.find("| Offices | 36.00\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("hatches HATCH-OFFICES FF8000 20.0 1\n"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("record DESK"), std::string::npos) << shown;
}

// Categories of one title in different colours each show their own swatch.
TEST_F(ReportAtMarkers, CategoriesOfOneTitleKeepTheirOwnSwatches) {
  const auto result = applyAtMarkers(withTotal(
      category("Offices", "SOLID", "#FF0000", 1, "HATCH-OFFICES", space(handle("ROOM-1"), "<mbArea>36</mbArea>")) +
          category("Offices", "SOLID", "#0000FF", 1, "HATCH-OFFICES", space(handle("ROOM-2"), "<mbArea>36</mbArea>")),
      100));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const std::string shown = charts();
  const size_t first = shown.find("swatch ");
  ASSERT_NE(first, std::string::npos) << shown;
  const size_t second = shown.find("swatch ", first + 1);
  ASSERT_NE(second, std::string::npos) << shown;
  const auto line = [&](size_t at) { return shown.substr(at, shown.find('\n', at) - at); };
  EXPECT_NE(line(first).substr(line(first).rfind(' ')), line(second).substr(line(second).rfind(' '))) << shown;
  EXPECT_NE(line(first).find(" FF0000"), std::string::npos) << shown;
  EXPECT_NE(line(second).find(" 0000FF"), std::string::npos) << shown;
}

// Numbers are read as the module reads numbers everywhere: 40.0 is 40;
// fields nothing uses are not checked.
TEST_F(ReportAtMarkers, NumbersWithDecimalsAndUnusedFieldsAreRead) {
  const std::string offices = "<category><cID>first</cID><cTitle>Offices</cTitle><cHatchPattern>ANSI31"
                              "</cHatchPattern><cHatchColour>#FF8000</cHatchColour><cHatchScale>40.0</cHatchScale>"
                              "<cHatchAngle>45.0</cHatchAngle><cHatchLayer>HATCH-OFFICES</cHatchLayer><zelphBlocks>" +
                              space(handle("ROOM-1"), "<mbArea>36</mbArea>") + "</zelphBlocks></category>";
  const auto result = apply(report(offices, "<grID>R-7</grID><grPlotTypeID>A3</grPlotTypeID>"));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(result.output.find("Error Detected."), std::string::npos) << result.output;
  EXPECT_NE(charts().find("hatches HATCH-OFFICES FF8000 40.0 1\n"), std::string::npos);
  // What cannot be read at all is still refused, naming the line and the value.
  std::string forty = offices;
  forty.replace(forty.find("40.0"), 4, "forty");
  const auto refused = apply(report(forty));
  EXPECT_NE(refused.output.find("cHatchScale \"forty\" is not a whole number"), std::string::npos) << refused.output;
}
}  // namespace
