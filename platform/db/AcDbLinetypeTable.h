#pragma once

#include "AcDbLinetypeTableRecord.h"
#include "AcDbSymbolTable.h"

class AcDbLinetypeTable : public AcDbSymbolTable {
  ACRX_DECLARE_MEMBERS(AcDbLinetypeTable)

 public:
  ACDB_DECLARE_TABLE_GETAT(AcDbLinetypeTableRecord)

 protected:
  const AcRxClass* recordClass() const override;
};
