// The legend of a graphic report as another program reads it: a block
// named after the report holding a table of the categories, their swatches
// and areas; names cleaned, texts shown as written, swatches marked when
// their pattern cannot be drawn, empty categories left out when asked, and
// a legend made again redrawn in place.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "AcApDocManager.h"
#include "AcGeConstants.h"
#include "SpaceDrawings.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "charts/LegendTable.h"
#include "dbmain.h"
#include "host/AcadDrawing.h"
#include "host/HostProduct.h"
#include "reports/GraphicReport.h"

using namespace spatiary_test;

namespace {

// The legend block: the table's title and rows, cell by cell, and what the
// swatch blocks hold.
const char* kListLegend = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
legends = [b for b in doc.blocks if b.name.startswith("[ZELPH_LEGEND]_")]
for legend in legends:
    print("legend", legend.name, len(legend))
    for table in legend.query("ACAD_TABLE"):
        drawn = doc.blocks[table.xtags.get_subclass("AcDbBlockReference").get_first_value(2)]
        print("cells", " | ".join(t.plain_text() for t in drawn.query("MTEXT")))
        for insert in drawn.query("INSERT"):
            swatch = doc.blocks[insert.dxf.name]
            print("swatch", insert.dxf.name, " ".join(sorted(e.dxftype() + ("=" + e.dxf.text if e.dxftype() == "ATTDEF" else "") for e in swatch)))
for insert in doc.modelspace().query("INSERT"):
    if insert.dxf.name.startswith("[ZELPH_LEGEND]_"):
        print("placed", insert.dxf.name, tuple(round(v, 3) for v in insert.dxf.insert), round(float(insert.dxf.rotation), 3))
print("table-blocks", sum(1 for b in doc.blocks if b.name.startswith("*T")))
)py";

std::string category(const std::string& title, const std::string& pattern, int scale, const std::string& areas) {
  std::string spaces;
  int handle = 0x100;
  for (char area : areas) {
    spaces += "<zelphBlock><mbHandle>" + std::to_string(handle++) + "</mbHandle><mbArea>" +
              std::string(1, area) + "</mbArea></zelphBlock>";
  }
  return "<category><cTitle>" + title + "</cTitle><cHatchPattern>" + pattern +
         "</cHatchPattern><cHatchColour>#FF8000</cHatchColour><cHatchScale>" + std::to_string(scale) +
         "</cHatchScale><cHatchAngle>0</cHatchAngle><cHatchLayer>HATCH-LEGEND</cHatchLayer><zelphBlocks>" + spaces +
         "</zelphBlocks></category>";
}

class LegendTable : public ::testing::Test {
 protected:
  void SetUp() override {
    m_document = acDocManager->newDocument();
    ASSERT_EQ(drawing.bindCurrentDocument(), 1);
    ASSERT_EQ(drawing.lock(), Acad::eOk);
  }
  void TearDown() override {
    drawing.unlock();
    if (acDocManager->isOpen(m_document)) acDocManager->closeDocument(m_document);
  }

  void load(const std::string& title, const std::string& categories) {
    writeFile(scratch / "report.xml", "<?xml version=\"1.0\"?>\n<graphicReport><grTitle>" + title +
                                          "</grTitle><categories>" + categories + "</categories></graphicReport>\n");
    report = std::make_unique<CGraphicReport>();
    report->load(utf8ToWide((scratch / "report.xml").string()));
  }

  std::string saved() {
    const auto path = scratch / "legend.dxf";
    EXPECT_EQ(drawing.getDatabase()->saveAs(utf8ToWide(path.string()).c_str()), Acad::eOk);
    const auto listed = runPython(kListLegend, {path.string()});
    EXPECT_EQ(listed.exitCode, 0) << listed.output;
    return listed.output;
  }

  AcApDocument* m_document = nullptr;
  CAcadDrawing drawing;
  std::unique_ptr<CGraphicReport> report;
  ScratchFolder scratch;
};

}  // namespace

