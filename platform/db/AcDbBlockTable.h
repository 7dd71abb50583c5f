// The table of block definitions.
#pragma once

#include "AcDbBlockTableRecord.h"
#include "AcDbSymbolTable.h"

#define ACDB_MODEL_SPACE L"*Model_Space"
#define ACDB_PAPER_SPACE L"*Paper_Space"

class AcDbBlockTable : public AcDbSymbolTable {
  ACRX_DECLARE_MEMBERS(AcDbBlockTable)

 public:
  ACDB_DECLARE_TABLE_GETAT(AcDbBlockTableRecord)
  // For the file's reader, once it has read the drawing: gives every
  // definition that has no BLOCK and ENDBLK of its own a pair, so that what
  // it holds is written inside a definition; false when no handles are left
  // for them.
  bool addMissingMarkers();

 protected:
  const AcRxClass* recordClass() const override;
  void recordAdded(AcDbSymbolTableRecord* record) override;
  // The record, its BLOCK and its ENDBLK.
  size_t objectsPerRecord() const override { return 3; }
};
