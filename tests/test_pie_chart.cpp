// Pie charts of graphic reports: one hatched sector per category sized by
// its share of the report's total, labels placed and aligned round the
// chart, title and total, the block inserted where asked; read back from
// the saved drawing by ezdxf.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "AcApDocManager.h"
#include "AcApDocument.h"
#include "AcDbDatabase.h"
#include "HostSession.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "charts/PieChart.h"
#include "host/AcadDrawing.h"
#include "module/HostProduct.h"
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
        print("insert %s (%.0f,%.0f) %.1f" % (insert.dxf.name, p.x, p.y, insert.dxf.rotation))
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
    const auto path = utf8ToWide((sourceDir() / "samples" / "floorplan.dxf").string());
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
  EXPECT_NE(read.find("insert [ZELPH_PIECHART]_Use_Occupancy (50000,20000) 30.0\n"), std::string::npos) << read;
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
  EXPECT_EQ(countOccurrences(read, "insert [ZELPH_PIECHART]_Use_Occupancy (0,0) 30.0\n"), 2) << read;
}

TEST_F(PieCharts, NoTotalNoChart) {
  chart(report(0, category("Offices", "#FF0000", space(40))), Options());
  EXPECT_EQ(countOccurrences(saveAndRead(), "block "), 0);
}

}  // namespace
