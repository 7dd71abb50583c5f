#include "BlockExtents.h"

#include "AcDbBlockReference.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbStub.h"
#include "BlockNesting.h"

bool BlockExtents::of(AcDbObjectId block, AcDbExtents& extents) {
  auto kept = m_kept.find(block);
  if (kept == m_kept.end()) {
    const auto* record = residentObject<AcDbBlockTableRecord>(block);
    // A definition met again while it is measured holds itself.
    if (record == nullptr || m_measuring.size() >= BlockNesting::kMostLevels || !m_measuring.insert(block).second)
      return false;
    AcDbExtents whole;
    for (const AcDbObjectId& id : record->entityIds()) {
      AcDbExtents part;
      if (ofEntity(id, part)) whole.addExt(part);
    }
    m_measuring.erase(block);
    kept = m_kept.emplace(block, whole).first;
  }
  extents = kept->second;
  return extents.isValid();
}

bool BlockExtents::ofEntity(AcDbObjectId id, AcDbExtents& extents) {
  const auto* entity = residentObject<AcDbEntity>(id);
  if (entity == nullptr) return false;
  if (const auto* reference = AcDbBlockReference::cast(entity)) {
    reference->getNestedExtents(extents);
    return true;
  }
  return entity->getGeomExtents(extents) == Acad::eOk;
}

void BlockExtents::forget() { m_kept.clear(); }
