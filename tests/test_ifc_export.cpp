// Spaces out to IFC for facility systems, read back by an independent
// reader (web-ifc under node): names, storeys, the record's quantities to
// the digit, footprints whose area agrees with the record, transparent
// bodies, and GlobalIds that are valid, unique and the same every time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <stdexcept>

#include "SpaceDrawings.h"
#include "TestSupport.h"
#include "ifc/IfcGlobalId.h"
#include "ifc/StepFile.h"

using namespace spatiary_test;
namespace fs = std::filesystem;

namespace {

// Two floors side by side, each a reference to the gross-area block, and
// rooms made as the module stores them with zero measurements, for mus to
// measure: an L-shaped room on the ground floor, a room with a column
// subtracted, a room with a round end and a bay added on the first floor,
// and a shed outside both floors.  argv: path, scale (drawing units to the
// millimetre), "feet" or "metres".
const char* kMakePlan = R"(
import sys, ezdxf
path, scale, feet = sys.argv[1], float(sys.argv[2]), sys.argv[3] == "feet"
doc = ezdxf.new("R2010")
doc.header["$INSUNITS"] = 4 if scale == 1 else 1
doc.header["$LUNITS"] = 2 if scale == 1 else 4
doc.appids.add("ADE")
msp = doc.modelspace()
unit, length, cubic = ("sq.ft.", "ft.", "cu.ft.") if feet else ("sq.m.", "m.", "cu.m.")
def mm(points):
    return [(x * scale, y * scale, b) for x, y, b in points]
def outline(points):
    return msp.add_lwpolyline(mm(points), format="xyb", close=True)
def space(block, label, points, at, height=0.0, staff="<Not Set>", add=(), minus=(), area_type="<Not Set>", aux=" "):
    ax, ay = at[0] * scale, at[1] * scale
    if block not in doc.blocks:
        definition = doc.blocks.new(block)
        definition.add_lwpolyline([(x - ax, y - ay, b) for x, y, b in mm(points)], format="xyb", close=True)
        for tag, dy in (("AREA", 0), ("NAME", 375), ("AUX", -375)):
            definition.add_attdef(tag, (0, dy), dxfattribs={"height": 250})
    ref = msp.add_blockref(block, (ax, ay))
    for tag, text in (("NAME", label), ("AREA", "0"), ("AUX", aux)):
        ref.add_attrib(tag, text, (ax, ay), dxfattribs={"height": 250})
    handles = lambda entities: "".join(entity.dxf.handle + "," for entity in entities)
    items = ["AREA=0.00" + unit, "PERIMETER=0.00" + length, "NAME=" + label, "TAGTYPE=<Not Set>",
             "AREA_TYPE=" + area_type, "COST_CENTRE=CC-7", "DATE=<Not Set>", "DATE_L_MOVE=<Not Set>",
             "DEPT_CHARGE=<Not Set>", "ROOM_HEIGHT=%.2f%s" % (height, length), "SPECIAL_REQ=<Not Set>",
             "TOT_STAFF=" + staff, "TOT_WKSTNS=<Not Set>", "VOLUME=0.00" + cubic,
             "HANDLESTOMINUS=" + handles(minus), "HANDLESTOADD=" + handles(add)]
    ref.set_xdata("ADE", [(1002, "{")] + [(1000, item) for item in items] + [(1002, "}")])
floor = [(0, 0, 0), (20000, 0, 0), (20000, 10000, 0), (0, 10000, 0)]
space("ROOM-GROSS_AREA", "Ground Floor", floor, (1000, 1000), aux="GF")
space("ROOM-GROSS_AREA", "First Floor", [(x + 30000, y, b) for x, y, b in floor], (31000, 1000), aux="1F")
space("ROOM-1", "Office L", [(1000, 1000, 0), (7000, 1000, 0), (7000, 4000, 0), (4000, 4000, 0), (4000, 8000, 0),
                             (1000, 8000, 0)], (2000, 2000), height=2.7, staff="4", area_type="Office")
column = outline([(10000, 3000, 0), (10500, 3000, 0), (10500, 3500, 0), (10000, 3500, 0)])
space("ROOM-2", "Meeting", [(9000, 1000, 0), (15000, 1000, 0), (15000, 6000, 0), (9000, 6000, 0)], (12000, 2000),
      height=3.0, minus=[column], aux="Board room")
bay = outline([(37000, 2000, 0), (38000, 2000, 0), (38000, 4000, 0), (37000, 4000, 0)])
# Its east end a half circle of radius 2 m reaching the bay.
space("ROOM-3", "Lounge", [(32000, 1000, 0), (35000, 1000, 1), (35000, 5000, 0), (32000, 5000, 0)], (33000, 2000),
      height=2.5, add=[bay])
space("ROOM-4", "Shed", [(25000, 20000, 0), (27000, 20000, 0), (27000, 22000, 0), (25000, 22000, 0)], (25500, 20500),
      height=2.2)
doc.saveas(path)
)";

