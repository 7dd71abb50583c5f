#include "spaces/DrawnHatches.h"

#include "AcDbObjectPointer.h"
#include "aced.h"
#include "acutads.h"
#include "dbmain.h"
#include "host/SelectionSet.h"
#include "support/ZelphExceptions.h"

namespace {

const wchar_t* const kApplication = L"ZELPH_HATCH";

// The owner's handle an entity was marked with, or empty text.
std::wstring ownerOf(const AcDbEntity& entity) {
  std::wstring owner;
  const AcResBufPtr data(entity.xData(kApplication));
  for (const resbuf* item = data.get(); item != nullptr; item = item->rbnext)
    if (item->restype == 1005 && item->resval.rstring != nullptr) owner = item->resval.rstring;
  return owner;
}

}  // namespace

void CDrawnHatches::tag(AcDbEntity& entity, AcDbDatabase* database, const std::wstring& ownerHandle) {
  ZELPH_TRY
    acdbRegApp(kApplication, database);
    const AcResBufPtr data(acutBuildList(1001, kApplication, 1005, ownerHandle.c_str(), 0));
    entity.setXData(data.get());
  ZELPH_CATCH(L"CDrawnHatches::tag")
}

void CDrawnHatches::collect() {
  ZELPH_TRY
    m_byOwner.clear();
    const AcResBufPtr filter(acutBuildList(RTDXF0, L"HATCH,LWPOLYLINE", 0));
    const CSelectionSet selection(L"X", nullptr, nullptr, filter.get());
    for (const AcDbObjectId& id : selection.ids()) {
      AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
      if (!entity) continue;
      const std::wstring owner = ownerOf(*entity.object());
      if (!owner.empty()) m_byOwner[owner].push_back(id);
    }
  ZELPH_CATCH(L"CDrawnHatches::collect")
}

void CDrawnHatches::erase(const std::wstring& ownerHandle) {
  ZELPH_TRY
    const auto drawn = m_byOwner.find(ownerHandle);
    if (drawn == m_byOwner.end()) return;
    for (const AcDbObjectId& id : drawn->second) {
      AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
      if (entity) entity->erase();
    }
    m_byOwner.erase(drawn);
  ZELPH_CATCH(L"CDrawnHatches::erase")
}
