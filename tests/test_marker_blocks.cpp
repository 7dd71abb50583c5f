// Legend and pie chart markers as a planner places them: mlmc on a closed
// polyline, mpmc on a circle, picked in the sample floor plan; the saved
// marker blocks, their attributes and hidden layers read back by ezdxf,
// and markers the user turned or edited read back by the module.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "AcApDocManager.h"
#include "AcApDocument.h"
#include "HostSession.h"
#include "SpaceDrawings.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "host/AcadDrawing.h"
#include "spaces/Blocks.h"
#include "spaces/MarkerBlockLegend.h"
#include "spaces/MarkerBlockPie.h"

using namespace spatiary_test;

namespace {

// The sample floor plan with an open polyline (4D), a circle (4E), a closed
// polyline on a locked layer (4F) and a closed 6 by 4 metre rectangle (50).
const char* kMakeDrawing = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
doc.layers.add("LOCKED").lock()
msp.add_lwpolyline([(30000, 0), (31000, 0), (31000, 1000)], dxfattribs={"layer": "A-AREA"})
msp.add_circle((40000, 5000), 3000, dxfattribs={"layer": "A-AREA"})
msp.add_lwpolyline([(50000, 0), (51000, 0), (51000, 1000)], close=True, dxfattribs={"layer": "LOCKED"})
msp.add_lwpolyline([(30000, 10000), (36000, 10000), (36000, 14000), (30000, 14000)], close=True,
                   dxfattribs={"layer": "A-AREA"})
doc.saveas(sys.argv[2])
)py";

// Each marker block's content and attribute definitions, each marker
// reference with its attributes, the marker layers' visibility, and
// whether the outlines are still in model space.
const char* kReadMarkers = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
for name in ("MARKER-LEGEND", "MARKER-PIECHART"):
    block = doc.blocks.get(name)
    if block is None:
        continue
    print("block", name, " ".join(e.dxftype() for e in block))
    for d in block.query("ATTDEF"):
        x, y, _ = d.dxf.insert
        print("attdef %s|%s|%s (%.0f,%.0f) %g %s %d%s" % (d.dxf.tag, d.dxf.prompt, d.dxf.text, x, y, d.dxf.height,
              d.dxf.layer, d.dxf.field_length, " const" if d.is_const else ""))
for insert in doc.modelspace().query("INSERT"):
    x, y, _ = insert.dxf.insert
    print("insert %s %s (%.0f,%.0f) %.1f" % (insert.dxf.name, insert.dxf.layer, x, y, insert.dxf.rotation),
          " ".join("%s=%s" % (a.dxf.tag, a.dxf.text) for a in insert.attribs))
for layer in doc.layers:
    if layer.dxf.name.startswith("ZELPH_"):
        print("layer", layer.dxf.name, "on" if layer.is_on() else "off")
print("model", " ".join(e.dxf.handle for e in doc.modelspace() if e.dxf.handle in ("4D", "4E", "4F", "50")))
)py";

// The user turns the legend marker to 45 degrees and types a new legend text size.
const char* kEditMarker = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
insert = doc.modelspace().query('INSERT[name=="MARKER-LEGEND"]').first
insert.dxf.rotation = 45
insert.get_attrib("LEGENDTEXTSIZE").dxf.text = "321.5"
insert.get_attrib("LEGENDUNITS").dxf.text = "1"
doc.saveas(sys.argv[1])
)py";

class MarkerBlocks : public SpaceCommandTest {
 protected:
  MarkerBlocks() {
    const auto made = runPython(kMakeDrawing, {floorDrawing().string(), drawing});
    EXPECT_EQ(made.exitCode, 0) << made.output;
  }

  std::string markers(const std::string& path) {
    const auto read = runPython(kReadMarkers, {path});
    EXPECT_EQ(read.exitCode, 0) << read.output;
    EXPECT_NE(read.output.find("audit-errors 0\n"), std::string::npos) << read.output;
    return read.output;
  }
};

