// Added and subtracted outlines of a space: their handles are stored in the
// space's record and its net area and perimeter follow them.
#include <gtest/gtest.h>

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
  const auto path = utf8ToWide((sourceDir() / "samples" / "floorplan.dxf").string());
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

}  // namespace
