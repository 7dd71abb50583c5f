// Tags that own their text: extended data set through the API.
#pragma once

#include <string>
#include <vector>

struct DxfOwnedTag {
  int code;
  std::string value;
};

class DxfTagList : public std::vector<DxfOwnedTag> {};
