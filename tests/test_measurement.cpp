// Measuring outlines in square metres, square feet, metres and feet from
// millimetre and inch drawings; outlines seen through scaled references;
// extents, corners, handles, draw order and plot settings.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>

#include "AcApDocManager.h"
#include "AcGeConstants.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "aced.h"
#include "dbmain.h"
#include "host/AcadUtilities.h"
#include "support/ZelphExceptions.h"

using namespace spatiary_test;

namespace {

std::unique_ptr<AcDbPolyline> rectangle(double x, double y, double width, double height) {
  auto polyline = std::make_unique<AcDbPolyline>();
  const AcGePoint2d corners[] = {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}};
  for (unsigned int i = 0; i < 4; ++i) polyline->addVertexAt(i, corners[i]);
  polyline->setClosed(true);
  return polyline;
}

// A fresh current drawing for each test.
class Drawing : public testing::Test {
 protected:
  void SetUp() override { m_document = acDocManager->newDocument(); }
  void TearDown() override { acDocManager->closeDocument(m_document); }
  AcDbDatabase& db() { return *m_document->database(); }

  AcDbObjectId append(AcDbObjectId block, AcDbEntity* entity) {
    AcDbObjectPointer<AcDbBlockTableRecord> record(block, AcDb::kForWrite);
    AcDbObjectId id;
    EXPECT_EQ(record->appendAcDbEntity(id, entity), Acad::eOk);
    entity->close();
    return id;
  }
  // A definition holding a line and then a 1000 x 1000 square at the origin.
  AcDbObjectId squareBlock() {
    AcDbObjectPointer<AcDbBlockTable> table(db().blockTableId(), AcDb::kForWrite);
    auto* block = new AcDbBlockTableRecord;
    block->setName(L"ROOM-1");
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, block), Acad::eOk);
    block->close();
    append(id, new AcDbLine(AcGePoint3d(-5000, -5000, 0), AcGePoint3d(5000, 5000, 0)));
    append(id, rectangle(0, 0, 1000, 1000).release());
    return id;
  }
  AcDbObjectId reference(AcDbObjectId block, const AcGePoint3d& position, const AcGeScale3d& scale) {
    auto* insert = new AcDbBlockReference(position, block);
    insert->setScaleFactors(scale);
    return append(db().modelSpaceId(), insert);
  }

  AcApDocument* m_document = nullptr;
};

// The record a failed call raised, freed; its innermost function.
std::wstring failureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (CEXZelph* record) {
    const CEXZelph* innermost = record;
    while (innermost->getCause() != nullptr) innermost = innermost->getCause();
    const std::wstring function = innermost->getFunction();
    record->deleteChain();
    return function;
  }
  return L"";
}

}  // namespace

TEST(Measurement, SquaresInMillimetreAndInchDrawings) {
  const auto square = rectangle(0, 0, 10000, 10000);
  struct Row {
    Adesk::Int16 lunits;
    int units;
    double area, perimeter;
  };
  const Row rows[] = {
      {2, 0, 100.0, 40.0},
      {2, 1, 1e8 / 92903.04, 40000 / 304.8},
      {1, 0, 100.0, 40.0},
      {5, 7, 1e8 / 92903.04, 40000 / 304.8},
      {4, 0, 1e8 / 1550.0031000062, 40000 / 39.37007874015748},
      {4, 1, 1e8 / 144.0, 40000 / 12.0},
      {3, 0, 1e8 / 1550.0031000062, 40000 / 39.37007874015748},
      {3, -1, 1e8 / 144.0, 40000 / 12.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "lunits " << row.lunits << " units " << row.units);
    EXPECT_DOUBLE_EQ(CAcadUtilities::calculatePolylineArea(square.get(), row.lunits, row.units), row.area);
    EXPECT_DOUBLE_EQ(CAcadUtilities::calculatePolylinePerimeter(square.get(), row.lunits, row.units), row.perimeter);
  }
  EXPECT_DOUBLE_EQ(CAcadUtilities::getPolyPerimeter(square.get()), 40000.0);
}

