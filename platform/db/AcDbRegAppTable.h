#pragma once

#include "AcDbRegAppTableRecord.h"
#include "AcDbSymbolTable.h"

class AcDbDatabase;

class AcDbRegAppTable : public AcDbSymbolTable {
  ACRX_DECLARE_MEMBERS(AcDbRegAppTable)

 public:
  ACDB_DECLARE_TABLE_GETAT(AcDbRegAppTableRecord)

 protected:
  const AcRxClass* recordClass() const override;
};

// Registers an application name in the database (the working one when
// null): RTNORM when it was added, RTERROR when it was there already or
// the name is empty.
int acdbRegApp(const ACHAR* appName, AcDbDatabase* database = nullptr);