TEST_F(LegendTable, TitleHeadersAndOneRowPerCategoryWithItsSwatch) {
  load("A/B", category("Offices", "ANSI31", 1, "34") + category("Store\\Archive", "SOLID", 1, "5") +
                  category("Unused", "ANSI31", 1, "0"));
  CLegendTable legend(drawing, 2.5, 2, L"sq.m.", false, *report, 0.0);
  EXPECT_EQ(saved(),
            "audit-errors 0\n"
            "legend [ZELPH_LEGEND]_A_B 1\n"
            "cells A/B | Description | Hatch | Area sq.m. | Offices | 7.00 | Store\\Archive | 5.00 | Unused | 0.00\n"
            "swatch [ZELPH_LEGEND_HATCH]_A_B_Offices HATCH LWPOLYLINE\n"
            "swatch [ZELPH_LEGEND_HATCH]_A_B_Store_Archive HATCH LWPOLYLINE\n"
            "swatch [ZELPH_LEGEND_HATCH]_A_B_Unused HATCH LWPOLYLINE\n"
            "table-blocks 1\n");
}

TEST_F(LegendTable, EmptyCategoriesLeftOutWhenAsked) {
  load("Occupancy", category("Offices", "ANSI31", 1, "34") + category("Unused", "ANSI31", 1, "00") +
                        category("Vacant", "ANSI31", 1, ""));
  CLegendTable legend(drawing, 2.5, 1, L"sq.ft.", true, *report, 0.0);
  EXPECT_EQ(saved(),
            "audit-errors 0\n"
            "legend [ZELPH_LEGEND]_Occupancy 1\n"
            "cells Occupancy | Description | Hatch | Area sq.ft. | Offices | 7.0\n"
            "swatch [ZELPH_LEGEND_HATCH]_Occupancy_Offices HATCH LWPOLYLINE\n"
            "table-blocks 1\n");
}

// A fine pattern over a swatch this large would need millions of lines.
TEST_F(LegendTable, PatternTooDenseMarksItsSwatch) {
  load("Dense", category("Fine", "ANSI31", 1, "1"));
  CLegendTable dense(drawing, 2000000.0, 2, L"sq.m.", false, *report, 0.0);
  const std::string listed = saved();
  EXPECT_NE(listed.find("swatch [ZELPH_LEGEND_HATCH]_Dense_Fine ATTDEF=<! LWPOLYLINE\n"), std::string::npos) << listed;
}

// Applied again with other figures: one legend, redrawn, and the legend
// placed before shows the new one.
TEST_F(LegendTable, LegendMadeAgainIsRedrawnInPlace) {
  const CHostProduct before = CHostProduct::current();
  CHostProduct::setCurrent(CHostProduct::detect(L"BricsCAD"));
  load("Occupancy", category("Offices", "ANSI31", 1, "34") + category("Stores", "SOLID", 1, "5"));
  const AcGePoint3d first(100, 50, 0);
  { CLegendTable legend(drawing, 2.5, 2, L"sq.m.", false, *report, 0.0, &first); }
  load("Occupancy", category("Offices", "ANSI31", 1, "12"));
  const AcGePoint3d second(300, 50, 0);
  { CLegendTable legend(drawing, 2.5, 2, L"sq.m.", false, *report, kPi / 6, &second); }
  CHostProduct::setCurrent(before);
  const std::string listed = saved();
  EXPECT_EQ(listed,
            "audit-errors 0\n"
            "legend [ZELPH_LEGEND]_Occupancy 1\n"
            "cells Occupancy | Description | Hatch | Area sq.m. | Offices | 3.00\n"
            "swatch [ZELPH_LEGEND_HATCH]_Occupancy_Offices HATCH LWPOLYLINE\n"
            "placed [ZELPH_LEGEND]_Occupancy (100.0, 50.0, 0.0) 0.0\n"
            "placed [ZELPH_LEGEND]_Occupancy (300.0, 50.0, 0.0) 30.0\n"
            "table-blocks 1\n");
  // The project reads the file back.
  AcDbDatabase loaded(false);
  EXPECT_EQ(loaded.dxfIn(utf8ToWide((scratch / "legend.dxf").string()).c_str()), Acad::eOk);
}

namespace {

// The commands as a planner types them, over a drawing of two spaces.
class LegendCommands : public SpaceCommandTest {
 protected:
  LegendCommands() { makeSpaceDrawing(drawing, 2); }

  std::string reportFile(const std::string& title, const std::string& categories, const std::string& more = "") {
    const auto path = scratch / "report.xml";
    writeFile(path, "<?xml version=\"1.0\"?>\n<graphicReport><grTitle>" + title + "</grTitle><grTotalChildAreas>" +
                        "100</grTotalChildAreas>" + more + "<categories>" + categories +
                        "</categories></graphicReport>\n");
    return path.string();
  }