TEST(Measurement, TheUnitTheDrawingNamesDecidesOverItsDisplayFormat) {
  // A 6 x 6 m room drawn in metres, centimetres and feet (19.685 ft).
  struct Row {
    AcDb::UnitsValue insunits;
    Adesk::Int16 lunits;
    double side;
    int units;
    double area, perimeter;
  };
  constexpr double kFeet = 6.0 / 0.3048;
  const Row rows[] = {
      {AcDb::kUnitsMeters, 2, 6.0, 0, 36.0, 24.0},
      {AcDb::kUnitsMeters, 2, 6.0, 1, 36.0 * 10.7639104167097, 24.0 * 3.28083989501312},
      {AcDb::kUnitsCentimeters, 2, 600.0, 0, 36.0, 24.0},
      {AcDb::kUnitsFeet, 4, kFeet, 0, 36.0, 24.0},
      {AcDb::kUnitsFeet, 2, 20.0, 1, 400.0, 80.0},
      {AcDb::kUnitsKilometers, 2, 0.006, 0, 36.0, 24.0},
      // Millimetres and inches named outright win over the display format.
      {AcDb::kUnitsMillimeters, 4, 6000.0, 0, 36.0, 24.0},
      {AcDb::kUnitsInches, 2, 120.0, 1, 100.0, 40.0},
      // Unitless (or a value no unit has): the display format decides.
      {AcDb::kUnitsUndefined, 2, 6000.0, 0, 36.0, 24.0},
      {AcDb::kUnitsUndefined, 4, 120.0, 1, 100.0, 40.0},
      {static_cast<AcDb::UnitsValue>(99), 4, 120.0, 1, 100.0, 40.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "insunits " << row.insunits << " lunits " << row.lunits);
    const auto room = rectangle(0, 0, row.side, row.side);
    EXPECT_NEAR(CAcadUtilities::calculatePolylineArea(room.get(), row.lunits, row.units, row.insunits), row.area,
                row.area * 1e-9);
    EXPECT_NEAR(CAcadUtilities::calculatePolylinePerimeter(room.get(), row.lunits, row.units, row.insunits),
                row.perimeter, row.perimeter * 1e-9);
  }
}

TEST(Measurement, ArcsCountAndAnOpenOutlineLacksItsClosingSide) {
  // A 10 m square whose right side bulges out into a half circle.
  auto outline = rectangle(0, 0, 10000, 10000);
  outline->setBulgeAt(1, 1.0);
  EXPECT_NEAR(CAcadUtilities::calculatePolylineArea(outline.get(), 2, 0), 100.0 + kPi * 25.0 / 2.0, 1e-9);
  EXPECT_NEAR(CAcadUtilities::calculatePolylinePerimeter(outline.get(), 2, 0), 30.0 + 5.0 * kPi, 1e-9);
  outline->setClosed(false);
  EXPECT_NEAR(CAcadUtilities::calculatePolylinePerimeter(outline.get(), 2, 0), 20.0 + 5.0 * kPi, 1e-9);
}

TEST(Measurement, MissingCurvesAreReportedNotMeasured) {
  EXPECT_EQ(failureOf([] { CAcadUtilities::calculatePolylineArea(nullptr, 2, 0); }),
            L"CAcadUtilities::calculatePolylineArea");
  EXPECT_EQ(failureOf([] { CAcadUtilities::calculatePolylinePerimeter(nullptr, 2, 0); }),
            L"CAcadUtilities::getPolyPerimeter");
  const auto square = rectangle(0, 0, 10, 10);
  EXPECT_EQ(failureOf([&] { CAcadUtilities::recalculateBlockArea(nullptr, square.get(), 2, 0); }),
            L"CAcadUtilities::recalculateBlockArea");
}

