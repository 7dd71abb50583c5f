// A registered application name, under which objects carry extended data.
#pragma once

#include "AcDbSymbolTableRecord.h"

class AcDbRegAppTableRecord : public AcDbSymbolTableRecord {
  ACRX_DECLARE_MEMBERS(AcDbRegAppTableRecord)

 protected:
  std::string_view recordMarker() const override;
};
