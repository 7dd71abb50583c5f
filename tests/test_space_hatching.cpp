// Hatching a space: its outline filled with the space's pattern, added
// outlines filled too, subtracted ones left open as holes, the hatch
// behind everything; patterns that cannot be drawn and outlines that are
// not closed are reported in the error list, never raised.
#include <gtest/gtest.h>

#include <sstream>

#include "AcApDocManager.h"
#include "AcApDocument.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbHatch.h"
#include "AcDbPolyline.h"
#include "HostSession.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "host/AcadDrawing.h"
#include "spaces/BlockDWG.h"
#include "support/ZelphExceptions.h"
#include "tools/SpaceOutline.h"

using namespace spatiary_test;

namespace {

// Each hatch of the saved drawing: pattern, layer, its paths as flags and
// points, and whether sample points lie in the hatched region (inside an
// odd number of paths, as style normal fills them).
const char* kReadHatches = R"(
import sys, ezdxf
from ezdxf.math import Vec2, is_point_in_polygon_2d
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
for hatch in doc.modelspace().query("HATCH"):
    print("hatch", hatch.dxf.pattern_name, hatch.dxf.layer, hatch.dxf.hatch_style, hatch.dxf.associative)
    polygons = []
    for path in hatch.paths:
        points = [Vec2(v[0], v[1]) for v in path.vertices]
        polygons.append(points)
        print("path", path.path_type_flags, [(round(p.x), round(p.y)) for p in points])
    for probe in sys.argv[2:]:
        x, y = map(float, probe.split(","))
        inside = sum(1 for p in polygons if is_point_in_polygon_2d(Vec2(x, y), p) > 0)
        print("probe", probe, "hatched" if inside % 2 else "open")
print("drawn-first", next(iter(doc.modelspace().entities_in_redraw_order())).dxftype())
)";

AcDbPolyline* rectangle(double x0, double y0, double x1, double y1) {
  auto* outline = new AcDbPolyline;
  outline->addVertexAt(0, AcGePoint2d(x0, y0));
  outline->addVertexAt(1, AcGePoint2d(x1, y0));
  outline->addVertexAt(2, AcGePoint2d(x1, y1));
  outline->addVertexAt(3, AcGePoint2d(x0, y1));
  outline->setClosed(true);
  return outline;
}

std::unique_ptr<CHatch> hatchSettings(const wchar_t* pattern, int scale) {
  auto settings = std::make_unique<CHatch>();
  settings->setPattern(pattern);
  settings->setScale(scale);
  settings->setAngle(0);
  settings->setLayer(L"#Hatch");
  AcCmColor yellow;
  yellow.setRGB(255, 255, 0);
  settings->setColour(yellow);
  return settings;
}

