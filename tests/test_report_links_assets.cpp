// Graphic reports that carry hyperlinks and assets, applied with magr: the
// spaces and their hatches take the entry's links (their labels too where
// the host shows links on attributes), a category's assets are hatched
// and their layers shown; ezdxf reads the saved drawing back.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "SpaceDrawings.h"
#include "TestSupport.h"

using namespace spatiary_test;

namespace {

// Three rooms, a desk standing in Room 1 on the layer FURNITURE, which is
// off, and a chair outside every room; prints "NAME HANDLE" per reference.
const char* kFurnish = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
doc.layers.add("FURNITURE").off()
desk = doc.blocks.new("DESK")
desk.add_lwpolyline([(0, 0), (1600, 0), (1600, 800), (0, 800)], close=True)
doc.blocks.new("CHAIR").add_circle((0, 0), 300)
msp = doc.modelspace()
msp.add_blockref("DESK", (500, 1000), dxfattribs={"layer": "FURNITURE"})
msp.add_blockref("CHAIR", (5000, 9000))
doc.saveas(sys.argv[1])
for insert in msp.query("INSERT"):
    print(insert.dxf.name, insert.dxf.handle)
)py";

// Per reference its first link and its labels' links, per hatch its layer,
// box and first link, then every layer's visibility.
const char* kReadLinks = R"py(
import sys, ezdxf
from ezdxf import bbox
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
msp = doc.modelspace()
for insert in msp.query("INSERT"):
    urls = [value for code, value in insert.get_xdata("PE_URL") if code == 1000] if insert.has_xdata("PE_URL") else []
    print("insert", insert.dxf.name, insert.get_hyperlink(), urls, [a.has_hyperlink() for a in insert.attribs])
for hatch in msp.query("HATCH"):
    box = bbox.extents([hatch])
    print("hatch", hatch.dxf.layer, "(%d,%d)-(%d,%d)" % (box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y),
          hatch.get_hyperlink())
for layer in doc.layers:
    print("layer", layer.dxf.name, "on" if layer.is_on() else "off")
)py";

class ReportLinksAndAssets : public SpaceCommandTest {
 protected:
  void SetUp() override {
    makeSpaceDrawing(drawing, 3);
    const auto furnished = runPython(kFurnish, {drawing});
    ASSERT_EQ(furnished.exitCode, 0) << furnished.output;
    std::istringstream lines(furnished.output);
    std::string block, handle;
    while (lines >> block >> handle) handles[block] = handle;
    ASSERT_EQ(handles.size(), 5u) << furnished.output;
  }

  RunResult apply(const std::string& categories, const std::string& product = "BricsCAD 18") {
    writeFile(scratch / "report.xml", "<?xml version=\"1.0\"?>\n<graphicReport><grTitle>Links</grTitle><categories>" +
                                          categories + "</categories></graphicReport>\n");
    const auto result = runSpatiary(
        {"--appdata", (scratch / "appdata").string(), "--product", product, "-o", saved, drawing},
        // Enter at each question about the legend and pie chart.
        "magr\n" + (scratch / "report.xml").string() + "\n\n\n\n\n\n\n");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
    EXPECT_EQ(countOccurrences(result.output, "error(s) occurred"), 0) << result.output;
    EXPECT_NE(result.output.find("graphic report successfully applied.\n"), std::string::npos) << result.output;
    return result;
  }

  std::string readBack() {
    const auto read = runPython(kReadLinks, {saved});
    EXPECT_EQ(read.exitCode, 0) << read.output;
    EXPECT_EQ(read.output.rfind("audit-errors 0\n", 0), 0u) << read.output;
    return read.output;
  }

  std::map<std::string, std::string> handles;
};

const std::string kHatch =
    "<cHatchPattern>SOLID</cHatchPattern><cHatchColour>#FF8000</cHatchColour><cHatchScale>1</cHatchScale>"
    "<cHatchAngle>0</cHatchAngle><cHatchLayer>HATCH-LET</cHatchLayer>";

