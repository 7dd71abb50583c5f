// Picking and selecting entities of the sample floor plan the way a user
// answers at the console: handles, points, windows, crossings, filters.
#include <gtest/gtest.h>

#include <sstream>

#include "AcDbDatabase.h"
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
