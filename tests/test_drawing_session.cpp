// The drawing session: binding, the nested lock, appending to model space,
// the view through the host's automation object, temporary copies, and
// what the session leaves behind when it ends.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <cctype>

#include "AcApDocManager.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"
#include "host/AcadDrawing.h"
#include "support/Preferences.h"
#include "support/ZelphExceptions.h"

using namespace spatiary_test;

namespace {

class Session : public testing::Test {
 protected:
  void SetUp() override { m_document = acDocManager->newDocument(); }
  void TearDown() override {
    if (acDocManager->isOpen(m_document)) acDocManager->closeDocument(m_document);
  }
  AcApDocument* m_document = nullptr;
};

std::unique_ptr<AcDbLine> line() { return std::make_unique<AcDbLine>(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 2, 0)); }

std::filesystem::path savedDrawing(const ScratchFolder& folder, const std::string& name) {
  AcDbDatabase db;
  const auto path = folder / name;
  EXPECT_EQ(db.saveAs(utf8ToWide(path.string()).c_str()), Acad::eOk);
  return path;
}

int modelSpaceCount(const std::filesystem::path& path) {
  AcDbDatabase db(false);
  EXPECT_EQ(db.dxfIn(utf8ToWide(path.string()).c_str()), Acad::eOk);
  AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForRead);
  return static_cast<int>(space->entityIds().size());
}

}  // namespace

TEST_F(Session, BindsTheCurrentDocument) {
  CAcadDrawing drawing;
  EXPECT_EQ(drawing.isOpen(), 0);
  ASSERT_EQ(drawing.bindCurrentDocument(), 1);
  EXPECT_EQ(drawing.getDocument(), m_document);
  EXPECT_EQ(drawing.getDatabase(), m_document->database());
  EXPECT_EQ(drawing.isOpen(), 1);
  EXPECT_EQ(drawing.isCurrentDocument(), 1);
  EXPECT_EQ(drawing.getName(), m_document->docTitle());
  EXPECT_EQ(drawing.getDepth(), 0);
}

TEST_F(Session, NestedLocksReleaseTheDocumentOnceAtTheOutermostUnlock) {
  CAcadDrawing drawing;
  drawing.bindCurrentDocument();
  const int acquisitions = m_document->lockAcquisitions();
  ASSERT_EQ(drawing.lock(), Acad::eOk);
  ASSERT_EQ(drawing.lock(), Acad::eOk);
  EXPECT_EQ(drawing.getDepth(), 2);
  EXPECT_EQ(m_document->lockCount(), 1);
  EXPECT_EQ(drawing.unlock(), 320);
  EXPECT_EQ(m_document->lockCount(), 1);
  EXPECT_EQ(drawing.isLocked(), 1);
  EXPECT_EQ(drawing.unlock(), Acad::eOk);
  EXPECT_EQ(m_document->lockCount(), 0);
  EXPECT_EQ(drawing.isLocked(), 0);
  EXPECT_EQ(m_document->lockAcquisitions(), acquisitions + 1);
  // A lock held by someone else is never given back through the session.
  ASSERT_EQ(acDocManager->lockDocument(m_document), Acad::eOk);
  EXPECT_EQ(drawing.unlock(), Acad::eNotApplicable);
  EXPECT_EQ(drawing.unlock(true), Acad::eNotApplicable);
  EXPECT_EQ(m_document->lockCount(), 1);
  acDocManager->unlockDocument(m_document);
}

TEST_F(Session, ForceReleasesWhateverTheDepth) {
  CAcadDrawing drawing;
  drawing.bindCurrentDocument();
  drawing.lock();
  drawing.lock();
  drawing.lock();
  EXPECT_EQ(drawing.unlock(true), Acad::eOk);
  EXPECT_EQ(m_document->lockCount(), 0);
  EXPECT_EQ(drawing.getDepth(), 0);
  ASSERT_EQ(drawing.lock(), Acad::eOk);
  EXPECT_EQ(drawing.unlock(), Acad::eOk);
}

TEST_F(Session, EndingASessionOfTheCurrentDocumentReleasesItsLockAndNeverClosesIt) {
  {
    CAcadDrawing drawing;
    drawing.bindCurrentDocument();
    drawing.lock();
    drawing.lock();
  }
  EXPECT_TRUE(acDocManager->isOpen(m_document));
  EXPECT_EQ(m_document->lockCount(), 0);
  {
    CAcadDrawing drawing;
    drawing.bindCurrentDocument();
    drawing.setSaveOnClose(true);
  }
  EXPECT_TRUE(acDocManager->isOpen(m_document));
  EXPECT_EQ(acDocManager->curDocument(), m_document);
}

TEST_F(Session, PostingAppendsToModelSpaceAndHandsTheEntityOver) {
  CAcadDrawing drawing;
  drawing.bindCurrentDocument();
  std::unique_ptr<AcDbLine> entity = line();
  AcDbObjectId id;
  ASSERT_EQ(drawing.postToDrawing(entity, id), Acad::eOk);
  EXPECT_EQ(entity, nullptr);
  EXPECT_EQ(m_document->lockCount(), 0);
  AcDbObjectPointer<AcDbLine> posted(id, AcDb::kForRead);
  ASSERT_TRUE(posted);
  EXPECT_EQ(posted->ownerId(), m_document->database()->modelSpaceId());
  EXPECT_EQ(posted->endPoint(), AcGePoint3d(1, 2, 0));
}