// The sample floor plan as the current document, with the console's
// answers and output in the test's hands.
class SpaceHatching : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto path = utf8ToWide(floorDrawing().string());
    ASSERT_EQ(acDocManager->appContextOpenDocument(path.c_str()), Acad::eOk);
    HostSession::instance().setOutput(&transcript);
    HostSession::instance().setInput(&answers);
    drawing.bindCurrentDocument();
    db = drawing.getDatabase();
  }

  void TearDown() override {
    errors.deleteObjects();
    HostSession::instance().setInput(nullptr);
    HostSession::instance().setOutput(&std::cout);
    acDocManager->closeDocument(drawing.getDocument());
  }

  AcDbObjectId idOf(const wchar_t* handle) {
    AcDbObjectId id;
    db->getAcDbObjectId(id, false, AcDbHandle(handle));
    return id;
  }

  AcDbObjectId post(AcDbEntity* entity) {
    std::unique_ptr<AcDbEntity> owned(entity);
    AcDbObjectId id;
    EXPECT_EQ(drawing.postToDrawing(owned, id), Acad::eOk);
    return id;
  }

  // The outline becomes a space labelled at the point.
  void makeSpace(CBlockDWGRoom& room, AcDbObjectId outline, const std::string& labelPoint) {
    answers.str(labelPoint + "\n");
    answers.clear();
    CSpaceOutline picked(outline, 0, 2);
    ASSERT_TRUE(picked.prepare(drawing));
    picked.fillSpace(room, L"Office", L"ROOM-1", 250, 1, 0, false);
    ASSERT_EQ(picked.createBlockReference(room, drawing, 250, 1, 0), Acad::eOk);
  }

  std::string saveAndRead(const std::vector<std::string>& probes) {
    const std::string saved = (scratch / "hatched.dxf").string();
    EXPECT_EQ(acDocManager->saveDocument(drawing.getDocument(), utf8ToWide(saved).c_str()), Acad::eOk);
    std::vector<std::string> arguments{saved};
    arguments.insert(arguments.end(), probes.begin(), probes.end());
    const auto read = runPython(kReadHatches, arguments);
    EXPECT_EQ(read.exitCode, 0) << read.output;
    EXPECT_NE(read.output.find("audit-errors 0\n"), std::string::npos) << read.output;
    return read.output;
  }

  ScratchFolder scratch;
  std::istringstream answers;
  std::ostringstream transcript;
  CAcadDrawing drawing;
  AcDbDatabase* db = nullptr;
  CZelphExceptions errors;
};

TEST_F(SpaceHatching, AddedOutlinesAreFilledAndSubtractedOnesLeftOpenBehindEverything) {
  // Office 3A with a shaft cut out of it, and office 39 beside it added.
  const AcDbObjectId shaft = post(rectangle(11000, 10000, 13000, 12000));
  CBlockDWGRoom room;
  makeSpace(room, idOf(L"3A"), "12000,13000");
  room.setHandlesToAdd({idOf(L"39")});
  room.setHandlesToMinus({shaft});
  room.setHatch(hatchSettings(L"ANSI31", 100));
  room.applyToDWG(drawing, errors);
  EXPECT_EQ(errors.count(), 0);

  const std::string read = saveAndRead({"9000,9000", "12000,11000", "4000,11000", "20000,11000"});
  EXPECT_NE(read.find("hatch ANSI31 #Hatch 0 0\n"), std::string::npos) << read;
  // Outermost, external and default polyline paths, where the outlines are drawn.
  EXPECT_NE(read.find("path 18 [(8000, 8000), (16000, 8000), (16000, 14000), (8000, 14000)]\n"), std::string::npos)
      << read;
  EXPECT_NE(read.find("path 3 [(0, 8000), (8000, 8000), (8000, 14000), (0, 14000)]\n"), std::string::npos) << read;
  EXPECT_NE(read.find("path 2 [(11000, 10000), (13000, 10000), (13000, 12000), (11000, 12000)]\n"),
            std::string::npos)
      << read;
  EXPECT_NE(read.find("probe 9000,9000 hatched\n"), std::string::npos) << read;
  EXPECT_NE(read.find("probe 12000,11000 open\n"), std::string::npos) << read;
  EXPECT_NE(read.find("probe 4000,11000 hatched\n"), std::string::npos) << read;
  EXPECT_NE(read.find("probe 20000,11000 open\n"), std::string::npos) << read;
  EXPECT_NE(read.find("drawn-first HATCH\n"), std::string::npos) << read;

  // The outline in the block definition is not moved by hatching.
  AcDbBlockReference* reference = nullptr;
  ASSERT_EQ(acdbOpenObject(reference, room.getObjectId(), AcDb::kForRead), Acad::eOk);
  AcDbPolyline* outline = nullptr;
  ASSERT_EQ(acdbOpenObject(outline, idOf(L"3A"), AcDb::kForRead), Acad::eOk);
  AcGePoint3d first;
  outline->getPointAt(0, first);
  EXPECT_EQ(first.x, 8000.0 - 12000.0);
  EXPECT_EQ(first.y, 8000.0 - 13000.0);
  outline->close();
  reference->close();
}

