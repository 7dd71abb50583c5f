#include "DxfDefaultDrawing.h"

std::string_view DxfDefaultDrawing::text() {
  // DefaultDrawing.dxf, embedded by the build.
  static const unsigned char kBytes[] = {
#include "DefaultDrawing.dxf.inc"
  };
  return std::string_view(reinterpret_cast<const char*>(kBytes), sizeof kBytes);
}
