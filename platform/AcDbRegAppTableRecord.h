// A registered application name, under which objects carry extended data.
#pragma once

#include "AcDbSymbolTableRecord.h"

class AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
  ACRX_DECLARE_MEMBERS(AcDbRegAppTableRecord)

 protected:
  void dxfGroups(std::vector<DxfGroup>& groups) const override;
};
