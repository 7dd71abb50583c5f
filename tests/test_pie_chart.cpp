// Pie charts of graphic reports: one hatched sector per category sized by
// its share of the report's total, labels placed and aligned round the
// chart, title and total, the block inserted where asked; read back from
// the saved drawing by ezdxf.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

#include "AcApDocManager.h"
#include "AcApDocument.h"
#include "AcDbDatabase.h"
#include "HostSession.h"
#include "SpaceDrawings.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "charts/PieChart.h"
#include "host/AcadDrawing.h"
#include "host/HostProduct.h"
#include "reports/GraphicReport.h"
#include "support/ZelphExceptions.h"

using namespace spatiary_test;

namespace {

// The chart blocks: each outline as "segment LAYER sweep start" (degrees
// clockwise from +Y, taken from its bulges and vertices), each hatch with
// its layer, pattern and whether its path keeps the arc, each line, each
// text as "attdef TAG|TEXT halign valign (x,y)", then the references.
// "behind" lists what is drawn first, as many entities as there are hatches.
const char* kReadCharts = R"py(
import sys, math, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
for block in doc.blocks:
    if not block.name.startswith("[ZELPH_PIECHART]_"):
        continue
    print("block", block.name)
    order = [e.dxftype() for e in block.entities_in_redraw_order()]
    print("behind", " ".join(order[:order.count("HATCH")]))
    for e in block:
        kind = e.dxftype()
        if kind == "LWPOLYLINE":
            points = list(e.get_points("xyb"))
            sweep = sum(4 * math.degrees(math.atan(abs(b))) for x, y, b in points)
            # A sector runs centre, arc, centre; a full circle is two half arcs.
            if len(points) == 4:
                centre, arc = points[0], points[1]
            else:
                centre, arc = ((points[0][0] + points[1][0]) / 2, (points[0][1] + points[1][1]) / 2), points[0]
            start = round(math.degrees(math.atan2(arc[0] - centre[0], arc[1] - centre[1])), 6) % 360
            print("segment", e.dxf.layer, "%.2f" % sweep, "%.2f" % start, "closed" if e.closed else "open")
        elif kind == "HATCH":
            path = e.paths[0]
            bulged = any(v[2] != 0 for v in path.vertices) if hasattr(path, "vertices") else \
                any(edge.EDGE_TYPE == "ArcEdge" for edge in path.edges)
            print("hatch", e.dxf.layer, e.dxf.pattern_name, len(e.paths), "arc" if bulged else "chords")
        elif kind == "LINE":
            print("line (%.0f,%.0f)-(%.0f,%.0f)" % (e.dxf.start.x, e.dxf.start.y, e.dxf.end.x, e.dxf.end.y))
        elif kind == "ATTDEF":
            at = e.dxf.align_point
            print("attdef %s|%s %d %d (%.0f,%.0f)%s" % (e.dxf.tag, e.dxf.text, e.dxf.halign, e.dxf.valign, at.x, at.y,
                  " const" if e.is_const else ""))
for insert in doc.modelspace().query("INSERT"):
    if insert.dxf.name.startswith("[ZELPH_PIECHART]_"):
        p = insert.dxf.insert
        shown = doc.layers.get(insert.dxf.layer).is_on()
        print("insert %s (%.0f,%.0f) %.1f %s" % (insert.dxf.name, p.x, p.y, insert.dxf.rotation,
                                                 "shown" if shown else "hidden"))
)py";

std::string space(double area) { return "<zelphBlock><mbArea>" + std::to_string(area) + "</mbArea></zelphBlock>"; }

std::string category(const std::string& title, const std::string& colour, const std::string& spaces) {
  return "<category><cTitle>" + title + "</cTitle><cHatchPattern>SOLID</cHatchPattern><cHatchColour>" + colour +
         "</cHatchColour><cHatchScale>1</cHatchScale><cHatchAngle>0</cHatchAngle><cHatchLayer>PIE-" + title +
         "</cHatchLayer><zelphBlocks>" + spaces + "</zelphBlocks></category>";
}

std::string report(double total, const std::string& categories) {
  return "<?xml version=\"1.0\"?>\n<graphicReport><grTitle>Use/Occupancy</grTitle><grTotalChildAreas>" +
         std::to_string(total) + "</grTotalChildAreas><categories>" + categories + "</categories></graphicReport>\n";
}

