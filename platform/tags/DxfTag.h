// One group code / value pair of a DXF file.  The value is a view of the
// file's text, which the database keeps for as long as it lives.
#pragma once

#include <cstdint>
#include <string_view>

struct DxfTag {
  int code = 0;
  std::string_view value;
  std::uint32_t line = 0;  // of the group code, counting from 1
};
