#include "AcDbLayoutManager.h"

#include "AcDbDatabase.h"
#include "AcDbDictionary.h"
#include "AcDbHostApplicationServices.h"
#include "AcDbLayout.h"
#include "AcDbStub.h"

namespace {

const AcDbDatabase* chosen(const AcDbDatabase* database) {
  return database != nullptr ? database : acdbHostApplicationServices()->workingDatabase();
}

const AcDbLayout* layoutOf(AcDbObjectId id) { return residentObject<AcDbLayout>(id); }

}  // namespace

AcDbLayoutManager* acdbLayoutManager() {
  static AcDbLayoutManager manager;
  return &manager;
}

AcDbObjectId AcDbLayoutManager::findLayoutNamed(const ACHAR* name, const AcDbDatabase* database) const {
  database = chosen(database);
  AcDbObjectId id;
  if (database == nullptr || name == nullptr) return id;
  if (const auto* layouts = residentObject<AcDbDictionary>(database->layoutDictionaryId())) layouts->getAt(name, id);
  return layoutOf(id) != nullptr && !id.stub()->object->isErased() ? id : AcDbObjectId();
}

int AcDbLayoutManager::countLayouts(const AcDbDatabase* database) const {
  database = chosen(database);
  const auto* layouts = database != nullptr ? residentObject<AcDbDictionary>(database->layoutDictionaryId()) : nullptr;
  return layouts != nullptr ? static_cast<int>(layouts->numEntries()) : 0;
}

AcDbObjectId AcDbLayoutManager::currentPaperLayout(const AcDbDatabase& database) const {
  const AcDbObjectId chosenLayout = database.currentPaperLayout();
  if (layoutOf(chosenLayout) != nullptr) return chosenLayout;
  const auto* layouts = residentObject<AcDbDictionary>(database.layoutDictionaryId());
  if (layouts == nullptr) return AcDbObjectId();
  for (auto entry = layouts->newIterator(); !entry->done(); entry->next()) {
    const AcDbLayout* layout = layoutOf(entry->objectId());
    if (layout != nullptr && layout->getBlockTableRecordId() == database.paperSpaceId()) return entry->objectId();
  }
  return AcDbObjectId();
}

AcDbObjectId AcDbLayoutManager::getActiveLayoutId(bool allowModel, const AcDbDatabase* database) const {
  database = chosen(database);
  if (database == nullptr) return AcDbObjectId();
  if (allowModel && database->tilemode() == 1) {
    const auto* layouts = residentObject<AcDbDictionary>(database->layoutDictionaryId());
    if (layouts != nullptr)
      for (auto entry = layouts->newIterator(); !entry->done(); entry->next()) {
        const AcDbLayout* layout = layoutOf(entry->objectId());
        if (layout != nullptr && layout->getBlockTableRecordId() == database->modelSpaceId()) return entry->objectId();
      }
  }
  return currentPaperLayout(*database);
}

AcDbObjectId AcDbLayoutManager::getActiveLayoutBTRId(const AcDbDatabase* database) const {
  const AcDbLayout* layout = layoutOf(getActiveLayoutId(true, database));
  return layout != nullptr ? layout->getBlockTableRecordId() : AcDbObjectId();
}

Acad::ErrorStatus AcDbLayoutManager::getActiveLayoutName(std::wstring& name, bool allowModel,
                                                         const AcDbDatabase* database) {
  database = chosen(database);
  if (database == nullptr) return Acad::eNoDocument;
  if (allowModel && database->tilemode() == 1) {
    name = L"Model";
    return Acad::eOk;
  }
  const AcDbLayout* layout = layoutOf(currentPaperLayout(*database));
  if (layout == nullptr) return Acad::eKeyNotFound;
  name = layout->layoutName();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLayoutManager::setCurrentLayout(const ACHAR* name, AcDbDatabase* database) {
  if (database == nullptr) database = acdbHostApplicationServices()->workingDatabase();
  if (database == nullptr) return Acad::eNoDocument;
  const AcDbObjectId id = findLayoutNamed(name, database);
  const AcDbLayout* layout = layoutOf(id);
  if (layout == nullptr) return Acad::eKeyNotFound;
  const bool model = layout->getBlockTableRecordId() == database->modelSpaceId();
  database->setTilemode(model ? 1 : 0);
  if (!model) database->setCurrentPaperLayout(id);
  return Acad::eOk;
}