std::string link(const std::string& address, const std::string& description) {
  return "<hyperlink><bhHref>" + address + "</bhHref><bhDescription>" + description + "</bhDescription></hyperlink>";
}

std::string linkedRooms(const std::string& room1, const std::string& room2) {
  return "<category><cTitle>Let</cTitle>" + kHatch + "<zelphBlocks><zelphBlock><mbHandle>" + room1 +
         "</mbHandle><hyperlinks>" + link("http://plans/1", "Plan") + link("file:///leases/1.pdf", "Lease") +
         "</hyperlinks></zelphBlock><zelphBlock><mbHandle>" + room2 + "</mbHandle></zelphBlock></zelphBlocks></category>";
}

TEST_F(ReportLinksAndAssets, AnEntrysLinksGoOnItsSpaceAndItsHatch) {
  apply(linkedRooms(handles.at("ROOM-1"), handles.at("ROOM-2")));
  const std::string links = readBack();
  EXPECT_NE(links.find("insert ROOM-1 ('http://plans/1', 'Plan', '') ['http://plans/1', 'Plan', '', "
                       "'file:///leases/1.pdf', 'Lease', ''] [False, False, False]\n"),
            std::string::npos)
      << links;
  EXPECT_NE(links.find("insert ROOM-2 ('', '', '') [] [False, False, False]\n"), std::string::npos) << links;
  EXPECT_NE(links.find("insert ROOM-3 ('', '', '') [] [False, False, False]\n"), std::string::npos) << links;
  EXPECT_NE(links.find("hatch HATCH-LET (0,0)-(3000,4000) ('http://plans/1', 'Plan', '')\n"), std::string::npos)
      << links;
  EXPECT_NE(links.find("hatch HATCH-LET (12000,0)-(15500,4000) ('', '', '')\n"), std::string::npos) << links;

  // Applied again, the links are replaced, not added to.
  drawing = saved;
  apply(linkedRooms(handles.at("ROOM-1"), handles.at("ROOM-2")));
  EXPECT_EQ(countOccurrences(readBack(), "'file:///leases/1.pdf'"), 1);
}

TEST_F(ReportLinksAndAssets, AutoCADShowsTheLinksOnTheLabelsToo) {
  apply(linkedRooms(handles.at("ROOM-1"), handles.at("ROOM-2")), "AutoCAD 2021");
  const std::string links = readBack();
  EXPECT_NE(links.find("insert ROOM-1 ('http://plans/1', 'Plan', '') ['http://plans/1', 'Plan', '', "
                       "'file:///leases/1.pdf', 'Lease', ''] [True, True, True]\n"),
            std::string::npos)
      << links;
  EXPECT_NE(links.find("insert ROOM-2 ('', '', '') [] [False, False, False]\n"), std::string::npos) << links;
}

TEST_F(ReportLinksAndAssets, ACategorysAssetsAreHatchedAndTheirLayersShown) {
  const auto result = apply("<category><cTitle>Furniture</cTitle>" + kHatch + "<assets><asset><handle>" +
                            handles.at("DESK") + "</handle><blockIdentifier>DESK</blockIdentifier></asset>"
                            "<asset><handle>FFFFF</handle></asset></assets></category>");
  EXPECT_EQ(countOccurrences(result.output, "FFFFF"), 0) << "an asset not in the drawing is passed over\n"
                                                         << result.output;
  const std::string shown = readBack();
  EXPECT_EQ(countOccurrences(shown, "hatch "), 1) << shown;
  EXPECT_NE(shown.find("hatch HATCH-LET (500,1000)-(2100,1800) ('', '', '')\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("layer FURNITURE on\n"), std::string::npos) << shown;
  EXPECT_NE(shown.find("layer HATCH-LET on\n"), std::string::npos) << shown;
}

}  // namespace
