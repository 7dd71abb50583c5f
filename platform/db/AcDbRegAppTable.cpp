#include "AcDbRegAppTable.h"

#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"

ACRX_DEFINE_MEMBERS(AcDbRegAppTable, AcDbSymbolTable, L"TABLE")

const AcRxClass* AcDbRegAppTable::recordClass() const { return AcDbRegAppTableRecord::desc(); }

int acdbRegApp(const ACHAR* appName, AcDbDatabase* database) {
  AcDbDatabase* db = database ? database : acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr || appName == nullptr || *appName == 0) return RTERROR;
  AcDbRegAppTable* table = nullptr;
  if (db->getRegAppTable(table, AcDb::kForRead) != Acad::eOk) return RTERROR;
  if (table->has(appName) || table->upgradeOpen() != Acad::eOk) {
    table->close();
    return RTERROR;
  }
  auto record = std::make_unique<AcDbRegAppTableRecord>();
  record->setName(appName);
  const bool added = table->add(record.get()) == Acad::eOk;
  if (added) record.release()->close();
  table->close();
  return added ? RTNORM : RTERROR;
}