TEST_F(Drawing, ScaledReferencesScaleAreasAndUniformlyScaledOnesPerimeters) {
  const AcDbObjectId block = squareBlock();
  const auto outline = rectangle(0, 0, 10000, 10000);
  struct Row {
    AcGeScale3d scale;
    double area, perimeter;
  };
  const Row rows[] = {{AcGeScale3d(1, 1, 1), 100.0, 40.0},
                      {AcGeScale3d(2, 2, 1), 400.0, 80.0},
                      {AcGeScale3d(-2, 2, 1), 400.0, 80.0},
                      {AcGeScale3d(2, -2, 5), 400.0, 80.0},
                      {AcGeScale3d(2, 1, 1), 200.0, 0.0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "scale " << row.scale.sx << "," << row.scale.sy);
    AcDbObjectPointer<AcDbBlockReference> insert(reference(block, AcGePoint3d(3, 4, 0), row.scale), AcDb::kForRead);
    EXPECT_DOUBLE_EQ(CAcadUtilities::recalculateBlockArea(insert.object(), outline.get(), 2, 0), row.area);
    EXPECT_DOUBLE_EQ(CAcadUtilities::recalculateBlockPerimeter(insert.object(), outline.get(), 2, 0), row.perimeter);
  }
}

TEST_F(Drawing, BlockExtentsComeFromTheFirstPolylineGrownByTheBorderAndPlaced) {
  const AcDbObjectId block = squareBlock();
  AcDbObjectPointer<AcDbBlockReference> insert(reference(block, AcGePoint3d(5000, 6000, 0), AcGeScale3d(2, 2, 1)),
                                               AcDb::kForRead);
  AcGePoint3d low, high;
  CAcadUtilities::getBlockExtents(insert.object(), low, high, 0.0);
  EXPECT_EQ(low, AcGePoint3d(5000, 6000, 0));
  EXPECT_EQ(high, AcGePoint3d(7000, 8000, 0));
  CAcadUtilities::getBlockExtents(insert.object(), low, high, 500.0);
  EXPECT_EQ(low, AcGePoint3d(4000, 5000, 0));
  EXPECT_EQ(high, AcGePoint3d(8000, 9000, 0));
  // Anything but a reference leaves the points alone.
  const auto square = rectangle(0, 0, 1, 1);
  AcGePoint3d untouchedLow(1, 2, 3), untouchedHigh(4, 5, 6);
  CAcadUtilities::getBlockExtents(square.get(), untouchedLow, untouchedHigh, 10.0);
  CAcadUtilities::getBlockExtents(nullptr, untouchedLow, untouchedHigh, 10.0);
  EXPECT_EQ(untouchedLow, AcGePoint3d(1, 2, 3));
  EXPECT_EQ(untouchedHigh, AcGePoint3d(4, 5, 6));
}

TEST(Corner, TopLeftIsTheSmallestXAndTheLargestY) {
  auto outline = rectangle(100, 200, 50, 30);
  EXPECT_EQ(CAcadUtilities::getPolylineTopLeft(outline.get()), AcGePoint3d(100, 230, 0));
  const AcGeMatrix3d moved = AcGeMatrix3d::translation(AcGeVector3d(-100, 10, 7));
  EXPECT_EQ(CAcadUtilities::getPolylineTopLeft(outline.get(), &moved), AcGePoint3d(0, 240, 0));
  const AcDbPolyline empty;
  const AcGePoint3d start = CAcadUtilities::getPolylineTopLeft(&empty);
  EXPECT_EQ(start.x, std::numeric_limits<double>::max());
  EXPECT_EQ(start.y, -std::numeric_limits<double>::max());
}

TEST_F(Drawing, HandlesFindTheirObjectsInTheCurrentDrawing) {
  const AcDbObjectId line = append(db().modelSpaceId(), new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)));
  EXPECT_EQ(CAcadUtilities::convertHandleToObjectId(line.handle()), line);
  EXPECT_TRUE(CAcadUtilities::convertHandleToObjectId(AcDbHandle(0xFFFFFFull)).isNull());
  EXPECT_TRUE(CAcadUtilities::convertHandleToObjectId(AcDbHandle()).isNull());
}

TEST(PlotSettings, ValuesOutsideTheHostRangeBecomeZero) {
  EXPECT_EQ(CAcadUtilities::convertScale(33), 33);
  EXPECT_EQ(CAcadUtilities::convertScale(34), 0);
  EXPECT_EQ(CAcadUtilities::convertMediaSize(88), 88);
  EXPECT_EQ(CAcadUtilities::convertMediaSize(89), 0);
  EXPECT_EQ(CAcadUtilities::convertPlotArea(5), 5);
  EXPECT_EQ(CAcadUtilities::convertPlotArea(-1), 0);
  EXPECT_EQ(CAcadUtilities::convertPlotDevice(3), 3);
  EXPECT_EQ(CAcadUtilities::convertPlotDevice(4), 0);
}

