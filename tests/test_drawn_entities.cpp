// Curves, points, solids and dimensions as other programs write them: read
// into their classes with the geometry those programs give them, drawn
// where they lie, moved and saved so that another reader finds them moved.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <cmath>
#include <sstream>

#include "AcDbArc.h"
#include "AcDbDimension.h"
#include "AcDbEllipse.h"
#include "AcDbPoint.h"
#include "AcDbSolid.h"
#include "AcDbSpline.h"
#include "AcGeConstants.h"
#include "PictureFile.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"

using namespace spatiary_test;

namespace {

// One of each, with ezdxf's own evaluation of the spline printed: its
// parameter range and the point halfway along it.
const char* const kMakeDrawing = R"(
import math, sys, ezdxf
doc = ezdxf.new("R2018", setup=True)
msp = doc.modelspace()
doc.layers.add("DOORS", color=2, lineweight=50)
msp.add_arc((1000, 0), 500, 0, 90, dxfattribs={"layer": "DOORS"})
msp.add_ellipse((3000, 0), major_axis=(800, 0), ratio=0.5)
msp.add_ellipse((5000, 0), major_axis=(0, 800), ratio=0.25, start_param=0, end_param=math.pi)
spline = msp.add_open_spline([(0, 2000), (1000, 3000), (2000, 2000), (3000, 3000)], degree=3)
msp.add_spline(fit_points=[(4000, 2000), (5000, 3000), (6000, 2000)])
msp.add_point((7000, 0))
msp.add_solid([(8000, 0), (9000, 0), (8000, 1000), (9000, 1000)])
msp.add_linear_dim(base=(0, -1000), p1=(0, -500), p2=(3000, -500)).render()
msp.add_leader([(0, 0), (100, 100), (200, 100)])
msp.add_3dsolid()
doc.saveas(sys.argv[1])
curve = spline.construction_tool()
low, high = curve.knots()[3], curve.knots()[-4]
middle = curve.point((low + high) / 2)
print(low, high, middle.x, middle.y)
)";

struct Made {
  std::filesystem::path dxf;
  double low = 0, high = 0, x = 0, y = 0;
};

Made make(const ScratchFolder& folder) {
  Made made;
  made.dxf = folder / "entities.dxf";
  const RunResult run = runPython(kMakeDrawing, {made.dxf.string()});
  EXPECT_EQ(run.exitCode, 0) << run.output;
  std::istringstream(run.output) >> made.low >> made.high >> made.x >> made.y;
  return made;
}

template <class T>
std::vector<AcDbObjectId> idsOf(AcDbDatabase& db) {
  std::vector<AcDbObjectId> found;
  AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForRead);
  for (const AcDbObjectId& id : space->entityIds()) {
    AcDbEntityPointer entity(id, AcDb::kForRead);
    if (entity && T::cast(entity.object()) != nullptr) found.push_back(id);
  }
  return found;
}

void expectNear(const AcGePoint3d& point, double x, double y) {
  EXPECT_NEAR(point.x, x, 1e-6);
  EXPECT_NEAR(point.y, y, 1e-6);
}

}  // namespace

