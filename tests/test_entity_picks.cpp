// Picking and selecting entities of the sample floor plan the way a user
// answers at the console: handles, points, windows, crossings, filters.
#include <gtest/gtest.h>

#include <sstream>

#include <memory>

#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbLayerTableRecord.h"
#include "AcDbLine.h"
#include "AcDbHostApplicationServices.h"
#include "AcDbObjectId.h"
#include "EntityPicker.h"
#include "HostSession.h"
#include "SampleDrawingTest.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "aced.h"

using namespace spatiary_test;

namespace {

class EntityPicks : public SampleDrawingTest {
 protected:
  std::wstring handleAt(const std::wstring& answer) {
    std::wstring why;
    AcGePoint3d point;
    const AcDbObjectId id = EntityPicker(&db).pick(answer, point, why);
    return id.isNull() ? L"none: " + why : hexHandle(id);
  }
};

TEST_F(EntityPicks, APointPicksTheSmallestOutlineAroundIt) {
  EXPECT_EQ(handleAt(L"3000,3000"), L"34");    // the first office, not the storey outline
  EXPECT_EQ(handleAt(L"12000,7000"), L"38");   // the corridor
  EXPECT_EQ(handleAt(L"24500,13000"), L"3B");  // inside the bay window's arc
  EXPECT_EQ(handleAt(L"#3a"), L"3A");
  EXPECT_EQ(handleAt(L"90000,90000").substr(0, 4), L"none");
  EXPECT_EQ(handleAt(L"#FFFF").substr(0, 4), L"none");
  EXPECT_EQ(handleAt(L"north wing").substr(0, 4), L"none");
}

TEST_F(EntityPicks, WindowsCrossingsAndFilters) {
  const EntityPicker picker(&db);
  std::wstring why;
  EXPECT_EQ(picker.select(L"w -1,-1 12001,6001", why).size(), 2u);
  EXPECT_EQ(picker.select(L"c 5999,100 6001,200", why).size(), 3u);  // two offices and the storey
  EXPECT_EQ(picker.select(L"all", why).size(), 10u);
  EXPECT_EQ(picker.select(L"#34 3000,3000 #35", why).size(), 2u);

  resbuf* filter = acutBuildList(RTDXF0, L"LWPOLYLINE", 8, L"A-AREA", 0);
  EXPECT_EQ(picker.filtered(filter).size(), 8u);
  acutRelRb(filter);
}

// Selections look things up where the drawing last put them: moved, erased,
// added and hidden entities are followed from one selection to the next.
TEST_F(EntityPicks, SelectionsFollowTheDrawingAsItChanges) {
  const EntityPicker picker(&db);
  std::wstring why;
  const auto crossing = [&](const wchar_t* answer) { return picker.select(answer, why).size(); };
  ASSERT_EQ(crossing(L"c 5999,100 6001,200"), 3u);
  AcDbObjectId office;
  ASSERT_EQ(db.getAcDbObjectId(office, false, AcDbHandle(L"34")), Acad::eOk);
  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, office, AcDb::kForWrite), Acad::eOk);
  AcGeMatrix3d away;
  away.setToTranslation(AcGeVector3d(100000, 0, 0));
  ASSERT_EQ(entity->transformBy(away), Acad::eOk);
  // Still open for write, and already selected where it went.
  EXPECT_EQ(crossing(L"c 105999,100 106001,200"), 1u);
  entity->close();
  EXPECT_EQ(crossing(L"c 5999,100 6001,200"), 2u);
  EXPECT_EQ(handleAt(L"103000,3000"), L"34");

  ASSERT_EQ(acdbOpenAcDbEntity(entity, office, AcDb::kForWrite), Acad::eOk);
  entity->erase();
  entity->close();
  EXPECT_EQ(crossing(L"c 105999,100 106001,200"), 0u);

  AcDbBlockTableRecord* model = nullptr;
  ASSERT_EQ(acdbOpenObject(model, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
  auto line = std::make_unique<AcDbLine>(AcGePoint3d(200000, 0, 0), AcGePoint3d(200000, 500, 0));
  AcDbObjectId lineId;
  ASSERT_EQ(model->appendAcDbEntity(lineId, line.get()), Acad::eOk);
  AcDbLine* appended = line.release();
  const AcDbObjectId layerId = appended->layerId();
  appended->close();
  model->close();
  EXPECT_EQ(crossing(L"c 199999,100 200001,200"), 1u);
  AcDbLayerTableRecord* layer = nullptr;
  ASSERT_EQ(acdbOpenObject(layer, layerId, AcDb::kForWrite), Acad::eOk);
  layer->setIsOff(true);
  layer->close();
  EXPECT_EQ(crossing(L"c 199999,100 200001,200"), 0u);
}

TEST_F(EntityPicks, TheEditorAsksAgainUntilSomethingIsPicked) {
  answer("90000,90000\n#35\n*cancel*\n");
  ads_name entity;
  ads_point point;
  ASSERT_EQ(acedEntSel(L"\nSelect a room: ", entity, point), RTNORM);
  AcDbObjectId id;
  ASSERT_EQ(acdbGetObjectId(id, entity), Acad::eOk);
  EXPECT_EQ(hexHandle(id), L"35");
  EXPECT_NE(transcript.str().find("Nothing found at 90000,90000."), std::string::npos) << transcript.str();
  EXPECT_EQ(acedEntSel(L"\nSelect a room: ", entity, point), RTCAN);
}

TEST_F(EntityPicks, SelectionSetsHoldWhatWasSelected) {
  answer("w -1,-1 24001,6001\n");
  ads_name selection;
  ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, selection), RTNORM);
  Adesk::Int32 length = 0;
  ASSERT_EQ(acedSSLength(selection, &length), RTNORM);
  EXPECT_EQ(length, 4);
  ads_name entity;
  EXPECT_EQ(acedSSName(selection, 4, entity), RTERROR);
  EXPECT_EQ(acedSSFree(selection), RTNORM);
  EXPECT_EQ(acedSSLength(selection, &length), RTERROR);
  EXPECT_EQ(acdbHandEnt(L"3C", entity), RTNORM);
  EXPECT_EQ(acdbHandEnt(L"ZZ", entity), RTERROR);
}

}  // namespace
