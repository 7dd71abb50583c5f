// Extended data between its file form (tags from the first 1001) and the
// result-buffer lists of the API.
#pragma once

#include <string_view>
#include <vector>

#include "DxfTag.h"
#include "DxfTagList.h"
#include "resbuf.h"

class DxfXData {
 public:
  // The extended data tags of an object's text.
  static DxfTagList fromDxf(std::string_view objectText);
  // The same as views of the text, for reading only.
  static std::vector<DxfTag> viewsOf(std::string_view objectText);
  // The items of one application (all when the name is null), or null.
  static resbuf* toResbuf(const DxfTagList& tags, const ACHAR* appName);
  static resbuf* toResbuf(const std::vector<DxfTag>& tags, const ACHAR* appName);
  // Replaces the data of each application the list names; false for a
  // list that does not start with a 1001 item or holds a type extended
  // data cannot carry.
  static bool merge(DxfTagList& tags, const resbuf* list);

 private:
  template <typename Tags>
  static resbuf* listOf(const Tags& tags, const ACHAR* appName);
};