TEST(DrawnEntities, CurvesReadWithTheGeometryTheirProgramGaveThem) {
  ScratchFolder folder;
  const Made made = make(folder);
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(utf8ToWide(made.dxf.string()).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());

  const auto arcs = idsOf<AcDbArc>(db);
  ASSERT_EQ(arcs.size(), 1u);
  AcDbObjectPointer<AcDbArc> arc(arcs[0], AcDb::kForRead);
  EXPECT_DOUBLE_EQ(arc->radius(), 500.0);
  EXPECT_NEAR(arc->totalAngle(), kPi / 2.0, 1e-12);
  AcGePoint3d point;
  ASSERT_EQ(arc->getEndPoint(point), Acad::eOk);
  expectNear(point, 1000, 500);
  double length = 0.0, end = 0.0;
  arc->getEndParam(end);
  ASSERT_EQ(arc->getDistAtParam(end, length), Acad::eOk);
  EXPECT_NEAR(length, 250.0 * kPi, 1e-9);

  const auto ellipses = idsOf<AcDbEllipse>(db);
  ASSERT_EQ(ellipses.size(), 2u);
  AcDbObjectPointer<AcDbEllipse> half(ellipses[1], AcDb::kForRead);
  EXPECT_FALSE(half->isClosed());
  ASSERT_EQ(half->getPointAtParam(kPi / 2.0, point), Acad::eOk);
  // The minor axis turns a quarter counter-clockwise from the major (0, 800).
  expectNear(point, 5000 - 200, 0);

  const auto splines = idsOf<AcDbSpline>(db);
  ASSERT_EQ(splines.size(), 2u);
  AcDbObjectPointer<AcDbSpline> spline(splines[0], AcDb::kForRead);
  EXPECT_TRUE(spline->hasValidNurbsData());
  double start = 0.0;
  spline->getStartParam(start);
  spline->getEndParam(end);
  EXPECT_DOUBLE_EQ(start, made.low);
  EXPECT_DOUBLE_EQ(end, made.high);
  ASSERT_EQ(spline->getPointAtParam((start + end) / 2.0, point), Acad::eOk);
  expectNear(point, made.x, made.y);
  ASSERT_EQ(spline->getEndPoint(point), Acad::eOk);
  expectNear(point, 3000, 3000);
  AcDbObjectPointer<AcDbSpline> fitted(splines[1], AcDb::kForRead);
  EXPECT_EQ(fitted->numFitPoints(), 3);

  ASSERT_EQ(idsOf<AcDbPoint>(db).size(), 1u);
  const auto solids = idsOf<AcDbSolid>(db);
  ASSERT_EQ(solids.size(), 1u);
  AcDbObjectPointer<AcDbSolid> solid(solids[0], AcDb::kForRead);
  ASSERT_EQ(solid->getPointAt(3, point), Acad::eOk);
  expectNear(point, 9000, 1000);
  EXPECT_EQ(solid->getPointAt(4, point), Acad::eInvalidInput);
  const auto dimensions = idsOf<AcDbDimension>(db);
  ASSERT_EQ(dimensions.size(), 1u);
  AcDbObjectPointer<AcDbDimension> dimension(dimensions[0], AcDb::kForRead);
  EXPECT_FALSE(dimension->dimBlockId().isNull());
}

TEST(DrawnEntities, MovedCurvesReadBackMovedElsewhere) {
  ScratchFolder folder;
  const Made made = make(folder);
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(utf8ToWide(made.dxf.string()).c_str()), Acad::eOk);
  const AcGeMatrix3d move = AcGeMatrix3d::translation(AcGeVector3d(100, 200, 0));
  // A mirror across the y axis: the arc's ends change places.
  const AcGeMatrix3d mirror = AcGeMatrix3d::scaling(AcGeScale3d(-1, 1, 1));
  for (const AcDbObjectId& id : idsOf<AcDbCurve>(db)) {
    AcDbEntityPointer entity(id, AcDb::kForWrite);
    ASSERT_EQ(entity->transformBy(AcDbArc::cast(entity.object()) ? mirror : move), Acad::eOk)
        << wideToUtf8(entity->isA()->dxfName());
  }
  for (const AcDbObjectId& id : idsOf<AcDbPoint>(db)) {
    AcDbEntityPointer entity(id, AcDb::kForWrite);
    entity->transformBy(move);
  }
  const auto saved = folder / "moved.dxf";
  ASSERT_EQ(db.dxfOut(utf8ToWide(saved.string()).c_str()), Acad::eOk);
  const RunResult read = runPython(R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
arc = msp.query("ARC")[0]
print("arc", round(arc.start_point.x, 6), round(arc.start_point.y, 6), round(arc.end_point.x, 6), round(arc.end_point.y, 6))
ellipse = msp.query("ELLIPSE")[1]
print("ellipse", round(ellipse.start_point.x, 6), round(ellipse.start_point.y, 6))
spline = msp.query("SPLINE")[0]
end = spline.construction_tool().point(spline.construction_tool().max_t)
print("spline", round(end.x, 6), round(end.y, 6), len(spline.control_points), len(spline.knots))
fitted = msp.query("SPLINE")[1]
print("fitted", [tuple(round(v, 6) for v in p)[:2] for p in fitted.fit_points])
print("point", tuple(msp.query("POINT")[0].dxf.location)[:2])
print("leader", len(msp.query("LEADER")), "dimension", len(msp.query("DIMENSION")))
)",
                                   {saved.string()});
  ASSERT_EQ(read.exitCode, 0) << read.output;
  EXPECT_NE(read.output.find("arc -1000.0 500.0 -1500.0 0.0"), std::string::npos) << read.output;
  EXPECT_NE(read.output.find("ellipse 5100.0 1000.0"), std::string::npos) << read.output;
  EXPECT_NE(read.output.find("spline 3100.0 3200.0 4 8"), std::string::npos) << read.output;
  EXPECT_NE(read.output.find("fitted [(4100.0, 2200.0), (5100.0, 3200.0), (6100.0, 2200.0)]"), std::string::npos)
      << read.output;
  EXPECT_NE(read.output.find("point (7100.0, 200.0)"), std::string::npos) << read.output;
  EXPECT_NE(read.output.find("leader 1 dimension 1"), std::string::npos) << read.output;
}

