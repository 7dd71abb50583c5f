// Added and subtracted outlines of a space: their handles are stored in the
// space's record, its net area and perimeter follow them, and they can be
// shown in the drawing and given back the space's own look.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "AcApDocManager.h"
#include "AcApDocument.h"
#include "AcDbBlockReference.h"
#include "AcDbDatabase.h"
#include "HostSession.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "host/AcadDrawing.h"
#include "spaces/BlockDWG.h"
#include "spaces/ZelphAttribute.h"
#include "support/ZelphExceptions.h"
#include "tools/SpaceOutline.h"

using namespace spatiary_test;

namespace {

AcDbObjectId idOf(AcDbDatabase* db, const wchar_t* handle) {
  AcDbObjectId id;
  db->getAcDbObjectId(id, false, AcDbHandle(handle));
  return id;
}

TEST(SpaceOperations, AddedAndSubtractedOutlinesGiveTheNetAreaAndAreStored) {
  const auto path = utf8ToWide(floorDrawing().string());
  ASSERT_EQ(acDocManager->appContextOpenDocument(path.c_str()), Acad::eOk);
  std::ostringstream transcript;
  std::istringstream answers("3000,3000\n");
  HostSession::instance().setOutput(&transcript);
  HostSession::instance().setInput(&answers);
  CAcadDrawing drawing;
  drawing.bindCurrentDocument();
  AcDbDatabase* db = drawing.getDatabase();

  // The corridor 38 becomes a space; office 34 is added, office 35 subtracted.
  CSpaceOutline outline(idOf(db, L"38"), 0, 2);
  ASSERT_TRUE(outline.prepare(drawing));
  CBlockDWGRoom room;
  outline.fillSpace(room, L"Corridor", L"ROOM-1", 250, 1, 0, false);
  ASSERT_EQ(outline.createBlockReference(room, drawing, 250, 1, 0), Acad::eOk);
  room.setHandlesToAdd({idOf(db, L"34"), idOf(db, L"3C")});  // the text is no outline
  room.setHandlesToMinus({idOf(db, L"35")});
  room.recalculateArea(drawing.getDocument());
  room.recalculatePerimeter(drawing.getDocument());
  EXPECT_DOUBLE_EQ(room.getArea(), 48.0 + 36.0 - 36.0);
  EXPECT_DOUBLE_EQ(room.getPerimeter(), 52.0 + 24.0 + 24.0);
  CZelphExceptions errors;
  room.applyToDWG(drawing, errors);

  AcDbBlockReference* reference = nullptr;
  ASSERT_EQ(acdbOpenObject(reference, room.getObjectId(), AcDb::kForRead), Acad::eOk);
  const CBlockDWG stored(reference, drawing.getDocument());
  reference->close();
  EXPECT_EQ(stored.getHandlesToAddAsString(), L"34,");
  EXPECT_EQ(stored.getHandlesToMinusAsString(), L"35,");
  EXPECT_DOUBLE_EQ(stored.getArea(), 48.0);
  EXPECT_DOUBLE_EQ(stored.getPerimeter(), 100.0);

  // An erased subtracted outline drops out of the sums and the list.
  AcDbEntity* office = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(office, idOf(db, L"35"), AcDb::kForWrite), Acad::eOk);
  office->erase();
  office->close();
  CBlockDWG again;
  stored.copyInto(&again);
  again.recalculateArea(drawing.getDocument());
  EXPECT_DOUBLE_EQ(again.getArea(), 84.0);
  EXPECT_TRUE(again.getHandlesToMinus().empty());
  HostSession::instance().setInput(nullptr);
  HostSession::instance().setOutput(&std::cout);
}

// What a graphic report entry carries onto the space found in the drawing.
TEST(SpaceOperations, PresentationIsCopiedOntoAnotherSpace) {
  CBlockDWG entry, space;
  entry.setArea(12.5);
  auto hatch = std::make_unique<CHatch>();
  hatch->setPattern(L"ANSI31");
  hatch->setScale(50);
  hatch->setAngle(1);
  hatch->setLayer(L"#Report");
  entry.setHatch(std::move(hatch));
  auto labels = std::make_unique<CAttributes>();
  labels->add(std::make_unique<CZelphAttribute>(CZelphAttribute::kName, L"Office", L""), false);
  space.setAttributes(std::move(labels));

  entry.copyFormatting(&space);
  entry.copyFormatting(nullptr);
  EXPECT_DOUBLE_EQ(space.getArea(), 12.5);
  EXPECT_EQ(space.getAttributes()->getAtAttribute(CZelphAttribute::kName)->getValue(), L"Office");
  ASSERT_NE(space.getHatch(), nullptr);
  EXPECT_NE(space.getHatch(), entry.getHatch());
  EXPECT_EQ(space.getHatch()->getPattern(), L"ANSI31");
  EXPECT_EQ(space.getHatch()->getScale(), 50);
  EXPECT_EQ(space.getHatch()->getAngle(), 1);
  EXPECT_EQ(space.getHatch()->getLayer(), L"#Report");

  auto swaps = std::make_unique<CAttributes>();
  swaps->setTextHeight(300);
  swaps->add(std::make_unique<CZelphAttribute>(CZelphAttribute::kAux, L"Dept 4", L""), false);
  entry.setAttributes(std::move(swaps));
  entry.copyFormatting(&space);
  EXPECT_EQ(space.getAttributes()->getAtAttribute(CZelphAttribute::kName)->getValue(), L"Office");
  EXPECT_EQ(space.getAttributes()->getAtAttribute(CZelphAttribute::kAux)->getValue(), L"Dept 4");
  EXPECT_DOUBLE_EQ(space.getAttributes()->getTextHeight(), 300);
}