TEST(SessionWithoutDocument, PostingWithoutALockLeavesTheEntityToTheCaller) {
  CAcadDrawing unbound;
  std::unique_ptr<AcDbLine> entity = line();
  AcDbObjectId id;
  EXPECT_EQ(unbound.postToDrawing(entity, id), Acad::eNoDocument);
  ASSERT_NE(entity, nullptr);
  EXPECT_EQ(entity->endPoint(), AcGePoint3d(1, 2, 0));
  EXPECT_TRUE(id.isNull());
  std::unique_ptr<AcDbEntity> none;
  EXPECT_EQ(unbound.postToDrawing(none, id), Acad::eNullEntityPointer);
}

TEST_F(Session, ZoomsAndRegenerationsGoThroughTheHostAndAreRecorded) {
  CAcadDrawing drawing;
  drawing.bindCurrentDocument();
  drawing.zoomExtents();
  drawing.zoomWindow(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 20.5, 0));
  drawing.zoomPrevious();
  EXPECT_EQ(drawing.regenDrawing(), 1);
  const std::vector<std::wstring> expected = {L"zoom extents", L"zoom window 0,0,0 10,20.5,0", L"zoom previous",
                                              L"regen all viewports"};
  EXPECT_EQ(m_document->viewOperations(), expected);
}

TEST_F(Session, TemporaryCopiesAreTimeStampedAndGoWithTheSession) {
  ScratchFolder folder;
  CPreferences::setWorkingFolders(utf8ToWide(folder.path().string()));
  std::wstring copy;
  {
    CAcadDrawing drawing;
    drawing.bindCurrentDocument();
    std::unique_ptr<AcDbLine> entity = line();
    AcDbObjectId id;
    drawing.postToDrawing(entity, id);
    copy = drawing.saveAsTemp();
    EXPECT_EQ(drawing.getTempFiles().count(), 1);
    const std::filesystem::path file(wideToUtf8(copy));
    EXPECT_EQ(file.parent_path(), folder.path() / "ZelphSystems/Spatiary/temp");
    // YYYYMMDDHHhMMSS_ and the drawing's name with its extension swapped.
    const std::string name = file.filename().string();
    const std::string title = wideToUtf8(drawing.getName());  // "DrawingN.dwg"
    const std::string expectedTail = "_" + title.substr(0, title.size() - 4) + ".vkt";
    ASSERT_EQ(name.size(), 15 + expectedTail.size()) << name;
    for (size_t i = 0; i < 15; ++i)
      EXPECT_TRUE(i == 10 ? name[i] == 'h' : std::isdigit(static_cast<unsigned char>(name[i])) != 0) << name;
    EXPECT_EQ(name.substr(15), expectedTail);
    EXPECT_EQ(modelSpaceCount(file), 1);
  }
  EXPECT_FALSE(std::filesystem::exists(wideToUtf8(copy)));
  CPreferences::setWorkingFolders(L"");
}

TEST(OpenedDrawing, IsClosedWithoutSavingWhenTheSessionEnds) {
  ScratchFolder folder;
  const auto path = savedDrawing(folder, "Plan.dxf");
  const int open = acDocManager->documentCount();
  {
    CAcadDrawing drawing(utf8ToWide(folder.path().string()), L"Plan.dxf");
    EXPECT_EQ(drawing.isOpen(), 1);
    EXPECT_EQ(drawing.isCurrentDocument(), 0);
    EXPECT_EQ(acDocManager->documentCount(), open + 1);
    std::unique_ptr<AcDbLine> entity = line();
    AcDbObjectId id;
    ASSERT_EQ(drawing.postToDrawing(entity, id), Acad::eOk);
  }
  EXPECT_EQ(acDocManager->documentCount(), open);
  EXPECT_EQ(modelSpaceCount(path), 0);
}

TEST(OpenedDrawing, KeepsItsChangesWhenAskedTo) {
  ScratchFolder folder;
  CPreferences::setWorkingFolders(utf8ToWide(folder.path().string()));
  const auto path = savedDrawing(folder, "Plan.dxf");
  {
    CAcadDrawing drawing(utf8ToWide(folder.path().string()) + L"/", L"Plan.dxf");
    drawing.setSaveOnClose(true);
    drawing.lock();  // still held at the end: released, then closed
    std::unique_ptr<AcDbLine> entity = line();
    AcDbObjectId id;
    ASSERT_EQ(drawing.postToDrawing(entity, id), Acad::eOk);
  }
  EXPECT_EQ(modelSpaceCount(path), 1);
  EXPECT_TRUE(std::filesystem::is_empty(folder / "ZelphSystems/Spatiary/temp"));
  CPreferences::setWorkingFolders(L"");
}

TEST(OpenedDrawing, AMissingFileIsReportedByTheSession) {
  ScratchFolder folder;
  try {
    CAcadDrawing drawing(utf8ToWide(folder.path().string()), L"missing.dxf");
    FAIL() << "opened a missing drawing";
  } catch (CEXZelph* record) {
    EXPECT_EQ(record->getFunction(), L"CAcadDrawing::CAcadDrawing");
    ASSERT_NE(record->getCause(), nullptr);
    EXPECT_EQ(record->getCause()->getFunction(), L"CAcadDrawing::openDrawing");
    EXPECT_EQ(record->getCause()->getStatus(), Acad::eFileNotFound);
    record->deleteChain();
  }
}

TEST(Console, ViewsListsWhatTheDrawingWasAskedFor) {
  ScratchFolder appData;
  // The first start asks for preferences.
  const RunResult run = runSpatiary({"--appdata", appData.path().string()}, "@close\nviews\n");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("No view operations."), std::string::npos) << run.output;
}
