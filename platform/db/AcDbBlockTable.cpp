#include "AcDbBlockTable.h"

#include "AcDbBlockBegin.h"
#include "AcDbBlockEnd.h"
#include "AcDbDatabase.h"
#include "AcDbStub.h"

ACRX_DEFINE_MEMBERS(AcDbBlockTable, AcDbSymbolTable, L"TABLE")

const AcRxClass* AcDbBlockTable::recordClass() const { return AcDbBlockTableRecord::desc(); }

bool AcDbBlockTable::addMissingMarkers() {
  for (const AcDbObjectId& id : recordIds()) {
    auto* block = residentObject<AcDbBlockTableRecord>(id);
    if (block == nullptr || (!block->m_begin.isNull() && !block->m_end.isNull())) continue;
    if (!database()->hasHandlesFor(2)) return false;
    recordAdded(block);
  }
  return true;
}

void AcDbBlockTable::recordAdded(AcDbSymbolTableRecord* record) {
  // A definition is written between a BLOCK and an ENDBLK of its own.
  auto* block = static_cast<AcDbBlockTableRecord*>(record);
  AcDbDatabase* db = database();
  auto begin = std::make_unique<AcDbBlockBegin>();
  begin->setName(block->name());
  if (block->isAnonymous()) begin->setBlockFlags(1);
  begin->setDatabaseDefaults(db);
  db->addAcDbObject(block->m_begin, begin.get());
  begin->setOwnerId(block->objectId());
  begin.release()->close();
  auto end = std::make_unique<AcDbBlockEnd>();
  end->setDatabaseDefaults(db);
  db->addAcDbObject(block->m_end, end.get());
  end->setOwnerId(block->objectId());
  end.release()->close();
}
