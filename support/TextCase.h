// Case folding, for the names the host compares without regard to case
// (layers, blocks, attribute tags, file endings, product names).
#pragma once

#include <string>

class CTextCase {
 public:
  static std::wstring upper(std::wstring text);
  static std::wstring lower(std::wstring text);
};