TEST_F(Drawing, EntitiesSentToTheBackStayThereInTheSavedFile) {
  resbuf none{};
  none.restype = RTSHORT;
  none.resval.rint = 0;
  ASSERT_EQ(acedSetVar(L"SORTENTS", &none), RTNORM);
  const AcDbObjectId first = append(db().modelSpaceId(), rectangle(0, 0, 10, 10).release());
  const AcDbObjectId second = append(db().modelSpaceId(), rectangle(20, 0, 10, 10).release());
  const AcDbObjectId hatch = append(db().modelSpaceId(), rectangle(0, 0, 30, 10).release());
  const AcDbObjectId label = append(db().modelSpaceId(), new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0)));
  {
    AcDbEntityPointer entity(hatch, AcDb::kForWrite);
    CAcadUtilities::moveEntityToBottom(entity.object());
  }
  {
    AcDbEntityPointer entity(second, AcDb::kForRead);
    CAcadUtilities::moveEntityToBottom(entity.object());
  }
  resbuf sorting{};
  ASSERT_EQ(acedGetVar(L"SORTENTS", &sorting), RTNORM);
  EXPECT_EQ(sorting.resval.rint, 127);

  ScratchFolder folder;
  const auto path = folder / "order.dxf";
  ASSERT_EQ(db().saveAs(utf8ToWide(path.string()).c_str()), Acad::eOk);
  const RunResult order = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
print(len(doc.audit().errors), doc.header["$SORTENTS"])
print(" ".join(e.dxf.handle for e in msp.entities_in_redraw_order()))
)py",
                                    {path.string()});
  const std::string expected = "0 127\n" + second.handle().asciiUtf8() + " " + hatch.handle().asciiUtf8() + " " +
                               first.handle().asciiUtf8() + " " + label.handle().asciiUtf8() + "\n";
  EXPECT_EQ(order.output, expected);

  // Read back by the project, the table still knows the order and moves on from it.
  AcDbDatabase reread(false);
  ASSERT_EQ(reread.dxfIn(utf8ToWide(path.string()).c_str()), Acad::eOk);
  AcDbObjectPointer<AcDbBlockTableRecord> space(reread.modelSpaceId(), AcDb::kForRead);
  AcDbObjectPointer<AcDbDictionary> dictionary(space->extensionDictionary(), AcDb::kForRead);
  ASSERT_TRUE(dictionary);
  AcDbObjectId tableId;
  ASSERT_EQ(dictionary->getAt(L"ACAD_SORTENTS", tableId), Acad::eOk);
  AcDbObjectPointer<AcDbSortentsTable> table(tableId, AcDb::kForWrite);
  ASSERT_TRUE(table);
  EXPECT_EQ(table->blockId(), reread.modelSpaceId());
  AcDbObjectIdArray drawn;
  ASSERT_EQ(table->getFullDrawOrder(drawn), Acad::eOk);
  ASSERT_EQ(drawn.size(), 4u);
  EXPECT_EQ(drawn[0].handle(), second.handle());
  EXPECT_EQ(drawn[1].handle(), hatch.handle());
  AcDbObjectId rereadLabel;
  ASSERT_EQ(reread.getAcDbObjectId(rereadLabel, false, label.handle()), Acad::eOk);
  ASSERT_EQ(table->moveToBottom({rereadLabel}), Acad::eOk);
  ASSERT_EQ(table->getFullDrawOrder(drawn), Acad::eOk);
  EXPECT_EQ(drawn[0], rereadLabel);
  EXPECT_EQ(drawn[1].handle(), second.handle());
  EXPECT_EQ(drawn[3].handle(), first.handle());
}

TEST_F(Drawing, AnEntityOutsideADrawingStaysWhereItIs) {
  const auto loose = rectangle(0, 0, 1, 1);
  CAcadUtilities::moveEntityToBottom(loose.get());
  CAcadUtilities::moveEntityToBottom(nullptr);
  AcDbObjectPointer<AcDbBlockTableRecord> space(db().modelSpaceId(), AcDb::kForRead);
  EXPECT_TRUE(space->extensionDictionary().isNull());
}

