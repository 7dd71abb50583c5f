// The class descriptors made for object types the platform does not
// model, one per DXF type and last subclass marker, shared by every
// database.
#pragma once

#include <string_view>

#include "DxfKind.h"

class DxfKindRegistry {
 public:
  static const DxfKind* kind(std::string_view dxfType, std::string_view marker, const AcRxClass* parent);
};