TEST(DrawnEntities, PicturesShowThemWhereTheyLieAndNameWhatIsLeftOut) {
  ScratchFolder folder;
  const Made made = make(folder);
  const auto svg = folder / "entities.svg";
  const RunResult rendered = runCommand(shellQuote(spatiaryExecutable().string()) + " render " +
                                        shellQuote(made.dxf.string()) + " " + shellQuote(svg.string()) + " 2>&1");
  ASSERT_EQ(rendered.exitCode, 0) << rendered.output;
  EXPECT_NE(rendered.output.find("not drawn: 1 3DSOLID\n"), std::string::npos) << rendered.output;
  pugi::xml_document picture;
  ASSERT_TRUE(picture.load_file(svg.c_str()));
  for (const char* type : {"ARC", "ELLIPSE", "SPLINE", "POINT", "SOLID"})
    EXPECT_FALSE(picture.select_nodes((std::string("//path[@data-type='") + type + "']").c_str()).empty()) << type;
  // The arc is drawn as an arc, a quarter turn from (1500, 0) to (1000, 500), in its layer's yellow.
  const pugi::xml_node arc = picture.select_node("//path[@data-type='ARC']").node();
  EXPECT_STREQ(arc.attribute("d").value(), "M1500,0A500,500 0 0,0 1353.553,-353.553A500,500 0 0,0 1000,-500");
  EXPECT_STREQ(arc.attribute("stroke").value(), "#ffff00");
  // Its layer's lineweight, half a millimetre, is about two pixels on screen.
  EXPECT_STREQ(arc.attribute("class").value(), "lw50");
  const std::string style = picture.select_node("//style").node().child_value();
  const size_t width = style.find(".lw50{stroke-width:");
  ASSERT_NE(width, std::string::npos) << style;
  const double pixel = std::stod(picture.child("svg").child("g").attribute("stroke-width").value());
  EXPECT_NEAR(std::stod(style.substr(width + 19)) / pixel, 0.5 * 96 / 25.4, 0.01);
  EXPECT_STREQ(picture.select_node("//path[@data-type='SOLID']").node().attribute("fill").value(), "#000000");
  // The dimension's block: its lines, arrows and measurement text.
  const pugi::xml_node dimension = picture.select_node("//g[@data-type='DIMENSION']").node();
  ASSERT_TRUE(dimension);
  EXPECT_GE(dimension.select_nodes(".//path").size(), 3u);
  EXPECT_FALSE(dimension.select_nodes(".//text").empty());
}
