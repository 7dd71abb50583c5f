// A space as it stands in a saved drawing: made from a closed polyline in a
// millimetre and in an inch drawing, saved, and read back by the project and
// by ezdxf: its own block definition, the reference with its three labels
// and its record item for item.  Records other software wrote are read and
// written back under the name they came with.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "AcApDocManager.h"
#include "AcApDocument.h"
#include "HostSession.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"
#include "host/AcadDrawing.h"
#include "spaces/BlockDWG.h"
#include "support/ZelphExceptions.h"

using namespace spatiary_test;
namespace fs = std::filesystem;

namespace {

// One closed 7 m by 3.5 m room (or 20 ft by 10 ft), its handle printed.
const char* kDrawOutline = R"(
import sys, ezdxf
doc = ezdxf.new()
inches = sys.argv[2] == "in"
doc.header["$INSUNITS"] = 1 if inches else 4
doc.header["$LUNITS"] = 4 if inches else 2
size = (240, 120) if inches else (7000, 3500)
outline = doc.modelspace().add_lwpolyline([(0, 0), (size[0], 0), size, (0, size[1])], close=True)
doc.saveas(sys.argv[1])
print(outline.dxf.handle)
)";

// The block definitions, the references with their labels and records.
const char* kReadSpaces = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit", len(doc.audit().errors))
for block in doc.blocks:
    if block.name.startswith("ROOM-"):
        print("block", block.name, [e.dxftype() + ("/" + e.dxf.tag if e.dxftype() == "ATTDEF" else "") for e in block])
msp = doc.modelspace()
print("outlines in model space", len(msp.query("LWPOLYLINE")))
for insert in msp.query("INSERT"):
    print("insert", insert.dxf.name, [(a.dxf.tag, a.dxf.text) for a in insert.attribs])
    for name in ("ADE", "AECXDATA"):
        if insert.has_xdata(name):
            print(name, [(tag.code, tag.value) for tag in insert.get_xdata(name)])
)";

const char* kPreferences =
    "//\tSpatiary\n//\n//\tConfiguration file for Spatiary\n//\nunits\n%d\nprecison\n2\ntextSize\n250.00\n"
    "textScale\n1.00\ntextRotation\n0.00\ncsvOpener\nNONE\nzoomBorder\n1000\ninc\n1\n";

// The record a new space carries, as ezdxf prints it.
std::string record(const std::string& area, const std::string& perimeter, const std::string& length,
                   const std::string& volume) {
  std::string items = "[(1002, '{'), (1000, 'AREA=" + area + "'), (1000, 'PERIMETER=" + perimeter +
                      "'), (1000, 'NAME=Room 1')";
  for (const char* key : {"TAGTYPE", "AREA_TYPE", "COST_CENTRE", "DATE", "DATE_L_MOVE", "DEPT_CHARGE"})
    items += ", (1000, '" + std::string(key) + "=<Not Set>')";
  items += ", (1000, 'ROOM_HEIGHT=0.00" + length + "')";
  for (const char* key : {"SPECIAL_REQ", "TOT_STAFF", "TOT_WKSTNS"})
    items += ", (1000, '" + std::string(key) + "=<Not Set>')";
  items += ", (1000, 'VOLUME=0.00" + volume + "'), (1000, 'HANDLESTOMINUS='), (1000, 'HANDLESTOADD='), (1002, '}')]";
  return items;
}

class SpaceModelFiles : public ::testing::Test {
 protected:
  // Draws the outline, makes it a space with mbc and saves the drawing.
  void makeSpace(const char* unitsOfDrawing, int unitsOfSpace) {
    const fs::path prefs = scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg";
    fs::create_directories(prefs.parent_path());
    char text[512];
    std::snprintf(text, sizeof text, kPreferences, unitsOfSpace);
    writeFile(prefs, text);
    const std::string drawn = (scratch / "drawn.dxf").string();
    const RunResult outline = runPython(kDrawOutline, {drawn, unitsOfDrawing});
    ASSERT_EQ(outline.exitCode, 0) << outline.output;
    const std::string handle = outline.output.substr(0, outline.output.find('\n'));
    const RunResult made = runSpatiary({"--appdata", (scratch / "appdata").string(), "-o", saved, drawn},
                                       "mbc\n@click 3\n#" + handle + "\n10,10\n*cancel*\n@close\n");
    ASSERT_EQ(made.exitCode, 0) << made.output;
    ASSERT_EQ(countOccurrences(made.output, "Block Created Successfully\n"), 1) << made.output;
  }

  std::string readBack() {
    const RunResult read = runPython(kReadSpaces, {saved});
    EXPECT_EQ(read.exitCode, 0) << read.output;
    return read.output;
  }

  // The space of the first block reference in the saved drawing, read by the project.
  std::unique_ptr<CBlockDWG> spaceOf(AcDbDatabase& db) {
    EXPECT_EQ(db.dxfIn(utf8ToWide(saved).c_str()), Acad::eOk);
    AcDbObjectPointer<AcDbBlockTableRecord> model(db.modelSpaceId(), AcDb::kForRead);
    for (const AcDbObjectId& id : model->entityIds()) {
      AcDbObjectPointer<AcDbBlockReference> reference(id, AcDb::kForRead);
      if (reference) return std::make_unique<CBlockDWG>(reference.object(), nullptr);
    }
    return nullptr;
  }