  std::string legend() {
    const auto listed = runPython(kListLegend, {saved});
    EXPECT_EQ(listed.exitCode, 0) << listed.output;
    return listed.output;
  }
};

}  // namespace

// mlbd asks for the report and the settings and defines the legend only;
// Enter takes the defaults shown.
TEST_F(LegendCommands, LegendDefinedFromTheSettingsGiven) {
  const std::string report =
      reportFile("Occupancy", category("Offices", "ANSI31", 1, "34") + category("Unused", "ANSI31", 1, "0"));
  const RunResult result = run("mlbd\n" + report + "\n5\n\nno\n\n1\n");
  for (const char* expected : {"Zelph Legend Block Define", "specify text size <250.00>:", "specify rotation (in degrees) <0.00>:",
                               "ignore empty categories and pie chart segments?", "specify units <sq.m.>:",
                               "specify precision <2>:", "legend definition successfully created.\n"})
    EXPECT_NE(result.output.find(expected), std::string::npos) << expected << "\n" << result.output;
  EXPECT_EQ(result.output.find("specify pie chart radius"), std::string::npos) << result.output;
  EXPECT_EQ(legend(),
            "audit-errors 0\n"
            "legend [ZELPH_LEGEND]_Occupancy 1\n"
            "cells Occupancy | Description | Hatch | Area sq.m. | Offices | 7.0 | Unused | 0.0\n"
            "swatch [ZELPH_LEGEND_HATCH]_Occupancy_Offices HATCH LWPOLYLINE\n"
            "swatch [ZELPH_LEGEND_HATCH]_Occupancy_Unused HATCH LWPOLYLINE\n"
            "table-blocks 1\n");
}

// mpbd asks for the pie radius too, ten text sizes by default, and defines
// the pie chart only.
TEST_F(LegendCommands, PieChartDefinedFromTheSettingsGiven) {
  const std::string report = reportFile("Occupancy", category("Offices", "ANSI31", 1, "34"));
  const RunResult result = run("mpbd\n" + report + "\n5\n\n\n\n\n\n");
  for (const char* expected : {"Zelph Pie Chart Block Define", "specify pie chart radius <50.00>:",
                               "pie chart definition successfully created.\n"})
    EXPECT_NE(result.output.find(expected), std::string::npos) << expected << "\n" << result.output;
  EXPECT_EQ(result.output.find("legend definition"), std::string::npos) << result.output;
  const auto listed = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print(len(doc.audit().errors), [b.name for b in doc.blocks if b.name.startswith("[ZELPH_")])
)py",
                                {saved});
  EXPECT_EQ(listed.output, "0 ['[ZELPH_PIECHART]_Occupancy']\n");
}

// A size nothing can be drawn with is refused before anything is made.
TEST_F(LegendCommands, UnusableTextSizeDefinesNothing) {
  const std::string report = reportFile("Occupancy", category("Offices", "ANSI31", 1, "34"));
  const RunResult result = run("mlbd\n" + report + "\n-5\n\n\n\n\n");
  EXPECT_NE(result.output.find("the text size must be greater than 0: nothing defined.\n"), std::string::npos)
      << result.output;
  EXPECT_EQ(result.output.find("legend definition successfully created."), std::string::npos) << result.output;
  EXPECT_EQ(legend(), "audit-errors 0\ntable-blocks 0\n");
}

namespace {

// Adds a closed 60 by 40 rectangle at (1000,2000)-(1060,2040) for a marker
// and prints its handle.
const char* kAddOutline = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
outline = doc.modelspace().add_lwpolyline([(1000, 2000), (1060, 2000), (1060, 2040), (1000, 2040)], close=True)
doc.saveas(sys.argv[1])
print(outline.dxf.handle)
)py";

// Applying a report over a drawing of two spaces, with or without a legend marker.
class ReportCharts : public LegendCommands {
 protected:
  ReportCharts() {
    const auto added = runPython(kAddOutline, {drawing});
    EXPECT_EQ(added.exitCode, 0) << added.output;
    outline = added.output.substr(0, added.output.find('\n'));
    report = reportFile("Occupancy", categories());
  }

