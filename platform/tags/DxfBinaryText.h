// Binary DXF ("AutoCAD Binary DXF") turned into the same tags in ASCII
// form, so that one reader, one carrying of unmodelled tags and one writer
// serve both.  Values keep their meaning: reals are written so that they
// read back exactly, binary chunks as hexadecimal, texts in the file's
// own encoding.  A damaged file fails naming the byte.
#pragma once

#include <string>
#include <string_view>
#include <vector>
#include <cstdint>

class DxfBinaryText {
 public:
  static bool isBinary(std::string_view data);
  // offsets: for each tag of the result, its byte offset in the file.
  static std::string toAscii(std::string_view data, std::vector<std::uint32_t>& offsets);
};