// The IFC file read by web-ifc beside the drawing's records read by ezdxf:
// one line of facts per storey and space, then the GlobalIds.
const char* kCompare = R"(
import json, re, subprocess, sys, ezdxf
ifc, dxf, node, reader = sys.argv[1:5]
read = subprocess.run([node, reader, ifc], capture_output=True, text=True)
if read.returncode != 0:
    sys.exit("web-ifc failed: " + read.stderr)
model = json.loads(read.stdout)
to_metres = 0.3048 if "square foot" in model["units"] else 1.0
records = {}
for insert in ezdxf.readfile(dxf).modelspace().query("INSERT"):
    attribs = {a.dxf.tag: a.dxf.text for a in insert.attribs}
    items = dict(value.split("=", 1) for code, value in insert.get_xdata("ADE") if code == 1000)
    records[attribs["NAME"]] = float(re.match(r"[0-9.]+", items["AREA"]).group())
print("schema", model["schema"], "project", model["project"], "site", model["sites"], "building", model["buildings"])
print("units", " ".join(model["units"]))
for storey in model["storeys"]:
    quantities = storey["sets"].get("Qto_BuildingStoreyBaseQuantities", {})
    gross = quantities.get("GrossFloorArea")
    print("storey", storey["name"], "gross", gross and gross["value"] == records.get(storey["name"]))
for space in sorted(model["spaces"], key=lambda space: space["name"]):
    quantities = space["sets"].get("Qto_SpaceBaseQuantities", {})
    net = quantities["NetFloorArea"]["value"]
    record = records[space["name"]]
    footprint = space["footprint"]["area"] / to_metres ** 2
    height = quantities.get("Height")
    print("space", space["name"], "| storey", space["storey"], "| long", space["longName"], "| type", space["objectType"],
          "| net is record", net == record, "| footprint off %.2f" % abs(footprint - record),
          "| gross %g" % round(quantities["GrossFloorArea"]["value"], 3), "| height", height and height["value"],
          height and height["unit"], "| see-through", all(alpha < 1 for alpha in space["footprint"]["alphas"]),
          "| staff", space["sets"].get("Pset_SpaceOccupancyRequirements", {}).get("OccupancyNumber"),
          "| cost centre", space["sets"].get("Spatiary", {}).get("COST_CENTRE"))
ids = model["globalIds"]
print("ids", len(ids), "valid", all(re.fullmatch(r"[0-3][0-9A-Za-z_$]{21}", i) for i in ids), "unique", len(set(ids)))
print("all", " ".join(sorted(ids)))
)";

class IfcExport : public SpaceCommandTest {
 protected:
  // Makes the plan, measures it with mus, exports it; the saved drawing
  // holds the records the export read.
  std::string exportPlan(const std::string& scale, bool feet, const std::string& answer = "\n") {
    if (feet) usePreferences(1, 2);
    const auto made = runPython(kMakePlan, {drawing, scale, feet ? "feet" : "metres"});
    EXPECT_EQ(made.exitCode, 0) << made.output;
    return run("mus\nmifc\n" + answer).output;
  }

  std::string compare(const fs::path& ifc) {
    const auto compared = runPython(kCompare, {ifc.string(), saved, SPATIARY_NODE,
                                               (sourceDir() / "tests" / "ifc" / "read-ifc.mjs").string()});
    EXPECT_EQ(compared.exitCode, 0) << compared.output;
    return compared.output;
  }

  fs::path ifc = scratch / "spaces.ifc";
};