class PieCharts : public ::testing::Test {
 protected:
  void SetUp() override {
    CHostProduct::setCurrent(CHostProduct::detect(L"BricsCAD 18"));
    const auto path = utf8ToWide(floorDrawing().string());
    ASSERT_EQ(acDocManager->appContextOpenDocument(path.c_str()), Acad::eOk);
    HostSession::instance().setOutput(&transcript);
    drawing.bindCurrentDocument();
  }

  void TearDown() override {
    HostSession::instance().setOutput(&std::cout);
    acDocManager->closeDocument(drawing.getDocument());
  }

  struct Options {
    bool ignoreEmpty = true;
    bool labels = true;
    bool lines = false;
    double offset = 0.0;
    const AcGePoint3d* position = nullptr;
  };

  // Builds the chart of radius 1000 and text size 100 from the report.
  void chart(const std::string& xml, const Options& options) {
    writeFile(scratch / "report.xml", xml);
    CGraphicReport graphicReport;
    graphicReport.load(utf8ToWide((scratch / "report.xml").string()));
    CPieChart pie(drawing, 1000.0, options.offset, 100.0, 2, L"sq.m.", options.ignoreEmpty, options.labels,
                  options.lines, graphicReport, 0.5235987755982988, options.position);
  }

  std::string saveAndRead() {
    const std::string saved = (scratch / "pie.dxf").string();
    EXPECT_EQ(acDocManager->saveDocument(drawing.getDocument(), utf8ToWide(saved).c_str()), Acad::eOk);
    const auto read = runPython(kReadCharts, {saved});
    EXPECT_EQ(read.exitCode, 0) << read.output;
    EXPECT_NE(read.output.find("audit-errors 0\n"), std::string::npos) << read.output;
    return read.output;
  }

  ScratchFolder scratch;
  std::ostringstream transcript;
  CAcadDrawing drawing;
};

TEST_F(PieCharts, EachCategoryHasASectorOfItsShareHatchedAndLabelled) {
  const AcGePoint3d position(50000, 20000, 0);
  Options options;
  options.position = &position;
  chart(report(100, category("Offices", "#FF0000", space(25) + space(25)) + category("Stores", "#00FF00", space(30)) +
                        category("Halls", "#0000FF", space(20))),
        options);
  const std::string read = saveAndRead();
  EXPECT_NE(read.find("block [ZELPH_PIECHART]_Use_Occupancy\n"), std::string::npos) << read;
  // Half, 30 % and 20 %, one after the other clockwise from the top.
  EXPECT_NE(read.find("segment PIE-Offices 180.00 0.00 closed\n"), std::string::npos) << read;
  EXPECT_NE(read.find("segment PIE-Stores 108.00 180.00 closed\n"), std::string::npos) << read;
  EXPECT_NE(read.find("segment PIE-Halls 72.00 288.00 closed\n"), std::string::npos) << read;
  for (const char* layer : {"PIE-Offices", "PIE-Stores", "PIE-Halls"})
    EXPECT_NE(read.find(std::string("hatch ") + layer + " SOLID 1 arc\n"), std::string::npos) << layer << read;
  // Labels at 1.25 radii out in each middle direction, hung away from the chart.
  EXPECT_NE(read.find("attdef Offices (50.00 sq.m.)|Offices (50.00 sq.m.) 0 3 (1250,0) const\n"), std::string::npos)
      << read;
  EXPECT_NE(read.find("attdef Stores (30.00 sq.m.)|Stores (30.00 sq.m.) 2 3 (-1011,-735) const\n"),
            std::string::npos)
      << read;
  EXPECT_NE(read.find("attdef Halls (20.00 sq.m.)|Halls (20.00 sq.m.) 2 1 (-735,1011) const\n"), std::string::npos)
      << read;
  // Title above and total below, centred and hanging from their points.
  EXPECT_NE(read.find("attdef Use/Occupancy|Use/Occupancy 1 3 (0,1600) const\n"), std::string::npos) << read;
  EXPECT_NE(read.find("attdef Use/Occupancy|Total: 100.00sq.m. 1 3 (0,-1400) const\n"), std::string::npos) << read;
  EXPECT_NE(read.find("behind HATCH HATCH HATCH\n"), std::string::npos) << read;
  EXPECT_EQ(countOccurrences(read, "line "), 0) << read;
  EXPECT_NE(read.find("insert [ZELPH_PIECHART]_Use_Occupancy (50000,20000) 30.0 shown\n"), std::string::npos) << read;
}

