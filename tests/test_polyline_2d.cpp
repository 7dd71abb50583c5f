// Old-style 2-D polylines (POLYLINE with VERTEX and SEQEND) from other
// programs: modelled, measured with their arcs, moved, drawn, and saved so
// that another program reads the same vertices.
#include <gtest/gtest.h>

#include <cmath>

#include "PictureFile.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"
#include "host/AcadUtilities.h"

using namespace spatiary_test;

namespace {

constexpr double kPi = 3.14159265358979323846;

// A metre drawing: a 6 x 6 m room, a 6 x 6 m room whose right side bulges
// into a half circle and has widths, a spline-fit polyline with its frame,
// and a 3-D polyline, which stays as read.
const char* const kMakeDrawing = R"py(
import sys, ezdxf
doc = ezdxf.new(sys.argv[1])
doc.header["$INSUNITS"] = 6
doc.layers.add("ROOMS", color=3)
msp = doc.modelspace()
msp.add_polyline2d([(0, 0), (6, 0), (6, 6), (0, 6)], format="xy", close=True, dxfattribs={"layer": "ROOMS"})
msp.add_polyline2d([(10, 0, 0.1, 0.2, 0), (16, 0, 0, 0, 1), (16, 6, 0, 0, 0), (10, 6, 0, 0, 0)], format="xyseb",
                   close=True, dxfattribs={"layer": "ROOMS"})
fitted = msp.add_polyline2d([(20, 0), (22, 2), (24, 0)], format="xy")
fitted.dxf.flags = 4
fitted.vertices[0].dxf.flags = 16
fitted.append_vertex((21, 1), dxfattribs={"flags": 8})
msp.add_polyline3d([(0, 0, 0), (1, 1, 1), (2, 0, 2)])
doc.saveas(sys.argv[2])
)py";

const char* const kDescribe = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit", len(doc.audit().errors))
for e in doc.modelspace():
    if e.dxftype() != "POLYLINE": continue
    print(e.get_mode(), e.dxf.layer, e.is_closed, e.dxf.flags,
          " ".join("%g,%g,%g,%g,%g,%d" % (v.dxf.location.x, v.dxf.location.y, v.dxf.start_width, v.dxf.end_width,
                                         v.dxf.bulge, v.dxf.flags) for v in e.vertices))
)py";

const char* const kDescribeLight = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit", len(doc.audit().errors))
for e in doc.modelspace().query("LWPOLYLINE"):
    print("light", e.dxf.layer, e.closed, " ".join("%g,%g,%g,%g,%g" % tuple(p) for p in e.get_points("xyseb")))
)py";

std::wstring wide(const std::filesystem::path& path) { return utf8ToWide(path.string()); }

class OldPolylines : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    m_path = m_folder / "rooms.dxf";
    const RunResult made = runPython(kMakeDrawing, {GetParam(), m_path.string()});
    ASSERT_EQ(made.exitCode, 0) << made.output;
    ASSERT_EQ(m_db.dxfIn(wide(m_path).c_str()), Acad::eOk) << wideToUtf8(m_db.lastErrorMessage());
    AcDbObjectPointer<AcDbBlockTableRecord> space(m_db.modelSpaceId(), AcDb::kForRead);
    std::unique_ptr<AcDbBlockTableRecordIterator> entities;
    space->newIterator(entities);
    for (; !entities->done(); entities->step()) {
      AcDbObjectId id;
      entities->getEntityId(id);
      m_entities.push_back(id);
    }
  }
  std::string describe(const std::filesystem::path& path) {
    const RunResult described = runPython(kDescribe, {path.string()});
    EXPECT_EQ(described.exitCode, 0) << described.output;
    return described.output;
  }

  ScratchFolder m_folder;
  std::filesystem::path m_path;
  AcDbDatabase m_db{false};
  std::vector<AcDbObjectId> m_entities;
};

TEST_P(OldPolylines, AreModelledAndMeasuredWithTheirArcsInTheDrawingsUnit) {
  ASSERT_EQ(m_entities.size(), 4u);
  AcDbObjectPointer<AcDb2dPolyline> square(m_entities[0], AcDb::kForRead);
  AcDbObjectPointer<AcDb2dPolyline> bay(m_entities[1], AcDb::kForRead);
  AcDbObjectPointer<AcDb2dPolyline> fitted(m_entities[2], AcDb::kForRead);
  ASSERT_TRUE(square && bay && fitted);
  AcDbObjectPointer<AcDbEntity> spatial(m_entities[3], AcDb::kForRead);
  EXPECT_EQ(AcDb2dPolyline::cast(spatial.object()), nullptr);
  EXPECT_TRUE(square->isClosed());
  EXPECT_EQ(square->layer(), L"ROOMS");
  EXPECT_EQ(fitted->polyType(), AcDb::k2dCubicSplinePoly);

  const AcDb::UnitsValue metres = m_db.insunits();
  ASSERT_EQ(metres, AcDb::kUnitsMeters);
  EXPECT_NEAR(CAcadUtilities::calculatePolylineArea(square.object(), m_db.lunits(), 0, metres), 36.0, 1e-9);
  EXPECT_NEAR(CAcadUtilities::calculatePolylinePerimeter(square.object(), m_db.lunits(), 0, metres), 24.0, 1e-9);
  EXPECT_NEAR(CAcadUtilities::calculatePolylineArea(bay.object(), m_db.lunits(), 0, metres), 36.0 + kPi * 4.5, 1e-9);
  EXPECT_NEAR(CAcadUtilities::calculatePolylinePerimeter(bay.object(), m_db.lunits(), 0, metres), 18.0 + 3.0 * kPi,
              1e-9);
  // The frame vertex is no part of the curve: two fit segments remain.
  double end = 0.0;
  ASSERT_EQ(fitted->getEndParam(end), Acad::eOk);
  EXPECT_EQ(end, 2.0);

  int count = 0;
  for (auto vertices = bay->vertexIterator(); !vertices->done(); vertices->step()) {
    AcDbObjectPointer<AcDb2dVertex> vertex(vertices->objectId(), AcDb::kForRead);
    ASSERT_TRUE(vertex);
    if (count == 0) {
      EXPECT_EQ(vertex->startWidth(), 0.1);
      EXPECT_EQ(vertex->endWidth(), 0.2);
    }
    if (count == 1) {
      EXPECT_EQ(vertex->bulge(), 1.0);
    }
    ++count;
  }
  EXPECT_EQ(count, 4);
  AcDbExtents extents;
  ASSERT_EQ(bay->getGeomExtents(extents), Acad::eOk);
  EXPECT_NEAR(extents.maxPoint().x, 19.0, 1e-9);
}