TEST_F(IfcExport, EverySpaceUnderItsStoreyWithTheRecordsQuantities) {
  const std::string output = exportPlan("1", false);
  EXPECT_NE(output.find("Zelph IFC Export 64.04.04.00\n"), std::string::npos) << output;
  EXPECT_NE(output.find("4 space(s) on 3 storey(s) saved to IFC file (" + ifc.string() + ")\n"), std::string::npos)
      << output;
  // The round end of the lounge stays an arc through its middle.
  EXPECT_NE(readFile(ifc).find("(35000.,1000.),(37000.,3000.),(35000.,5000.)"), std::string::npos);
  EXPECT_NE(readFile(ifc).find("IFCARCINDEX((2,3,4))"), std::string::npos);
  const std::string facts = compare(ifc);
  EXPECT_NE(facts.find("schema IFC4 project spaces site ['Site'] building ['spaces']\n"
                       "units MILLIMETRE SQUARE_METRE CUBIC_METRE RADIAN\n"
                       "storey Ground Floor gross True\nstorey First Floor gross True\n"
                       "storey Default Storey gross None\n"),
            std::string::npos)
      << facts;
  // web-ifc draws arcs as chords: the lounge's half circle loses 0.04 sq.m.
  EXPECT_NE(facts.find("space Lounge | storey First Floor | long None | type None | net is record True | footprint "
                       "off 0.04 | gross 20.283 | height 2.5 METRE | see-through True | staff None | cost centre CC-7\n"),
            std::string::npos)
      << facts;
  EXPECT_NE(facts.find("space Meeting | storey Ground Floor | long Board room | type None | net is record True | "
                       "footprint off 0.00 | gross 30 | height 3 METRE | see-through True | staff None"),
            std::string::npos)
      << facts;
  EXPECT_NE(facts.find("space Office L | storey Ground Floor | long None | type Office | net is record True | "
                       "footprint off 0.00 | gross 30 | height 2.7 METRE | see-through True | staff 4"),
            std::string::npos)
      << facts;
  EXPECT_NE(facts.find("space Shed | storey Default Storey | long None | type None | net is record True | "
                       "footprint off 0.00 | gross 4 | height 2.2 METRE"),
            std::string::npos)
      << facts;
  EXPECT_NE(facts.find("ids 38 valid True unique 38\n"), std::string::npos) << facts;
}

TEST_F(IfcExport, InchDrawingsWithRecordsInSquareFeet) {
  exportPlan("0.03937007874015748", true, scratch.path().string() + "/plan in inches.ifc\n");
  const std::string facts = compare(scratch / "plan in inches.ifc");
  EXPECT_NE(facts.find("units inch square foot cubic foot RADIAN\n"), std::string::npos) << facts;
  EXPECT_NE(facts.find("space Meeting | storey Ground Floor | long Board room | type None | net is record True | "
                       "footprint off 0.00 | gross 322.917 | height 3 foot"),
            std::string::npos)
      << facts;
  EXPECT_EQ(countOccurrences(facts, "net is record True"), 4) << facts;
  EXPECT_NE(facts.find("space Lounge | storey First Floor |"), std::string::npos) << facts;
}

TEST_F(IfcExport, GlobalIdsStayTheSameFromOneExportToTheNext) {
  exportPlan("1", false);
  const std::string first = compare(ifc);
  run("mifc\n\n", false);
  const std::string second = compare(ifc);
  ASSERT_NE(first.find("ids 38 valid True unique 38\n"), std::string::npos) << first;
  EXPECT_EQ(first.substr(first.find("\nall ")), second.substr(second.find("\nall ")));
}

TEST_F(IfcExport, ADrawingWithoutAnIdentityGetsOneAndKeepsItWhenSaved) {
  makeSpaceDrawing(drawing, 3, "gross");
  std::string text = readFile(drawing);
  const size_t variable = text.find("$FINGERPRINTGUID");
  ASSERT_NE(variable, std::string::npos);
  // The variable's three lines go, from its group 9 on.
  const size_t from = text.rfind("\n", text.rfind("\n", variable - 1) - 1) + 1;
  size_t to = variable;
  for (int line = 0; line < 3; ++line) to = text.find('\n', to) + 1;
  text.erase(from, to - from);
  writeFile(drawing, text);
  run("mifc\n\n");
  const std::string first = compare(ifc);
  drawing = saved;
  saved = (scratch / "saved again.dxf").string();
  run("mifc\n" + ifc.string() + "\n");
  const std::string second = compare(ifc);
  ASSERT_NE(first.find("ids 26 valid True unique 26\n"), std::string::npos) << first;
  EXPECT_EQ(first.substr(first.find("\nall ")), second.substr(second.find("\nall ")));
}

TEST_F(IfcExport, AFileThatCannotBeWrittenIsSaidAndNothingElseChanges) {
  makeSpaceDrawing(drawing, 2);
  const auto result = run("mifc\n" + (scratch / "missing" / "plan.ifc").string() + "\n", false);
  EXPECT_NE(result.output.find("The IFC file could not be written: " + (scratch / "missing" / "plan.ifc").string() +
                               ": No such file or directory\n"),
            std::string::npos)
      << result.output;
  EXPECT_FALSE(fs::exists(scratch / "missing"));
}

