// Picking outlines and spaces on the command line over the sample floor
// plan: wrong picks are answered and asked again, Escape gives up.
#include <gtest/gtest.h>

#include <sstream>

#include "AcDbBlockReference.h"
#include "AcDbBlockTable.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbLayerTable.h"
#include "AcDbLayerTableRecord.h"
#include "AcDbHostApplicationServices.h"
#include "HostSession.h"
#include "SampleDrawingTest.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "aced.h"
#include "host/AcadUtilities.h"

using namespace spatiary_test;

namespace {

class SpacePicks : public SampleDrawingTest {};

TEST_F(SpacePicks, AWrongClassIsNamedAndAskedAgain) {
  answer("#3C\n3000,3000\n");
  AcDbObjectId id;
  EXPECT_EQ(CAcadUtilities::selectObjectId(id, L"Please select a polyline:", L"AcDbPolyline"),
            CAcadUtilities::kPicked);
  EXPECT_EQ(hexHandle(id), L"34");
  EXPECT_NE(transcript.str().find("Invalid selection - AcDbText.\n"), std::string::npos) << transcript.str();
}

TEST_F(SpacePicks, EnterOrEscapeGivesUp) {
  for (const char* reply : {"\n", "*cancel*\n", ""}) {
    answer(reply);
    AcDbObjectId id;
    EXPECT_EQ(CAcadUtilities::selectObjectId(id, L"", L"AcDbPolyline"), CAcadUtilities::kPickCancelled);
    EXPECT_TRUE(id.isNull());
  }
  EXPECT_EQ(countOccurrences(transcript.str(), "Cancelled by User.\n"), 3) << transcript.str();
  EXPECT_NE(transcript.str().find("Please select an object"), std::string::npos);
}

TEST_F(SpacePicks, APlainPickTakesAnyEntity) {
  answer("#3C\n*cancel*\n");
  AcDbObjectId id;
  EXPECT_TRUE(CAcadUtilities::selectObjectId(id, L"Pick: "));
  EXPECT_EQ(hexHandle(id), L"3C");
  EXPECT_FALSE(CAcadUtilities::selectObjectId(id, L"Pick: "));
}

TEST_F(SpacePicks, SelectionsAppendAllButBlockReferences) {
  answer("w -1,-1 12001,6001\n\n");
  AcDbObjectIdArray ids{AcDbObjectId()};
  EXPECT_EQ(CAcadUtilities::selectObjectIds(ids, L"Please Select Areas to Add"), 1);
  ASSERT_EQ(ids.size(), 3u);
  EXPECT_EQ(hexHandle(ids[1]) + hexHandle(ids[2]), L"3435");
  EXPECT_EQ(CAcadUtilities::selectObjectIds(ids, L"Please Select Areas to Add"), 1);  // nothing selected
  EXPECT_EQ(ids.size(), 3u);
  EXPECT_NE(transcript.str().find("\nPlease Select Areas to Add"), std::string::npos);
}

TEST_F(SpacePicks, ASpaceHandleNeedsABlockReference) {
  answer("#34\n*cancel*\n");
  AcDbHandle handle;
  EXPECT_EQ(CAcadUtilities::userSelectSpaceHandle(handle), CAcadUtilities::kNoSpacePicked);
  EXPECT_NE(transcript.str().find("Invalid selection - AcDbPolyline.\n"), std::string::npos) << transcript.str();
  EXPECT_NE(transcript.str().find("Please select a space"), std::string::npos);
}

// Moves the outline into a block of its own and draws the block where the
// outline was, as a space is made.
void makeBlockOf(AcDbDatabase& db, const wchar_t* handle) {
  AcDbObjectId outline;
  ASSERT_EQ(db.getAcDbObjectId(outline, false, AcDbHandle(handle)), Acad::eOk);
  AcDbBlockTable* table = nullptr;
  ASSERT_EQ(db.getBlockTable(table, AcDb::kForWrite), Acad::eOk);
  auto* block = new AcDbBlockTableRecord();
  block->setName(L"ROOM-1");
  AcDbObjectId blockId;
  ASSERT_EQ(table->add(blockId, block), Acad::eOk);
  table->close();
  ASSERT_EQ(block->assumeOwnershipOf({outline}), Acad::eOk);
  block->close();
  AcDbBlockTableRecord* model = nullptr;
  ASSERT_EQ(acdbOpenObject(model, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
  auto* reference = new AcDbBlockReference(AcGePoint3d(0, 0, 0), blockId);
  ASSERT_EQ(model->appendAcDbEntity(reference), Acad::eOk);
  reference->close();
  model->close();
}

TEST_F(SpacePicks, ASpaceIsPickedInsideItsOutlineButTheOutlineNoMore) {
  makeBlockOf(db, L"34");
  answer("3000,3000\n#34\n*cancel*\n");
  AcDbObjectId id;
  EXPECT_EQ(CAcadUtilities::selectObjectId(id, L"Please select a polyline:", L"AcDbPolyline"),
            CAcadUtilities::kPickCancelled);
  EXPECT_NE(transcript.str().find("Invalid selection - AcDbBlockReference.\n"), std::string::npos) << transcript.str();
  EXPECT_NE(transcript.str().find("The entity 34 is part of a block and cannot be picked."), std::string::npos);
}

TEST_F(SpacePicks, TheWholeDrawingIncludesHiddenLayers) {
  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(db.getLayerTable(layers, AcDb::kForRead), Acad::eOk);
  AcDbLayerTableRecord* layer = nullptr;
  ASSERT_EQ(layers->getAt(L"A-AREA", layer, AcDb::kForWrite), Acad::eOk);
  layer->setIsOff(true);
  layer->close();
  layers->close();
  resbuf* filter = acutBuildList(8, L"A-AREA", 0);
  ads_name selection;
  ASSERT_EQ(acedSSGet(L"X", nullptr, nullptr, filter, selection), RTNORM);
  Adesk::Int32 length = 0;
  acedSSLength(selection, &length);
  EXPECT_EQ(length, 8);
  acedSSFree(selection);
  acutRelRb(filter);
}

}  // namespace