namespace {

resbuf coordinateSystem(short code) {
  resbuf value{};
  value.restype = RTSHORT;
  value.resval.rint = code;
  return value;
}

void expectNear(const AcGePoint3d& actual, const AcGePoint3d& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-9);
  EXPECT_NEAR(actual.y, expected.y, 1e-9);
  EXPECT_NEAR(actual.z, expected.z, 1e-9);
}

}  // namespace

TEST_F(Drawing, WithoutAUserCoordinateSystemPointsStayAsTheyAre) {
  expectNear(CAcadUtilities::convertUCSToWCS(AcGePoint3d(1, 2, 3)), AcGePoint3d(1, 2, 3));
  expectNear(CAcadUtilities::convertWCSToUCS(AcGePoint3d(1, 2, 3)), AcGePoint3d(1, 2, 3));
  AcGeMatrix3d matrix = AcGeMatrix3d::translation(AcGeVector3d(5, 5, 5));
  EXPECT_TRUE(acdbUcsMatrix(matrix));
  expectNear(AcGePoint3d(7, 8, 9).transformBy(matrix), AcGePoint3d(7, 8, 9));
}

TEST(UserCoordinates, TheDrawingsUcsMovesPointsAndTurnsDisplacements) {
  ScratchFolder folder;
  const auto path = folder / "ucs.dxf";
  ASSERT_EQ(runPython(R"py(
import sys, ezdxf
doc = ezdxf.new("R2018")
doc.header["$UCSORG"] = (100, 200, 0)
doc.header["$UCSXDIR"] = (0, 2, 0)
doc.header["$UCSYDIR"] = (-1, 0, 0)
doc.saveas(sys.argv[1])
)py",
                      {path.string()})
                .exitCode,
            0);
  ASSERT_EQ(acDocManager->appContextOpenDocument(utf8ToWide(path.string()).c_str()), Acad::eOk);
  AcApDocument* document = acDocManager->curDocument();
  expectNear(CAcadUtilities::convertUCSToWCS(AcGePoint3d(10, 0, 0)), AcGePoint3d(100, 210, 0));
  expectNear(CAcadUtilities::convertUCSToWCS(AcGePoint3d(0, 10, 5)), AcGePoint3d(90, 200, 5));
  expectNear(CAcadUtilities::convertWCSToUCS(AcGePoint3d(100, 210, 0)), AcGePoint3d(10, 0, 0));
  const resbuf world = coordinateSystem(0), user = coordinateSystem(1);
  const ads_point step = {10, 0, 0};
  ads_point moved = {0, 0, 0};
  ASSERT_EQ(acedTrans(step, &user, &world, 1, moved), RTNORM);
  expectNear(AcGePoint3d(moved[X], moved[Y], moved[Z]), AcGePoint3d(0, 10, 0));
  const resbuf entity = coordinateSystem(3);
  EXPECT_EQ(acedTrans(step, &entity, &world, 0, moved), RTERROR);

  // A new UCS goes into the file.
  AcDbDatabase& db = *document->database();
  EXPECT_EQ(db.setUcs(AcGePoint3d(1, 2, 3), AcGeVector3d(1, 0, 0), AcGeVector3d(1, 1, 0)), Acad::eInvalidInput);
  ASSERT_EQ(db.setUcs(AcGePoint3d(1, 2, 3), AcGeVector3d(1, 0, 0), AcGeVector3d(0, 0, 1)), Acad::eOk);
  expectNear(CAcadUtilities::convertUCSToWCS(AcGePoint3d(0, 1, 0)), AcGePoint3d(1, 2, 4));
  ASSERT_EQ(db.saveAs(utf8ToWide(path.string()).c_str()), Acad::eOk);
  acDocManager->closeDocument(document);
  const RunResult saved = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print(tuple(doc.header["$UCSORG"]), tuple(doc.header["$UCSXDIR"]), tuple(doc.header["$UCSYDIR"]))
)py",
                                    {path.string()});
  EXPECT_EQ(saved.output, "(1.0, 2.0, 3.0) (1.0, 0.0, 0.0) (0.0, 0.0, 1.0)\n");
}
