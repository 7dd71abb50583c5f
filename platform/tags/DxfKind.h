// An object type the platform does not model, as one file names it: its
// DXF type, its last subclass marker and the class descriptor made for it.
#pragma once

#include <string>

#include "AcRxClass.h"

struct DxfKind {
  std::string dxfType;
  std::string marker;
  AcRxClass rxClass;
};
