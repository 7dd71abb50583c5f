// The ENDBLK entity that closes a block definition in a file.
#pragma once

#include "AcDbEntity.h"

class AcDbBlockEnd : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbBlockEnd)

 protected:
  void dxfGroups(std::vector<DxfGroup>& groups) const override;
};
