// The drawing a new database starts from: the tables, layer "0", model and
// paper space with their layouts and the dictionaries every drawing has,
// in millimetre units, as DXF text read like any file.
#pragma once

#include <string_view>

class DxfDefaultDrawing {
 public:
  static std::string_view text();
};
