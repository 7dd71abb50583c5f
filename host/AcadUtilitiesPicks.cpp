// CAcadUtilities: picks in the drawing.
// Every method of CAcadUtilities reports the one source unit "AcadUtilities".
#define ZELPH_SOURCE L"AcadUtilities"

#include "host/AcadUtilities.h"

#include "AcDbBlockReference.h"
#include "AcDbEntity.h"
#include "aced.h"
#include "acutads.h"
#include "dbmain.h"
#include "host/SelectionSet.h"
#include "support/ZelphExceptions.h"

namespace {

// The picked entity's class name, or nothing when it cannot be opened.
bool pickedClassName(AcDbObjectId id, std::wstring& className) {
  const AcDbEntityPointer entity(id, AcDb::kForRead);
  if (!entity) return false;
  className = entity->isA()->name();
  return true;
}

bool pickOne(const std::wstring& prompt, AcDbObjectId& id) {
  ads_name entity;
  ads_point point;
  return acedEntSel(prompt.c_str(), entity, point) == RTNORM && acdbGetObjectId(id, entity) == Acad::eOk;
}

}  // namespace

int CAcadUtilities::selectObjectId(AcDbObjectId& id, const std::wstring& prompt, const std::wstring& className) {
  ZELPH_TRY
    const std::wstring question = L"\n" + (prompt.empty() ? std::wstring(L"Please select an object") : prompt);
    for (;;) {
      AcDbObjectId picked;
      if (!pickOne(question, picked)) {
        acutPrintf(L"Cancelled by User.\n");
        return kPickCancelled;
      }
      std::wstring pickedClass;
      if (!pickedClassName(picked, pickedClass)) continue;
      if (pickedClass == className) {
        id = picked;
        return kPicked;
      }
      acutPrintf(L"Invalid selection - %s.\n", pickedClass.c_str());
    }
  ZELPH_CATCH(L"CAcadUtilities::selectObjectId")
}

bool CAcadUtilities::selectObjectId(AcDbObjectId& id, const std::wstring& prompt) {
  ZELPH_TRY
    return pickOne(prompt, id);
  ZELPH_CATCH(L"CAcadUtilities::selectObjectId")
}

int CAcadUtilities::selectObjectIds(AcDbObjectIdArray& ids, const std::wstring& prompt) {
  ZELPH_TRY
    acutPrintf(L"\n%s", prompt.c_str());
    const CSelectionSet selection(nullptr, nullptr, nullptr, nullptr);
    if (!selection.made()) return 1;
    for (const AcDbObjectId& id : selection.ids()) {
      std::wstring className;
      if (pickedClassName(id, className) && className != L"AcDbBlockReference") ids.push_back(id);
    }
    return 1;
  ZELPH_CATCH(L"CAcadUtilities::selectObjectIds")
}

int CAcadUtilities::userSelectSpaceHandle(AcDbHandle& handle) {
  ZELPH_TRY
    AcDbObjectId id;
    if (selectObjectId(id, L"\nPlease select a space\n", L"AcDbBlockReference") != kPicked) return kNoSpacePicked;
    const AcDbEntityPointer entity(id, AcDb::kForRead);
    if (!entity) return kNoSpacePicked;
    handle = entity->handle();
    return kPicked;
  ZELPH_CATCH(L"CAcadUtilities::userSelectSpaceHandle")
}
