// Where things stand in one object's tags: the head (type, handle,
// application groups, owner) up to the first subclass marker or extended
// data, then the subclass groups.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "DxfTag.h"

class DxfObjectTags {
 public:
  static bool isHandleCode(int code) { return code == 5 || code == 105; }
  static bool endsHead(int code) { return code == 100 || code == 101 || code == 1001; }
  // Index of the tag after the application group that starts at i.
  static size_t skipAppGroup(const std::vector<DxfTag>& tags, size_t i);
  // The handle group of the object's head (5, or 105 for DIMSTYLE), null when missing.
  static const DxfTag* handleTag(const std::vector<DxfTag>& tags);
  // The marker of the last subclass group, which names the object's class.
  static std::string_view lastMarker(const std::vector<DxfTag>& tags);
};
