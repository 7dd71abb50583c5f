// Conversion and checking commands: foreign room labels turned into
// spaces, label attributes put on their layers, one space's details.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "SpaceDrawings.h"
#include "TestSupport.h"

using namespace spatiary_test;
namespace fs = std::filesystem;

namespace {

// Open outlines in millimetres, each named by a foreign label block whose
// PLINE2_ID holds the outline's handle: a 5 by 4 and a 6 by 3 metre room,
// a label naming no object, one without a ROOM text, and a 2 by 2 room.
// The BOMA layer is frozen and off.
// Given a second path, the labels and outlines are added to that drawing.
const char* kForeignDrawing = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[2]) if len(sys.argv) > 2 else ezdxf.new("R2010")
doc.units = 4  # drawn in millimetres
doc.layers.add("BOMA").freeze()
doc.layers.get("BOMA").off()
msp = doc.modelspace()
label = doc.blocks.new("DOVREL_SPACE_LABEL")
label.add_attdef("ROOM", (0, 0), dxfattribs={"height": 100})
label.add_attdef("PLINE2_ID", (0, -200), dxfattribs={"height": 100})
def outline(x, y, w, h):
    return msp.add_lwpolyline([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], dxfattribs={"layer": "BOMA"})
rooms = [("Office A", outline(0, 0, 5000, 4000).dxf.handle, (1000, 1000), 90),
         ("Office B", outline(6000, 0, 6000, 3000).dxf.handle, (7000, 1000), 0),
         ("Ghost", "FFFFF", (20000, 0), 0),
         (None, outline(0, 5000, 2000, 2000).dxf.handle, (500, 5500), 0),
         ("Store", outline(3000, 5000, 2000, 2000).dxf.handle, (3500, 5500), 0)]
for room, handle, at, rotation in rooms:
    ref = msp.add_blockref("DOVREL_SPACE_LABEL", at)
    if room is not None:
        ref.add_attrib("ROOM", room, at, dxfattribs={"height": 200, "width": 0.8, "rotation": rotation})
    ref.add_attrib("PLINE2_ID", handle, (at[0], at[1] - 200), dxfattribs={"height": 100})
    print(ref.dxf.handle)
doc.saveas(sys.argv[1])
)";

const char* kLayersAndLabels = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
for name in ("DOVREL", "BOMA"):
    if doc.layers.has_entry(name):
        layer = doc.layers.get(name)
        print(name, "on" if layer.is_on() else "off", "frozen" if layer.is_frozen() else "thawed",
              "%06X" % layer.dxf.true_color if layer.dxf.hasattr("true_color") else layer.color)
for ref in doc.modelspace().query("INSERT[name=='DOVREL_SPACE_LABEL']"):
    print("label", ref.dxf.layer)
for ref in doc.modelspace().query("INSERT"):
    if ref.dxf.name.startswith("ROOM-"):
        outline = [e for e in doc.blocks[ref.dxf.name] if e.dxftype() == "LWPOLYLINE"][0]
        attribs = {a.dxf.tag: a for a in ref.attribs}
        print("space", ref.dxf.name, outline.closed, "%.0f %.0f" % (attribs["AREA"].dxf.height,
              attribs["AREA"].dxf.rotation), attribs["AREA"].dxf.width)
print("lwpolylines in model space", len(doc.modelspace().query("LWPOLYLINE")))
)";

// Every hatch as "LAYER PATTERN RRGGBB (x0,y0)-(x1,y1)".
const char* kHatches = R"py(
import sys, ezdxf
from ezdxf import bbox
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
for hatch in doc.modelspace().query("HATCH"):
    box = bbox.extents([hatch])
    print(hatch.dxf.layer, hatch.dxf.pattern_name, "%06X" % ezdxf.colors.rgb2int(hatch.rgb),
          "(%d,%d)-(%d,%d)" % (box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y))
)py";

class SpaceConversion : public SpaceCommandTest {
 protected:
  SpaceConversion() { drawing = (scratch / "foreign.dxf").string(); }

  std::string layersAndLabels() {
    const auto listed = runPython(kLayersAndLabels, {saved});
    EXPECT_EQ(listed.exitCode, 0) << listed.output;
    return listed.output;
  }

};

