#pragma once

#include "AcDbLayerTableRecord.h"
#include "AcDbSymbolTable.h"

class AcDbLayerTable : public AcDbSymbolTable {
  ACRX_DECLARE_MEMBERS(AcDbLayerTable)

 public:
  ACDB_DECLARE_TABLE_GETAT(AcDbLayerTableRecord)

 protected:
  const AcRxClass* recordClass() const override;
};