struct Look {
  int colour;
  int lineweight;
  bool operator==(const Look& other) const { return colour == other.colour && lineweight == other.lineweight; }
};

Look lookOf(AcDbObjectId id) {
  AcDbEntity* entity = nullptr;
  EXPECT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
  if (entity == nullptr) return {-1, -1};
  const Look look{entity->colorIndex(), static_cast<int>(entity->lineWeight())};
  entity->close();
  return look;
}

void setLook(AcDbObjectId id, const Look& look) {
  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOk);
  entity->setColorIndex(static_cast<std::uint16_t>(look.colour));
  entity->setLineWeight(static_cast<AcDb::LineWeight>(look.lineweight));
  entity->close();
}

TEST(SpaceOperations, ListedOutlinesAreHighlightedAndGivenTheSpacesLookBack) {
  const auto path = utf8ToWide(floorDrawing().string());
  ASSERT_EQ(acDocManager->appContextOpenDocument(path.c_str()), Acad::eOk);
  std::ostringstream transcript;
  std::istringstream answers("3000,7000\n");
  HostSession::instance().setOutput(&transcript);
  HostSession::instance().setInput(&answers);
  CAcadDrawing drawing;
  drawing.bindCurrentDocument();
  AcDbDatabase* db = drawing.getDatabase();
  CSpaceOutline outline(idOf(db, L"38"), 0, 2);
  ASSERT_TRUE(outline.prepare(drawing));
  CBlockDWGRoom made;
  outline.fillSpace(made, L"Corridor", L"ROOM-1", 250, 1, 0, false);
  ASSERT_EQ(outline.createBlockReference(made, drawing, 250, 1, 0), Acad::eOk);
  setLook(made.getObjectId(), {4, 35});
  setLook(idOf(db, L"34"), {6, 13});
  AcDbBlockReference* reference = nullptr;
  ASSERT_EQ(acdbOpenObject(reference, made.getObjectId(), AcDb::kForRead), Acad::eOk);
  CBlockDWG space(reference, drawing.getDocument());
  reference->close();
  space.setHandlesToAdd({idOf(db, L"34")});
  space.setHandlesToMinus({idOf(db, L"35"), idOf(db, L"36")});
  AcDbEntity* gone = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(gone, idOf(db, L"35"), AcDb::kForWrite), Acad::eOk);
  gone->erase();
  gone->close();

  space.highlightAreasAdded(drawing, true, true);
  space.highlightAreasSubtracted(drawing, true, true);
  EXPECT_NE(transcript.str().find("\nThere are 1 area(s) added to this block\n"), std::string::npos)
      << transcript.str();
  EXPECT_NE(transcript.str().find("\nThere are 2 area(s) subtracted from this block\n"), std::string::npos);
  EXPECT_EQ(lookOf(idOf(db, L"34")), (Look{3, 100}));
  EXPECT_EQ(lookOf(idOf(db, L"36")), (Look{1, 100}));
  EXPECT_EQ(space.getHandlesToMinusAsString(), L"36,");  // the erased outline is dropped

  space.highlightAreasAdded(drawing, false, false);
  space.highlightAreasSubtracted(drawing, false, false);
  EXPECT_EQ(lookOf(idOf(db, L"34")), (Look{4, 35}));
  EXPECT_EQ(lookOf(idOf(db, L"36")), (Look{4, 35}));
  EXPECT_EQ(countOccurrences(transcript.str(), "area(s)"), 2);
  const auto& views = drawing.getDocument()->viewOperations();
  EXPECT_EQ(std::count(views.begin(), views.end(), L"regen all viewports"), 4);
  HostSession::instance().setInput(nullptr);
  HostSession::instance().setOutput(&std::cout);
}

}  // namespace
