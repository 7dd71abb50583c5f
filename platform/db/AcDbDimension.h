// A dimension of any kind.  What it shows is drawn in its block (an
// anonymous "*D" block the program that made it filled in); the platform
// models that block and carries the dimension's own geometry as read.
#pragma once

#include <string>

#include "AcDbEntity.h"

class AcDbDimension : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbDimension)

 public:
  AcDbDimension();

  // Null when the file names no block or one it does not define.
  AcDbObjectId dimBlockId() const { return m_block; }

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  AcDbObjectId m_block;
  // The name as read when the file does not define that block, kept for saving.
  std::wstring m_missingBlock;
};
