#include "AcDbDynBlockReference.h"

#include "AcDbBlockReference.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbObjectPointer.h"
#include "resbuf.h"

namespace {

constexpr const ACHAR* kRepresentation = L"AcDbBlockRepBTag";

// The record an anonymous block record names as the block it represents.
AcDbObjectId representedBlock(const AcDbBlockTableRecord& block) {
  AcDbObjectId found;
  resbuf* record = block.xData(kRepresentation);
  for (const resbuf* rb = record; rb != nullptr; rb = rb->rbnext) {
    if (rb->restype != 1005 || rb->resval.rstring == nullptr || block.database() == nullptr) continue;
    AcDbObjectId id;
    if (block.database()->getAcDbObjectId(id, false, AcDbHandle(rb->resval.rstring)) == Acad::eOk) found = id;
    break;
  }
  acutRelRb(record);
  return found;
}

}  // namespace

AcDbDynBlockReference::AcDbDynBlockReference(AcDbObjectId reference) {
  AcDbObjectPointer<AcDbBlockReference> insert(reference, AcDb::kForRead);
  if (!insert) return;
  const AcDbObjectPointer<AcDbBlockTableRecord> block(insert->blockTableRecord(), AcDb::kForRead);
  if (block) m_dynamicBlock = representedBlock(*block.object());
}