TEST_F(SpaceConversion, ForeignRoomLabelsBecomeSpacesOfTheirOutlines) {
  ASSERT_EQ(runPython(kForeignDrawing, {drawing}).exitCode, 0);
  const auto result = run("msc_isc\n");
  EXPECT_EQ(result.output.find("Zelph"), std::string::npos) << result.output;  // no title
  const std::string listed = listSpaces(saved);
  EXPECT_NE(listed.find("ROOM-1|Office A|20.00sq.m.| |20.00sq.m.|18.00m.|Office A\n"), std::string::npos) << listed;
  EXPECT_NE(listed.find("ROOM-2|Office B|18.00sq.m.| |18.00sq.m.|18.00m.|Office B\n"), std::string::npos) << listed;
  EXPECT_NE(listed.find("ROOM-3||4.00sq.m.| |4.00sq.m.|8.00m.|\n"), std::string::npos) << listed;
  EXPECT_NE(listed.find("ROOM-4|Store|4.00sq.m.|"), std::string::npos) << listed;
  EXPECT_EQ(listed.find("ROOM-5|"), std::string::npos) << listed;  // the label naming nothing
  const std::string read = readSpacesWithProject(saved);
  EXPECT_NE(read.find("ROOM-1|Office A|20.00|18.00|0|2\n"), std::string::npos) << read;
  EXPECT_NE(read.find("ROOM-3|ROOM-3|4.00|8.00|0|2\n"), std::string::npos) << read;
  EXPECT_EQ(read.find("DOVREL_SPACE_LABEL"), std::string::npos) << read;  // labels are no spaces

  const std::string layers = layersAndLabels();
  EXPECT_NE(layers.find("DOVREL off thawed FFFFFF\n"), std::string::npos) << layers;
  EXPECT_NE(layers.find("BOMA on thawed"), std::string::npos) << layers;
  EXPECT_EQ(countOccurrences(layers, "label DOVREL\n"), 5) << layers;
  // The label's text style, its rotation turned into the labels' own.
  EXPECT_NE(layers.find("space ROOM-1 True 200 90 0.8\n"), std::string::npos) << layers;
  EXPECT_NE(layers.find("space ROOM-2 True 200 0 0.8\n"), std::string::npos) << layers;
  EXPECT_NE(layers.find("space ROOM-3 True 10 10 1\n"), std::string::npos) << layers;
  EXPECT_NE(layers.find("lwpolylines in model space 0\n"), std::string::npos) << layers;
}

// Labels in a drawing that has spaces already take the numbers after
// theirs, as the space creator would, and leave those spaces be.
TEST_F(SpaceConversion, LabelsInADrawingWithSpacesTakeTheNextFreeNumbers) {
  const std::string spaces = (scratch / "spaces.dxf").string();
  makeSpaceDrawing(spaces, 3);
  ASSERT_EQ(runPython(kForeignDrawing, {drawing, spaces}).exitCode, 0);
  run("msc_isc\n");
  const std::string listed = listSpaces(saved);
  EXPECT_NE(listed.find("ROOM-1|Room 1|12.00sq.m.|"), std::string::npos) << listed;
  EXPECT_NE(listed.find("ROOM-3|Room 3|16.00sq.m.|"), std::string::npos) << listed;
  EXPECT_NE(listed.find("ROOM-4|Office A|20.00sq.m.| |20.00sq.m.|18.00m.|Office A\n"), std::string::npos) << listed;
  EXPECT_NE(listed.find("ROOM-5|Office B|18.00sq.m.|"), std::string::npos) << listed;
  EXPECT_NE(listed.find("ROOM-6||4.00sq.m.|"), std::string::npos) << listed;
  EXPECT_NE(listed.find("ROOM-7|Store|4.00sq.m.|"), std::string::npos) << listed;
  EXPECT_EQ(countOccurrences(listed, "\nROOM-"), 7) << listed;
  EXPECT_NE(layersAndLabels().find("lwpolylines in model space 0\n"), std::string::npos);
}

TEST_F(SpaceConversion, WithoutForeignLabelsOnlyTheTwoLayersChange) {
  fs::copy_file(floorDrawing(), drawing);
  run("msc_isc\n");
  const std::string layers = layersAndLabels();
  EXPECT_NE(layers.find("DOVREL off thawed FFFFFF\n"), std::string::npos) << layers;
  EXPECT_EQ(layers.find("\nspace "), std::string::npos) << layers;
  EXPECT_NE(layers.find("lwpolylines in model space 9\n"), std::string::npos) << layers;
  EXPECT_EQ(listSpaces(saved), "audit-errors 0\n");
}

// Every attribute as "BLOCK TAG LAYER", and the flags of the layers.
const char* kAttributeLayers = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
for ref in doc.modelspace().query("INSERT"):
    for a in ref.attribs:
        print(ref.dxf.name, a.dxf.tag, a.dxf.layer)
for layer in doc.layers:
    print("layer", layer.dxf.name, layer.is_on(), layer.is_frozen(), layer.is_locked())
)";

