#pragma once

#include "AcDbSymbolTable.h"
#include "AcDbTextStyleTableRecord.h"

class AcDbTextStyleTable : public AcDbSymbolTable {
  ACRX_DECLARE_MEMBERS(AcDbTextStyleTable)

 public:
  ACDB_DECLARE_TABLE_GETAT(AcDbTextStyleTableRecord)

 protected:
  const AcRxClass* recordClass() const override;
};