TEST_P(OldPolylines, RoundTripAndMovedVerticesReadBackElsewhere) {
  const std::string before = describe(m_path);
  ASSERT_EQ(m_db.saveAs(wide(m_folder / "same.dxf").c_str()), Acad::eOk);
  EXPECT_EQ(describe(m_folder / "same.dxf"), before);

  {
    AcDbObjectPointer<AcDb2dPolyline> square(m_entities[0], AcDb::kForWrite);
    ASSERT_EQ(square->transformBy(AcGeMatrix3d::translation(AcGeVector3d(100, 0, 0))), Acad::eOk);
    ASSERT_EQ(square->setLayer(L"0"), Acad::eOk);
  }
  ASSERT_EQ(m_db.saveAs(wide(m_folder / "moved.dxf").c_str()), Acad::eOk);
  const std::string after = describe(m_folder / "moved.dxf");
  EXPECT_NE(after.find("audit 0\n"), std::string::npos) << after;
  EXPECT_NE(after.find("AcDb2dPolyline 0 True 1 100,0,0,0,0,0 106,0,0,0,0,0 106,6,0,0,0,0 100,6,0,0,0,0\n"),
            std::string::npos)
      << after;
  // The other polylines are saved as they were read.
  EXPECT_NE(after.find(before.substr(before.find("AcDb2dPolyline ROOMS True 1 10,"))), std::string::npos) << after;
}

TEST_P(OldPolylines, AreDrawnAsTheirOutlines) {
  const std::string svg = (m_folder / "rooms.svg").string();
  std::string error, leftOut;
  ASSERT_TRUE(PictureFile::write(m_db, svg, PlotSettings(), error, leftOut)) << error;
  // The 3-D polyline is drawn too, through its vertices.
  EXPECT_EQ(leftOut, "");
  const std::string picture = readFile(svg);
  EXPECT_EQ(countOccurrences(picture, "data-type=\"POLYLINE\""), 4) << picture;
}

// convertpoly makes the rooms light polylines, which mbc takes, and old-style
// ones again; the fitted polyline and the 3-D one stay; u undoes both.
TEST_P(OldPolylines, ConvertpolyMakesThemLightAndOldStyleAgainAndUUndoesIt) {
  const auto saved = [this](const char* name) { return (m_folder / name).string(); };
  const RunResult run = runSpatiary({"--accept-defaults", m_path.string()},
                                    "saveas " + saved("before.dxf") + "\nconvertpoly\n\nall\nsaveas " +
                                        saved("light.dxf") + "\nconvertpoly\nHeavy\nall\nsaveas " +
                                        saved("heavy.dxf") + "\nundo 2\nsaveas " + saved("undone.dxf") + "\n");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(countOccurrences(run.output, "2 polyline(s) converted."), 2) << run.output;
  EXPECT_EQ(countOccurrences(run.output, "A curve- or spline-fit polyline stays as it is."), 1) << run.output;
  const RunResult light = runPython(kDescribeLight, {saved("light.dxf")});
  EXPECT_EQ(light.output,
            "audit 0\nlight ROOMS True 0,0,0,0,0 6,0,0,0,0 6,6,0,0,0 0,6,0,0,0\n"
            "light ROOMS True 10,0,0.1,0.2,0 16,0,0,0,1 16,6,0,0,0 10,6,0,0,0\n");
  const std::string lightPolylines = describe(saved("light.dxf"));
  EXPECT_EQ(countOccurrences(lightPolylines, "AcDb2dPolyline"), 1) << lightPolylines;
  EXPECT_EQ(countOccurrences(lightPolylines, "AcDb3dPolyline"), 1) << lightPolylines;
  // Old-style again, each room has its vertices, widths and arcs as before.
  const std::string before = describe(saved("before.dxf"));
  const std::string heavy = describe(saved("heavy.dxf"));
  for (const char* room : {"0,0,0,0,0,0 6,0,0,0,0,0 6,6,0,0,0,0 0,6,0,0,0,0", "10,0,0.1,0.2,0,0 16,0,0,0,1,0"}) {
    EXPECT_NE(before.find(room), std::string::npos) << before;
    EXPECT_NE(heavy.find(room), std::string::npos) << heavy;
  }
  EXPECT_TRUE(readFile(saved("undone.dxf")) == readFile(saved("before.dxf")));
}

INSTANTIATE_TEST_SUITE_P(Versions, OldPolylines, testing::Values("R2000", "R2018"));

}  // namespace