TEST(StepFile, TextsAndNumbersAsTheFormatWantsThem) {
  EXPECT_EQ(CStepFile::stepString(L"Bob's \\ room"), "'Bob''s \\\\ room'");
  EXPECT_EQ(CStepFile::stepString(L"Caf\u00e9 \u20ac \U0001F600"), "'Caf\\X2\\00E9\\X0\\ \\X2\\20AC\\X0\\ \\X2\\D83DDE00\\X0\\'");
  EXPECT_EQ(CStepFile::stepReal(24.5), "24.5");
  EXPECT_EQ(CStepFile::stepReal(12.0), "12.");
  EXPECT_EQ(CStepFile::stepReal(-1e-7), "-1.E-07");
  EXPECT_EQ(CStepFile::stepReal(2.5e21), "2.5E+21");
  // The shortest text that reads back as the very same number.
  for (const double value : {0.1, 20.28, 1.0 / 3.0, 92903.04, 1e300})
    EXPECT_EQ(std::strtod(CStepFile::stepReal(value).c_str(), nullptr), value);
  EXPECT_THROW(CStepFile::stepReal(0.0 / 0.0), std::domain_error);
}

TEST(StepFile, ALineWithTheWrongNumberOfAttributesIsRefused) {
  CStepFile file(L"a.ifc", L"test", "2026-01-01T00:00:00");
  EXPECT_EQ(file.add(IfcEntity::CartesianPoint).open().real(1.0).real(2.0).close().end(), 1);
  EXPECT_THROW(file.add(IfcEntity::Direction).open().real(0.0).close().real(1.0).end(), std::logic_error);
  CStepFile other(L"b.ifc", L"test", "2026-01-01T00:00:00");
  CStepFile::Line outer = other.add(IfcEntity::Direction);
  EXPECT_THROW(other.add(IfcEntity::CartesianPoint), std::logic_error);
  CStepFile third(L"c.ifc", L"test", "2026-01-01T00:00:00");
  third.add(IfcEntity::QuantityArea).text(L"NetFloorArea").unset().ref(0).real(12.5).unset().end();
  third.add(IfcEntity::ShapeRepresentation).ref(1).text(L"Body").text(L"SweptSolid").open().ref(1).ref(1).close().end();
  const std::string text = third.text();
  EXPECT_NE(text.find("DATA;\n#1=IFCQUANTITYAREA('NetFloorArea',$,$,12.5,$);\n"
                      "#2=IFCSHAPEREPRESENTATION(#1,'Body','SweptSolid',(#1,#1));\nENDSEC;\nEND-ISO-10303-21;\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.rfind("ISO-10303-21;\nHEADER;\n", 0), 0u);
}

TEST(IfcGlobalIds, ValidUniqueAndTiedToTheDrawing) {
  const CIfcGlobalId ids(L"{6F3A2B1C-0D4E-4F50-8A61-72B3C4D5E6F7}");
  std::set<std::string> seen;
  for (std::uint64_t handle = 1; handle <= 30000; ++handle)
    for (const auto role : {CIfcGlobalId::kSpace, CIfcGlobalId::kQuantities, CIfcGlobalId::kStorey}) {
      const std::string id = ids.of(role, handle);
      ASSERT_TRUE(CIfcGlobalId::isValid(id)) << id;
      seen.insert(id);
    }
  EXPECT_EQ(seen.size(), 90000u);
  EXPECT_TRUE(CIfcGlobalId::isValid(ids.of(CIfcGlobalId::kPropertiesLink, ~std::uint64_t(0))));
  EXPECT_EQ(ids.of(CIfcGlobalId::kSpace, 0x2A7), CIfcGlobalId(L"{6F3A2B1C-0D4E-4F50-8A61-72B3C4D5E6F7}").of(CIfcGlobalId::kSpace, 0x2A7));
  EXPECT_NE(ids.of(CIfcGlobalId::kSpace, 0x2A7), CIfcGlobalId(L"{6F3A2B1C-0D4E-4F50-8A61-72B3C4D5E6F8}").of(CIfcGlobalId::kSpace, 0x2A7));
  EXPECT_FALSE(CIfcGlobalId::isValid("4aaaaaaaaaaaaaaaaaaaaa"));
  EXPECT_FALSE(CIfcGlobalId::isValid("0aaaaaaaaaaaaaaaaaaaa"));
  EXPECT_FALSE(CIfcGlobalId::isValid("0aaaaaaaaaaaaaaaaaaaa-"));
}

}  // namespace