  ScratchFolder scratch;
  std::string saved = (scratch / "saved.dxf").string();
};

TEST_F(SpaceModelFiles, AMillimetreRoomIsItsOwnBlockWithLabelsAndRecord) {
  makeSpace("mm", 0);
  const std::string read = readBack();
  EXPECT_NE(read.find("audit 0\n"), std::string::npos) << read;
  EXPECT_NE(read.find("block ROOM-1 ['LWPOLYLINE', 'ATTDEF/AREA', 'ATTDEF/NAME', 'ATTDEF/AUX']\n"), std::string::npos)
      << read;
  EXPECT_NE(read.find("outlines in model space 0\n"), std::string::npos) << read;
  EXPECT_NE(read.find("insert ROOM-1 [('AREA', '24.50sq.m.'), ('NAME', 'Room 1'), ('AUX', ' ')]\n"), std::string::npos)
      << read;
  EXPECT_NE(read.find("ADE " + record("24.50sq.m.", "21.00m.", "m.", "cu.m.") + "\n"), std::string::npos) << read;
  EXPECT_EQ(read.find("AECXDATA"), std::string::npos) << read;

  AcDbDatabase db(false);
  const auto space = spaceOf(db);
  ASSERT_NE(space, nullptr);
  EXPECT_EQ(space->getBlockName(), L"ROOM-1");
  EXPECT_EQ(space->getName(), L"Room 1");
  EXPECT_EQ(space->getApplicationName(), L"ADE");
  EXPECT_DOUBLE_EQ(space->getArea(), 24.5);
  EXPECT_DOUBLE_EQ(space->getPerimeter(), 21.0);
  EXPECT_EQ(space->getPrecision(), 2);
  EXPECT_EQ(space->getUnits(), 0);
  EXPECT_EQ(space->getTagType(), L"<Not Set>");
  EXPECT_EQ(space->getLevel(), 6);
}

TEST_F(SpaceModelFiles, AnInchRoomIsMeasuredInSquareFeet) {
  makeSpace("in", 1);
  const std::string read = readBack();
  EXPECT_NE(read.find("block ROOM-1 ['LWPOLYLINE', 'ATTDEF/AREA', 'ATTDEF/NAME', 'ATTDEF/AUX']\n"), std::string::npos)
      << read;
  EXPECT_NE(read.find("('AREA', '200.00sq.ft.')"), std::string::npos) << read;
  EXPECT_NE(read.find("ADE " + record("200.00sq.ft.", "60.00ft.", "ft.", "cu.ft.") + "\n"), std::string::npos) << read;
  AcDbDatabase db(false);
  const auto space = spaceOf(db);
  ASSERT_NE(space, nullptr);
  EXPECT_DOUBLE_EQ(space->getArea(), 200.0);
  EXPECT_DOUBLE_EQ(space->getPerimeter(), 60.0);
  EXPECT_EQ(space->getUnits(), 1);
}

// Spaces other software wrote: one record under AECXDATA with items out of
// order, a blank before the area unit, a perimeter without unit, handle
// lists that name a missing object and leave the last comma off, and an
// item of its own; one under ADE with an area without unit; and one
// reference without any record.
const char* kForeignSpaces = R"(
import sys, ezdxf
doc = ezdxf.new()
doc.header["$INSUNITS"] = 4
msp = doc.modelspace()
added = msp.add_lwpolyline([(0, 0), (1000, 0), (1000, 1000)], close=True)
taken = msp.add_lwpolyline([(0, 0), (500, 0), (500, 500)], close=True)
for number in (1, 2, 3):
    doc.blocks.new("ROOM-%d" % number).add_lwpolyline([(0, 0), (4000, 0), (4000, 3000)], close=True)
doc.appids.new("AECXDATA")
doc.appids.new("ADE")
first = msp.add_blockref("ROOM-1", (0, 0))
first.set_xdata("AECXDATA", [(1002, "{"), (1000, "TOT_STAFF=4"), (1000, "HANDLESTOADD=FFFF0," + added.dxf.handle),
    (1000, "HANDLESTOMINUS=" + taken.dxf.handle + ",FFFF1,"), (1000, "FLOOR=3"), (1000, "PERIMETER=52.5"),
    (1000, "AREA=12.3456 sq.ft."), (1000, "ROOM_HEIGHT=2.7m."), (1000, "VOLUME="), (1000, "DATE="),
    (1000, "DEPT_CHARGE=Facilities"), (1002, "}")])
second = msp.add_blockref("ROOM-2", (10000, 0))
second.set_xdata("ADE", [(1000, "AREA=12"), (1000, "AREA_TYPE=Office")])
msp.add_blockref("ROOM-3", (20000, 0))
doc.saveas(sys.argv[1])
print(added.dxf.handle, taken.dxf.handle)
)";