TEST_F(SpaceConversion, LabelAttributesGoOnTheirOwnLayersAndLayersStayAsTheyWere) {
  makeSpaceDrawing(drawing, 6);
  ASSERT_EQ(runPython(R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
doc.layers.add("WALLS").freeze()
doc.layers.get("ATT-AREA").lock()
doc.layers.get("ATT-NAME").off()
for i, ref in enumerate(doc.modelspace().query("INSERT")):
    for a in ref.attribs:
        if i % 2 == 0 and a.dxf.tag != "AUX":
            a.dxf.layer = "WALLS"
doc.layers.remove("ATT-AUX")
doc.saveas(sys.argv[1])
)",
                      {drawing})
                .exitCode,
            0);
  run("msc_cal\n");
  const auto first = runPython(kAttributeLayers, {saved});
  EXPECT_EQ(countOccurrences(first.output, " WALLS\n"), 0) << first.output;
  EXPECT_EQ(countOccurrences(first.output, " NAME ATT-NAME\n"), 6) << first.output;
  EXPECT_EQ(countOccurrences(first.output, " AREA ATT-AREA\n"), 6);
  EXPECT_EQ(countOccurrences(first.output, " AUX ATT-AUX\n"), 6);
  EXPECT_NE(first.output.find("layer WALLS True True False\n"), std::string::npos) << first.output;
  EXPECT_NE(first.output.find("layer ATT-AREA True False True\n"), std::string::npos) << first.output;
  EXPECT_NE(first.output.find("layer ATT-NAME False False False\n"), std::string::npos) << first.output;
  EXPECT_NE(first.output.find("layer ATT-AUX True False False\n"), std::string::npos) << first.output;

  drawing = saved;
  saved = (scratch / "twice.dxf").string();
  run("msc_cal\n");
  EXPECT_EQ(runPython(kAttributeLayers, {saved}).output, first.output);
  EXPECT_EQ(readFile(saved), readFile(drawing));
}

TEST_F(SpaceConversion, EverySpaceButTheGrossAreaOrOnePickedSpaceIsHatchedInYellow) {
  makeSpaceDrawing(drawing, 3, "gross");
  const auto all = run("msc_has\n");
  const size_t reported = all.output.find("3 block(s) hatched in ");
  ASSERT_NE(reported, std::string::npos) << all.output;
  EXPECT_NE(all.output.find(" seconds (0.00 s/b)\n", reported), std::string::npos) << all.output;
  // The clock before and after, as hh:mm:ss.
  int clocks = 0;
  std::istringstream lines(all.output);
  for (std::string line; std::getline(lines, line);)
    if (line.size() == 8 && line[2] == ':' && line[5] == ':') ++clocks;
  EXPECT_EQ(clocks, 2) << all.output;
  EXPECT_EQ(runPython(kHatches, {saved}).output,
            "audit-errors 0\n"
            "#Hatch SOLID FFFF00 (0,0)-(3000,4000)\n"
            "#Hatch SOLID FFFF00 (12000,0)-(15500,4000)\n"
            "#Hatch SOLID FFFF00 (24000,0)-(28000,4000)\n");

  const auto one = runWithRefusals("msc_hs\n13500,1500\nmsc_hs\n*cancel*\nmsc_hs\n30000,9000\n");
  EXPECT_NE(one.output.find("script line 6: Nothing found at 30000,9000."), std::string::npos) << one.output;
  EXPECT_EQ(runPython(kHatches, {saved}).output, "audit-errors 0\n#Hatch SOLID FFFF00 (12000,0)-(15500,4000)\n")
      << one.output;

  makeSpaceDrawing(drawing, 0, "gross");
  EXPECT_NE(run("msc_has\n").output.find("0 block(s) hatched in 0 seconds (0.00 s/b)\n"), std::string::npos);
  EXPECT_EQ(runPython(kHatches, {saved}).output, "audit-errors 0\n");
}

TEST_F(SpaceConversion, DetailsOfAPickedSpaceAndNothingForAnythingElse) {
  makeSpaceDrawing(drawing, 3);
  const auto result = run("msc_dsd\n13500,1500\nmsc_dsd\n*cancel*\n");
  EXPECT_NE(result.output.find("\nBlock Identifier ROOM-2\nHandle\t\t\t "), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("Attributes\n\tName 'Room 2'\n\tArea '14.00sq.m.'\n\t Aux ' '\n\nXDATA\n"
                               "\t Area           14.000000\n\t Perimeter      15.000000\n"
                               "\t Tag Type       <Not Set>\n"),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("\t Tot Wk Stns    <Not Set>\n\t Vloume         0.000000\n\n\n"), std::string::npos);
  EXPECT_EQ(countOccurrences(result.output, "Block Identifier"), 1);

  // A block reference that is no space matches nothing.
  const auto made = runPython(kForeignDrawing, {drawing});
  ASSERT_EQ(made.exitCode, 0);
  const auto foreign = run("msc_dsd\n#" + made.output.substr(0, made.output.find('\n')) + "\n");
  EXPECT_EQ(foreign.output.find("Block Identifier"), std::string::npos) << foreign.output;
}

}  // namespace
