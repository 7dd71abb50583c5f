#include "DxfObjectTags.h"

size_t DxfObjectTags::skipAppGroup(const std::vector<DxfTag>& tags, size_t i) {
  for (++i; i < tags.size() && tags[i].code != 102; ++i) {
  }
  return i + 1;
}

const DxfTag* DxfObjectTags::handleTag(const std::vector<DxfTag>& tags) {
  // An empty handle is none: the object is given a new one.
  for (size_t i = 1; i < tags.size() && !endsHead(tags[i].code); ++i)
    if (isHandleCode(tags[i].code)) return tags[i].value.find_first_not_of(' ') == std::string_view::npos ? nullptr : &tags[i];
  return nullptr;
}

std::string_view DxfObjectTags::lastMarker(const std::vector<DxfTag>& tags) {
  std::string_view marker;
  for (const DxfTag& tag : tags) {
    if (tag.code == 1001) break;
    if (tag.code == 100) marker = tag.value;
  }
  return marker;
}