TEST_F(SpaceHatching, ProblemsAreCollectedAndTheHatchKeptWherePossible) {
  // An open polyline as the outline: no hatch at all.
  const AcDbObjectId open = post(rectangle(30000, 0, 31000, 1000));
  CBlockDWGRoom room;
  makeSpace(room, idOf(L"34"), "3000,3000");
  room.setHatch(hatchSettings(L"ANSI31", 1));
  AcDbBlockReference* reference = nullptr;
  ASSERT_EQ(acdbOpenObject(reference, room.getObjectId(), AcDb::kForRead), Acad::eOk);
  AcDbPolyline* polyline = nullptr;
  ASSERT_EQ(acdbOpenObject(polyline, open, AcDb::kForWrite), Acad::eOk);
  polyline->setClosed(false);
  polyline->close();
  AcDbObjectId hatchId;
  room.hatchObject(drawing, reference, open, {}, {}, hatchId, errors);
  EXPECT_TRUE(hatchId.isNull());

  // A subtracted outline that is gone and an added text that is no outline.
  AcDbEntity* erased = nullptr;
  const AcDbObjectId column = post(rectangle(1000, 1000, 2000, 2000));
  ASSERT_EQ(acdbOpenAcDbEntity(erased, column, AcDb::kForWrite), Acad::eOk);
  erased->erase();
  erased->close();
  room.hatchObject(drawing, reference, idOf(L"34"), {idOf(L"3C")}, {column}, hatchId, errors);
  EXPECT_FALSE(hatchId.isNull());

  // Too fine for a room 6 km across; too coarse for a room of 1 mm.
  const AcDbObjectId huge = post(rectangle(0, 0, 6e6, 6e6));
  const AcDbObjectId tiny = post(rectangle(1000, 0, 1001, 1));
  room.setHatch(hatchSettings(L"ANSI31", 1));
  room.hatchObject(drawing, reference, huge, {}, {}, hatchId, errors);
  room.setHatch(hatchSettings(L"ANSI31", 1000));
  room.hatchObject(drawing, reference, tiny, {}, {}, hatchId, errors);
  // A pattern the host does not have.
  room.setHatch(hatchSettings(L"NO-SUCH-PATTERN", 1));
  AcDbObjectId none;
  room.hatchObject(drawing, reference, idOf(L"34"), {}, {}, none, errors);
  EXPECT_TRUE(none.isNull());
  reference->close();

  ASSERT_EQ(errors.count(), 6);
  const std::wstring handle = room.getHandle();
  EXPECT_EQ(errors.getAt(0)->getMessage(), L"Unable to hatch Zelph Block: Office. Handle: " + handle +
                                               L". Please check the polyline is closed.");
  EXPECT_EQ(errors.getAt(1)->getMessage(), L"Unable to apply additional hatch areas to Zelph Block: Office.");
  EXPECT_EQ(errors.getAt(2)->getMessage(), L"Unable to apply no hatch areas to Zelph Block: Office.");
  EXPECT_EQ(errors.getAt(3)->getMessage(),
            L"Unable to hatch zelph block Office. ANSI31 set at scale 1.00 is too dense to be displayed.");
  EXPECT_EQ(errors.getAt(4)->getMessage(),
            L"Unable to hatch zelph block Office. ANSI31 set at scale 1000.00 is not dense enough to be displayed.");
  EXPECT_EQ(errors.getAt(5)->getFunction(), L"CBlockDWG::hatchObject");
  EXPECT_EQ(errors.getAt(5)->getStatus(), Acad::eInvalidInput);
  // The too-dense and too-coarse hatches are drawn all the same.
  const std::string read = saveAndRead({});
  EXPECT_EQ(countOccurrences(read, "hatch ANSI31 #Hatch"), 3) << read;
}

}  // namespace