TEST_F(MarkerBlocks, ALegendMarkerIsMadeOnceFromAClosedPolyline) {
  const auto result = run(
      "mlmc\n#4D\n"        // open: refused
      "mlmc\n#4F\n"        // on a locked layer: refused
      "mlmc\n#4E\n#50\n3\n100\n30\n"  // a circle is asked again for
      "mlmc\n");
  EXPECT_NE(result.output.find("Zelph Create Legend Marker Block 64."), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("\nInvalid Selection - Polyline is not closed\n\n"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("\nPolyline On Locked Layer - Legend Block Marker Creation Failed\n"), std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("Invalid selection - AcDbCircle.\n"), std::string::npos) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Block Created Successfully\n"), 1) << result.output;
  EXPECT_NE(result.output.find("\n\nLegend Marker Block Already Exists\n"), std::string::npos) << result.output;

  const std::string read = markers(saved);
  // The outline left model space for the block, whose origin is its top-left corner.
  EXPECT_NE(read.find("block MARKER-LEGEND LWPOLYLINE ATTDEF ATTDEF ATTDEF ATTDEF ATTDEF\n"), std::string::npos)
      << read;
  EXPECT_NE(read.find("model 4D 4E 4F\n"), std::string::npos) << read;
  EXPECT_NE(read.find("attdef LEGENDTITLE|LEGEND BLOCK| (0,-100) 100 ZELPH_LEGEND_MARKER 1\n"), std::string::npos)
      << read;
  EXPECT_NE(read.find("attdef LEGENDTEXTSIZE|Enter legend text size|100.000 (0,-200) 100 ZELPH_LEGEND_MARKER 8\n"),
            std::string::npos)
      << read;
  EXPECT_NE(read.find("attdef LEGENDPRECISION|Enter precision|3 (0,-300) 100 ZELPH_LEGEND_MARKER 2\n"),
            std::string::npos)
      << read;
  EXPECT_NE(read.find("attdef LEGENDROTATION|Enter Rotation|0.000 (0,-400) 100 ZELPH_LEGEND_MARKER 6\n"),
            std::string::npos)
      << read;
  EXPECT_NE(read.find("attdef LEGENDUNITS|Enter legend units|0 (0,-500) 100 ZELPH_LEGEND_MARKER 2\n"),
            std::string::npos)
      << read;
  EXPECT_NE(read.find("insert MARKER-LEGEND ZELPH_LEGEND_MARKER (30000,14000) 30.0 LEGENDTITLE= "
                      "LEGENDTEXTSIZE=100.000 LEGENDPRECISION=3 LEGENDROTATION=0.000 LEGENDUNITS=0\n"),
            std::string::npos)
      << read;
  EXPECT_NE(read.find("layer ZELPH_LEGEND_MARKER off\n"), std::string::npos) << read;
}

TEST_F(MarkerBlocks, APieMarkerIsMadeFromACircleWithThePreferencesAsDefaults) {
  usePreferences(1, 1);
  const auto result = run("mpmc\n#50\n#4E\n\n\n\nmpmc\n");
  EXPECT_NE(result.output.find("Zelph Create Pie Chart Marker Block 64."), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("Invalid selection - AcDbPolyline.\n"), std::string::npos) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Block Created Successfully\n"), 1) << result.output;
  EXPECT_NE(result.output.find("\n\n Pie Chart Marker Block Already Exists\n"), std::string::npos) << result.output;

  const std::string read = markers(saved);
  EXPECT_NE(read.find("block MARKER-PIECHART CIRCLE ATTDEF ATTDEF ATTDEF ATTDEF ATTDEF\n"), std::string::npos) << read;
  EXPECT_NE(read.find("attdef PIERADIUS|Enter Radius|3000.0 (0,-1000) 250 ZELPH_PIECHART_MARKER 7\n"),
            std::string::npos)
      << read;
  EXPECT_NE(read.find("insert MARKER-PIECHART ZELPH_PIECHART_MARKER (40000,5000) 0.0 PIETITLE= PIETEXTSIZE=250.0 "
                      "PIEPRECISION=1 PIERADIUS=3000.0 PIEXYOFFSETVALUE=500.0\n"),
            std::string::npos)
      << read;
  EXPECT_NE(read.find("layer ZELPH_PIECHART_MARKER off\n"), std::string::npos) << read;
  EXPECT_NE(read.find("model 4D 4F 50\n"), std::string::npos) << read;
}

TEST_F(MarkerBlocks, OnlyFullProductsHaveMarkerCommands) {
  const auto result = runSpatiary({"--product", "AutoCAD LT 2020", "--appdata", (scratch / "appdata").string(),
                                   "--keep-going", "-o", saved, drawing},
                                  "mlmc\nmpmc\n");
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("Unknown command \"MLMC\""), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("Unknown command \"MPMC\""), std::string::npos) << result.output;
}

TEST_F(MarkerBlocks, AMarkerTurnedOrEditedByTheUserIsReadAsItStands) {
  run("mlmc\n#50\n3\n100\n30\nmpmc\n#4E\n2\n80\n\n");
  const auto edited = runPython(kEditMarker, {saved});
  ASSERT_EQ(edited.exitCode, 0) << edited.output;

  std::ostringstream transcript;
  HostSession::instance().setOutput(&transcript);
  ASSERT_EQ(acDocManager->appContextOpenDocument(utf8ToWide(saved).c_str()), Acad::eOk);
  CAcadDrawing session;
  session.bindCurrentDocument();
  CBlocks legends, pies;
  legends.getLegendBlock_SS(session);
  pies.getPieBlock_SS(session);
  acDocManager->closeDocument(session.getDocument());
  HostSession::instance().setOutput(&std::cout);

  ASSERT_EQ(legends.getCount(), 1);
  const auto& legend = *static_cast<const CMarkerBlockLegend*>(legends.getAt(0));
  EXPECT_NEAR(legend.getRotation(), std::atan(1.0), 1e-9);
  EXPECT_DOUBLE_EQ(legend.getTextSize(), 321.5);
  EXPECT_EQ(legend.getPrecision(), 3);
  EXPECT_EQ(legend.getUnits(), 1);
  EXPECT_NEAR(legend.getPosition().x, 30000.0, 1e-6);
  EXPECT_NEAR(legend.getPosition().y, 14000.0, 1e-6);

  ASSERT_EQ(pies.getCount(), 1);
  const auto& pie = *static_cast<const CMarkerBlockPie*>(pies.getAt(0));
  EXPECT_DOUBLE_EQ(pie.getRadius(), 3000.0);
  EXPECT_DOUBLE_EQ(pie.getTextSize(), 80.0);
  EXPECT_EQ(pie.getPrecision(), 2);
  EXPECT_NEAR(pie.getRotation(), 0.0, 1e-12);
  EXPECT_NEAR(pie.getPosition().x, 40000.0, 1e-6);
  EXPECT_NEAR(pie.getPosition().y, 5000.0, 1e-6);
}

}  // namespace