TEST_F(PieCharts, ACategoryHoldingTheTotalIsAFullCircle) {
  chart(report(48, category("Everything", "#FF0000", space(48))), Options());
  const std::string read = saveAndRead();
  EXPECT_NE(read.find("segment PIE-Everything 360.00 0.00 closed\n"), std::string::npos) << read;
  EXPECT_NE(read.find("hatch PIE-Everything SOLID 1 arc\n"), std::string::npos) << read;
  // Only the definition without a position.
  EXPECT_EQ(countOccurrences(read, "insert "), 0) << read;
}

TEST_F(PieCharts, TheFirstOfTwoCategoriesWithOneTitleIsTheSegment) {
  chart(report(100, category("Offices", "#FF0000", space(40)) + category("Offices", "#00FF00", space(10)) +
                        category("Stores", "#0000FF", space(60))),
        Options());
  const std::string read = saveAndRead();
  EXPECT_EQ(countOccurrences(read, "segment "), 2) << read;
  EXPECT_NE(read.find("segment PIE-Offices 144.00 0.00 closed\n"), std::string::npos) << read;
  EXPECT_NE(read.find("segment PIE-Stores 216.00 144.00 closed\n"), std::string::npos) << read;
  EXPECT_NE(read.find("|Offices (40.00 sq.m.)"), std::string::npos) << read;
}

TEST_F(PieCharts, SegmentsOverTheTotalInWholeUnitsAreRefused) {
  // 100.4 against 100.2 is the same whole number: accepted, leaving no gap worth the name.
  chart(report(100.2, category("Offices", "#FF0000", space(60.2)) + category("Stores", "#00FF00", space(40.2))),
        Options());
  EXPECT_EQ(countOccurrences(saveAndRead(), "segment "), 2);

  try {
    chart(report(99, category("Offices", "#FF0000", space(60)) + category("Stores", "#00FF00", space(40))), Options());
    FAIL() << "no error";
  } catch (CEXZelph* failure) {
    const std::unique_ptr<CEXZelph> record(failure);
    const std::string text = wideToUtf8(record->messageBoxText());
    EXPECT_NE(text.find("Unable to calculate pie chart percentages the total segment area (100.00) is greater than "
                        "the specified total area (99.00)."),
              std::string::npos)
        << text;
  }
}

TEST_F(PieCharts, EmptyCategoriesKeepTheirPlaceUnlessIgnoredAndTheLabelsTheirLines) {
  Options options;
  options.ignoreEmpty = false;
  options.lines = true;
  options.offset = 100;
  const AcGePoint3d position(0, 0, 0);
  options.position = &position;
  chart(report(100, category("Void", "#FF0000", "") + category("Offices", "#00FF00", space(50)) +
                        category("Stores", "#0000FF", space(50))),
        options);
  std::string read = saveAndRead();
  // The empty sector points straight up, where its label stands centred above.
  EXPECT_NE(read.find("segment PIE-Void 0.00 0.00 closed\n"), std::string::npos) << read;
  EXPECT_NE(read.find("attdef Void (0.00 sq.m.)|Void (0.00 sq.m.) 1 1 (0,1350) const\n"), std::string::npos) << read;
  EXPECT_NE(read.find("line (0,100)-(0,1288)\n"), std::string::npos) << read;
  EXPECT_NE(read.find("segment PIE-Offices 180.00 0.00 closed\n"), std::string::npos) << read;
  EXPECT_NE(read.find("attdef Offices (50.00 sq.m.)|Offices (50.00 sq.m.) 0 3 (1350,0) const\n"), std::string::npos)
      << read;
  EXPECT_NE(read.find("line (100,0)-(1288,0)\n"), std::string::npos) << read;
  EXPECT_NE(read.find("attdef Stores (50.00 sq.m.)|Stores (50.00 sq.m.) 2 3 (-1350,-0) const\n"), std::string::npos)
      << read;
  // Nothing to fill in the empty sector.
  EXPECT_EQ(countOccurrences(read, "hatch "), 2) << read;

  // Drawn again ignoring empty categories: the same block, without the empty one.
  options.ignoreEmpty = true;
  chart(report(100, category("Void", "#FF0000", "") + category("Offices", "#00FF00", space(50)) +
                        category("Stores", "#0000FF", space(50))),
        options);
  read = saveAndRead();
  EXPECT_EQ(countOccurrences(read, "block [ZELPH_PIECHART]_"), 1) << read;
  EXPECT_EQ(countOccurrences(read, "Void"), 0) << read;
  EXPECT_EQ(countOccurrences(read, "segment "), 2) << read;
  EXPECT_EQ(countOccurrences(read, "hatch "), 2) << read;
  // The first reference shows the new chart too.
  EXPECT_EQ(countOccurrences(read, "insert [ZELPH_PIECHART]_Use_Occupancy (0,0) 30.0 shown\n"), 2) << read;
}