TEST_F(SpaceModelFiles, RecordsOfOtherSoftwareAreReadAndWrittenBackUnderTheirName) {
  const std::string source = (scratch / "foreign.dxf").string();
  const RunResult made = runPython(kForeignSpaces, {source});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  std::istringstream handles(made.output);
  std::string added, taken;
  handles >> added >> taken;

  ASSERT_EQ(acDocManager->appContextOpenDocument(utf8ToWide(source).c_str()), Acad::eOk);
  std::ostringstream transcript;
  HostSession::instance().setOutput(&transcript);
  CAcadDrawing drawing;
  drawing.bindCurrentDocument();
  std::vector<std::unique_ptr<CBlockDWG>> spaces;
  {
    AcDbObjectPointer<AcDbBlockTableRecord> model(drawing.getDatabase()->modelSpaceId(), AcDb::kForRead);
    for (const AcDbObjectId& id : model->entityIds()) {
      AcDbObjectPointer<AcDbBlockReference> reference(id, AcDb::kForRead);
      if (reference) spaces.push_back(std::make_unique<CBlockDWG>(reference.object(), drawing.getDocument()));
    }
  }
  ASSERT_EQ(spaces.size(), 3u);
  const CBlockDWG& first = *spaces[0];
  EXPECT_EQ(first.getApplicationName(), L"AECXDATA");
  EXPECT_DOUBLE_EQ(first.getArea(), 12.3456);
  EXPECT_EQ(first.getPrecision(), 4);
  EXPECT_EQ(first.getUnits(), 1);
  EXPECT_DOUBLE_EQ(first.getPerimeter(), 52.5);
  EXPECT_DOUBLE_EQ(first.getRoomHeight(), 2.7);
  EXPECT_DOUBLE_EQ(first.getVolume(), 0.0);
  EXPECT_EQ(first.getTotalStaff(), L"4");
  EXPECT_EQ(first.getDate(), L"");
  EXPECT_EQ(first.getDeptCharge(), L"Facilities");
  EXPECT_EQ(first.getCostCentre(), L"<Not Set>");
  EXPECT_EQ(first.getHandlesToAddAsString(), utf8ToWide(added) + L",");
  EXPECT_EQ(first.getHandlesToMinusAsString(), utf8ToWide(taken) + L",");
  EXPECT_EQ(first.getName(), L"ROOM-1") << "without a NAME label the space is named after its block";
  const CBlockDWG& second = *spaces[1];
  EXPECT_EQ(second.getApplicationName(), L"ADE");
  EXPECT_DOUBLE_EQ(second.getArea(), 0.0) << "an area without unit is no number";
  EXPECT_EQ(second.getUnits(), -1);
  EXPECT_EQ(second.getAreaType(), L"Office");
  const CBlockDWG& third = *spaces[2];
  EXPECT_EQ(third.getApplicationName(), L"No X Data");
  EXPECT_EQ(third.getUnits(), -1);
  EXPECT_EQ(third.getPrecision(), -1);
  EXPECT_EQ(third.getTagType(), L"<Not Set>");

  CZelphExceptions errors;
  spaces[0]->setPrecision(2);
  for (const auto& space : spaces) space->applyToDWG(drawing, errors);
  EXPECT_EQ(errors.count(), 0);
  ASSERT_EQ(drawing.getDatabase()->saveAs(utf8ToWide(saved).c_str()), Acad::eOk);
  HostSession::instance().setOutput(&std::cout);

  const std::string read = readBack();
  const std::string firstRecord =
      "AECXDATA [(1002, '{'), (1000, 'AREA=12.35sq.ft.'), (1000, 'PERIMETER=52.50ft.'), (1000, 'NAME=ROOM-1'), "
      "(1000, 'TAGTYPE=<Not Set>'), (1000, 'AREA_TYPE=<Not Set>'), (1000, 'COST_CENTRE=<Not Set>'), (1000, 'DATE='), "
      "(1000, 'DATE_L_MOVE=<Not Set>'), (1000, 'DEPT_CHARGE=Facilities'), (1000, 'ROOM_HEIGHT=2.70ft.'), "
      "(1000, 'SPECIAL_REQ=<Not Set>'), (1000, 'TOT_STAFF=4'), (1000, 'TOT_WKSTNS=<Not Set>'), "
      "(1000, 'VOLUME=0.00cu.ft.'), (1000, 'HANDLESTOMINUS=" +
      taken + ",'), (1000, 'HANDLESTOADD=" + added + ",'), (1002, '}')]\n";
  EXPECT_NE(read.find("insert ROOM-1 []\n" + firstRecord), std::string::npos) << read;
  EXPECT_NE(read.find("insert ROOM-2 []\nADE [(1002, '{'), (1000, 'AREA=0sq.ft.'), "), std::string::npos) << read;
  EXPECT_NE(read.find("insert ROOM-3 []\nADE [(1002, '{'), (1000, 'AREA=0sq.ft.'), (1000, 'PERIMETER=0ft.'), "),
            std::string::npos)
      << read;
  EXPECT_EQ(countOccurrences(read, "AECXDATA"), 1) << read;
  EXPECT_EQ(read.find("FLOOR"), std::string::npos) << read;
}

}  // namespace