  // Offices: the two spaces of the drawing, given 3 and 4 sq.m.; Unused: none.
  std::string categories() const {
    const auto listed = runPython("import sys, ezdxf\nfor i in ezdxf.readfile(sys.argv[1]).modelspace().query('INSERT'):"
                                  "\n    print(i.dxf.handle)\n",
                                  {drawing});
    std::istringstream handles(listed.output);
    std::string first, second;
    handles >> first >> second;
    std::string offices = category("Offices", "ANSI31", 1, "34");
    offices.replace(offices.find(">256<"), 5, ">" + first + "<");
    offices.replace(offices.find(">257<"), 5, ">" + second + "<");
    return offices + category("Unused", "ANSI31", 1, "");
  }

  // The legend marker on the rectangle: precision 1, text size 5, rotation 0.
  std::string legendMarker() const { return "mlmc\n#" + outline + "\n1\n5\n0\n"; }

  std::string outline;
  std::string report;
};

}  // namespace

// Without markers the legend and the pie chart are defined, not placed,
// from the settings asked for after the report is applied.
TEST_F(ReportCharts, WithoutMarkersBothAreDefinedFromTheSettingsAskedFor) {
  const RunResult result = run("magr\n" + report + "\n5\n\n\nyes\n\n1\n");
  const size_t applied = result.output.find("graphic report successfully applied.\n");
  ASSERT_NE(applied, std::string::npos) << result.output;
  for (const char* expected : {"specify text size", "specify pie chart radius <50.00>:",
                               "legend definition successfully created.\n",
                               "pie chart definition successfully created.\n"})
    EXPECT_NE(result.output.find(expected, applied), std::string::npos) << expected << "\n" << result.output;
  EXPECT_EQ(legend(),
            "audit-errors 0\n"
            "legend [ZELPH_LEGEND]_Occupancy 1\n"
            "cells Occupancy | Description | Hatch | Area sq.m. | Offices | 7.0\n"
            "swatch [ZELPH_LEGEND_HATCH]_Occupancy_Offices HATCH LWPOLYLINE\n"
            "table-blocks 1\n");
}

// A legend marker gives the legend its place and settings, empty
// categories included; only the pie chart is then asked for.  The layer
// list of the report leaves the legend's layer on.
TEST_F(ReportCharts, LegendAtItsMarkerThenThePieChartAskedFor) {
  report = reportFile("Occupancy", categories(),
                      "<layersOn><layerOn><loName>HATCH-LEGEND</loName></layerOn></layersOn>");
  const RunResult result = run(legendMarker() + "magr\n" + report + "\n5\n\n\n\n\n\n");
  const size_t applied = result.output.find("graphic report successfully applied.\n");
  ASSERT_NE(applied, std::string::npos) << result.output;
  EXPECT_NE(result.output.find("specify pie chart radius", applied), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("pie chart definition successfully created.\n", applied), std::string::npos)
      << result.output;
  EXPECT_EQ(result.output.find("legend definition successfully created."), std::string::npos) << result.output;
  EXPECT_EQ(legend(),
            "audit-errors 0\n"
            "legend [ZELPH_LEGEND]_Occupancy 1\n"
            "cells Occupancy | Description | Hatch | Area sq.m. | Offices | 7.0 | Unused | 0.0\n"
            "swatch [ZELPH_LEGEND_HATCH]_Occupancy_Offices HATCH LWPOLYLINE\n"
            "swatch [ZELPH_LEGEND_HATCH]_Occupancy_Unused HATCH LWPOLYLINE\n"
            "placed [ZELPH_LEGEND]_Occupancy (1000.0, 2040.0, 0.0) 0.0\n"
            "table-blocks 1\n");
  const auto layers = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
insert = doc.modelspace().query('INSERT[name=="[ZELPH_LEGEND]_Occupancy"]').first
print(insert.dxf.layer, doc.layers.get(insert.dxf.layer).is_on())
)py",
                                {saved});
  EXPECT_EQ(layers.output.substr(layers.output.find(' ')), " True\n") << layers.output;
}

// Where markers cannot be made, both are always asked for, even in a
// drawing that has a marker.
TEST_F(ReportCharts, OnAProductWithoutMarkersBothAreAskedFor) {
  run(legendMarker());
  std::filesystem::copy_file(saved, drawing, std::filesystem::copy_options::overwrite_existing);
  const RunResult result =
      runSpatiary({"--product", "AutoCAD LT 2020", "--appdata", (scratch / "appdata").string(), "-o", saved, drawing},
                  "magr\n" + report + "\n5\n\n\n\n\n\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("legend definition successfully created.\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("pie chart definition successfully created.\n"), std::string::npos) << result.output;
  EXPECT_EQ(legend().find("placed"), std::string::npos);
}