TEST_F(PieCharts, NoTotalNoChart) {
  chart(report(0, category("Offices", "#FF0000", space(40))), Options());
  EXPECT_EQ(countOccurrences(saveAndRead(), "block "), 0);
}

// Three spaces, a circle for the pie marker and a rectangle for the legend
// marker, with CHARTS the current layer; prints the spaces' blocks and handles, then the circle's and the
// rectangle's handles.
const char* kAddMarkerOutlines = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
for insert in msp.query("INSERT"):
    print(insert.dxf.name, insert.dxf.handle)
print("circle", msp.add_circle((50000, 5000), 2000).dxf.handle)
print("rectangle", msp.add_lwpolyline([(60000, 0), (64000, 0), (64000, 3000), (60000, 3000)], close=True).dxf.handle)
doc.layers.add("CHARTS")
doc.header["$CLAYER"] = "CHARTS"
doc.saveas(sys.argv[1])
)py";

class PieChartAtMarker : public SpaceCommandTest {};

TEST_F(PieChartAtMarker, ApplyingAReportDrawsItsPieChartInTheFirstPieMarker) {
  makeSpaceDrawing(drawing, 3);
  const auto added = runPython(kAddMarkerOutlines, {drawing});
  ASSERT_EQ(added.exitCode, 0) << added.output;
  std::map<std::string, std::string> handles;
  std::istringstream lines(added.output);
  std::string name, handle;
  while (lines >> name >> handle) handles[name] = handle;
  const auto entry = [&](const std::string& block, int area) {
    return "<zelphBlock><mbHandle>" + handles.at(block) + "</mbHandle><mbArea>" + std::to_string(area) +
           "</mbArea></zelphBlock>";
  };
  // Only the spaces' layer is listed: the chart, on the current layer, must still show.
  writeFile(scratch / "report.xml",
            "<?xml version=\"1.0\"?>\n<graphicReport><grTitle>Floor 1</grTitle>"
            "<grTotalChildAreas>100</grTotalChildAreas><grPieXYOffset>0</grPieXYOffset>"
            "<grPieShowLabelSegmentLines>0</grPieShowLabelSegmentLines>"
            "<layersOn><layerOn><loName>A-AREA</loName></layerOn></layersOn><categories>" +
                category("Offices", "#FF0000", entry("ROOM-1", 30) + entry("ROOM-2", 20)) +
                category("Stores", "#00FF00", entry("ROOM-3", 25)) + "</categories></graphicReport>\n");
  const auto result = run("mlmc\n#" + handles.at("rectangle") + "\n2\n100\n0\nmpmc\n#" + handles.at("circle") +
                          "\n1\n150\n90\nmagr\n" + (scratch / "report.xml").string() + "\n");
  EXPECT_NE(result.output.find("graphic report successfully applied.\n"), std::string::npos) << result.output;

  const auto read = runPython(kReadCharts, {saved});
  ASSERT_EQ(read.exitCode, 0) << read.output;
  EXPECT_NE(read.output.find("audit-errors 0\n"), std::string::npos) << read.output;
  // The report's areas as applied, against its total: a quarter stays open.
  EXPECT_NE(read.output.find("segment PIE-Offices 180.00 0.00 closed\n"), std::string::npos) << read.output;
  EXPECT_NE(read.output.find("segment PIE-Stores 90.00 180.00 closed\n"), std::string::npos) << read.output;
  // The marker's radius, text size, precision and rotation; the preferences' units.
  EXPECT_NE(read.output.find("attdef Offices (50.0 sq.m.)|Offices (50.0 sq.m.) 0 3 (2500,0) const\n"),
            std::string::npos)
      << read.output;
  EXPECT_NE(read.output.find("attdef Floor 1|Total: 100.0sq.m. 1 3 (0,-2850) const\n"), std::string::npos)
      << read.output;
  EXPECT_EQ(countOccurrences(read.output, "line "), 0) << read.output;
  EXPECT_NE(read.output.find("insert [ZELPH_PIECHART]_Floor 1 (50000,5000) 90.0 shown\n"), std::string::npos)
      << read.output;
}

}  // namespace
