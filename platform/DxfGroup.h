// One subclass group of an object's DXF tags: the tags after a "100"
// marker, up to the next marker.  `ordinal` tells apart two groups with the
// same marker (TEXT has two "AcDbText" groups).
#pragma once

#include <string_view>

struct DxfGroup {
  std::string_view marker;
  int ordinal = 0;

  bool operator==(const DxfGroup& other) const { return marker == other.marker && ordinal == other.ordinal; }
  bool is(std::string_view name, int nth = 0) const { return marker == name && ordinal == nth; }
};
