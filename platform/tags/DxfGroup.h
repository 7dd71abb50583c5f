// One subclass group of an object's DXF tags: the tags after a "100"
// marker, up to the next marker.  `ordinal` tells apart two groups with the
// same marker (TEXT has two "AcDbText" groups).
#pragma once

#include <string_view>
#include <vector>

struct DxfGroup {
  std::string_view marker;
  int ordinal = 0;

  bool operator==(const DxfGroup& other) const { return marker == other.marker && ordinal == other.ordinal; }
  bool is(std::string_view name, int nth = 0) const { return marker == name && ordinal == nth; }
};

// In a class body: the DXF hooks of a class that models subclass groups of
// its own (see AcDbObject).
#define ACDB_DECLARE_DXF_FIELDS                                                \
  void dxfGroups(std::vector<DxfGroup>& groups) const override;                \
  bool dxfOwns(const DxfGroup& group, int code) const override;                \
  void dxfInField(const DxfGroup& group, DxfInFiler& in) override;             \
  void dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const override;
