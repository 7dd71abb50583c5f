// Areas, lengths and extents of curves, arcs of polylines measured
// exactly, and block references placing their definitions.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "AcGeConstants.h"
#include "dbmain.h"

namespace {

std::unique_ptr<AcDbPolyline> square(double side, bool closed) {
  auto polyline = std::make_unique<AcDbPolyline>();
  const AcGePoint2d corners[] = {{0, 0}, {side, 0}, {side, side}, {0, side}};
  for (unsigned int i = 0; i < 4; ++i) polyline->addVertexAt(i, corners[i]);
  polyline->setClosed(closed);
  return polyline;
}

double length(const AcDbCurve& curve) {
  double end = 0.0, dist = 0.0;
  EXPECT_EQ(curve.getEndParam(end), Acad::eOk);
  EXPECT_EQ(curve.getDistAtParam(end, dist), Acad::eOk);
  return dist;
}

double area(const AcDbCurve& curve) {
  double value = 0.0;
  EXPECT_EQ(curve.getArea(value), Acad::eOk);
  return value;
}

TEST(PolylineMeasurement, ClosedSquareHasItsAreaAndPerimeter) {
  const auto polyline = square(10000.0, true);
  EXPECT_DOUBLE_EQ(area(*polyline), 1e8);
  EXPECT_DOUBLE_EQ(length(*polyline), 40000.0);
}

TEST(PolylineMeasurement, OpenSquareLacksTheClosingSegmentButEnclosesTheSameArea) {
  const auto polyline = square(10000.0, false);
  EXPECT_DOUBLE_EQ(length(*polyline), 30000.0);
  EXPECT_DOUBLE_EQ(area(*polyline), 1e8);
}

TEST(PolylineMeasurement, HalfCirclesAreMeasuredExactly) {
  // A 10 x 10 square whose right side bulges out into a half circle and
  // whose closing side is a half circle cut in.
  auto polyline = square(10.0, true);
  polyline->setBulgeAt(1, 1.0);
  EXPECT_NEAR(area(*polyline), 100.0 + kPi * 25.0 / 2.0, 1e-9);
  EXPECT_NEAR(length(*polyline), 30.0 + 5.0 * kPi, 1e-9);
  polyline->setBulgeAt(3, 1.0);  // the closing side, bulging outwards too
  EXPECT_NEAR(area(*polyline), 100.0 + kPi * 25.0, 1e-9);
  EXPECT_NEAR(length(*polyline), 20.0 + 10.0 * kPi, 1e-9);
  polyline->setBulgeAt(3, -1.0);  // and cut in
  EXPECT_NEAR(area(*polyline), 100.0, 1e-9);
  EXPECT_NEAR(length(*polyline), 20.0 + 10.0 * kPi, 1e-9);
  // Clockwise outlines measure the same.
  AcDbPolyline reversed;
  const AcGePoint2d corners[] = {{0, 0}, {0, 10}, {10, 10}, {10, 0}};
  for (unsigned int i = 0; i < 4; ++i) reversed.addVertexAt(i, corners[i], i == 2 ? -1.0 : 0.0);
  reversed.setClosed(true);
  EXPECT_NEAR(area(reversed), 100.0 + kPi * 25.0 / 2.0, 1e-9);
}

TEST(PolylineMeasurement, DistanceAlongAnArcFollowsTheParameter) {
  AcDbPolyline polyline;
  polyline.addVertexAt(0, AcGePoint2d(0, 0), 1.0);
  polyline.addVertexAt(1, AcGePoint2d(2, 0));
  double dist = 0.0;
  ASSERT_EQ(polyline.getDistAtParam(0.5, dist), Acad::eOk);
  EXPECT_NEAR(dist, kPi / 2.0, 1e-12);
  AcGePoint3d middle;
  ASSERT_EQ(polyline.getPointAtParam(0.5, middle), Acad::eOk);
  EXPECT_TRUE(middle.isEqualTo(AcGePoint3d(1, -1, 0), 1e-12));
  EXPECT_EQ(polyline.getDistAtParam(1.5, dist), Acad::eInvalidInput);
}

TEST(PolylineMeasurement, ExtentsIncludeTheArcs) {
  auto polyline = square(10.0, true);
  polyline->setBulgeAt(1, 1.0);
  AcDbExtents extents;
  ASSERT_EQ(polyline->getGeomExtents(extents), Acad::eOk);
  EXPECT_TRUE(extents.minPoint().isEqualTo(AcGePoint3d(0, 0, 0)));
  EXPECT_TRUE(extents.maxPoint().isEqualTo(AcGePoint3d(15, 10, 0)));
}

TEST(CurveMeasurement, CirclesAndLines) {
  const AcDbCircle circle(AcGePoint3d(1, 2, 0), AcGeVector3d::kZAxis, 3.0);
  EXPECT_DOUBLE_EQ(area(circle), 9.0 * kPi);
  EXPECT_DOUBLE_EQ(length(circle), 6.0 * kPi);
  EXPECT_TRUE(circle.isClosed());
  const AcDbLine line(AcGePoint3d(0, 0, 0), AcGePoint3d(3, 4, 0));
  EXPECT_DOUBLE_EQ(length(line), 5.0);
  EXPECT_FALSE(line.isClosed());
}

TEST(Transforms, MovedAndRotatedPolylinesKeepTheirMeasure) {
  auto polyline = square(10.0, true);
  polyline->setBulgeAt(1, 0.5);
  const double before = area(*polyline);
  const AcGeMatrix3d move = AcGeMatrix3d::rotation(kPi / 3.0, AcGeVector3d(1, 1, 1)) *
                            AcGeMatrix3d::translation(AcGeVector3d(5, -7, 2));
  ASSERT_EQ(polyline->transformBy(move), Acad::eOk);
  EXPECT_NEAR(area(*polyline), before, 1e-9);
  AcGePoint3d corner;
  polyline->getPointAt(2, corner);
  EXPECT_TRUE(corner.isEqualTo(move * AcGePoint3d(10, 10, 0), 1e-9));
  // A mirror keeps the arcs bulging the same way in the world.
  ASSERT_EQ(polyline->transformBy(AcGeMatrix3d::scaling(AcGeScale3d(-1, 1, 1))), Acad::eOk);
  EXPECT_NEAR(area(*polyline), before, 1e-9);
  EXPECT_EQ(polyline->transformBy(AcGeMatrix3d::scaling(AcGeScale3d(2, 1, 1))), Acad::eNotApplicable);
}

TEST(Transforms, MatrixInverseUndoesIt) {
  const AcGeMatrix3d m = AcGeMatrix3d::translation(AcGeVector3d(1, 2, 3)) *
                         AcGeMatrix3d::rotation(0.7, AcGeVector3d(0, 1, 1)) * AcGeMatrix3d::scaling(2.5);
  EXPECT_TRUE((m * m.inverse()).isEqualTo(AcGeMatrix3d::kIdentity, 1e-12));
  const AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(AcGeVector3d(0.3, -0.4, 0.8));
  EXPECT_TRUE((toPlane * AcGeMatrix3d::planeToWorld(AcGeVector3d(0.3, -0.4, 0.8))).isEqualTo(AcGeMatrix3d::kIdentity));
}

class BlockReferenceTest : public testing::Test {
 protected:
  void SetUp() override {
    AcDbBlockTable* blocks = nullptr;
    ASSERT_EQ(m_db.getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
    auto* definition = new AcDbBlockTableRecord;
    definition->setName(L"ROOM-1");
    ASSERT_EQ(blocks->add(m_definition, definition), Acad::eOk);
    blocks->close();
    definition->setOrigin(AcGePoint3d(5, 5, 0));
    auto outline = square(10.0, true);
    ASSERT_EQ(definition->appendAcDbEntity(outline.get()), Acad::eOk);
    outline.release()->close();
    definition->close();
  }

  AcDbDatabase m_db;
  AcDbObjectId m_definition;
};

TEST_F(BlockReferenceTest, TransformPlacesTheDefinitionOrigin) {
  AcDbBlockReference reference(AcGePoint3d(100, 200, 0), m_definition);
  reference.setScaleFactors(AcGeScale3d(2, 2, 1));
  reference.setRotation(kPi / 2.0);
  const AcGeMatrix3d transform = reference.blockTransform();
  EXPECT_TRUE((transform * AcGePoint3d(5, 5, 0)).isEqualTo(AcGePoint3d(100, 200, 0)));
  EXPECT_TRUE((transform * AcGePoint3d(6, 5, 0)).isEqualTo(AcGePoint3d(100, 202, 0)));
  AcDbExtents extents;
  ASSERT_EQ(reference.getGeomExtents(extents), Acad::eOk);
  EXPECT_TRUE(extents.minPoint().isEqualTo(AcGePoint3d(90, 190, 0)));
  EXPECT_TRUE(extents.maxPoint().isEqualTo(AcGePoint3d(110, 210, 0)));
}

TEST_F(BlockReferenceTest, SetBlockTransformRecoversPositionScaleAndRotation) {
  AcDbBlockReference reference(AcGePoint3d(0, 0, 0), m_definition);
  AcDbBlockReference placed(AcGePoint3d(7, 8, 0), m_definition);
  placed.setScaleFactors(AcGeScale3d(-3, 3, 3));
  placed.setRotation(0.4);
  ASSERT_EQ(reference.setBlockTransform(placed.blockTransform()), Acad::eOk);
  EXPECT_TRUE(reference.blockTransform().isEqualTo(placed.blockTransform(), 1e-9));
  EXPECT_TRUE(reference.position().isEqualTo(AcGePoint3d(7, 8, 0), 1e-9));
}

}  // namespace
