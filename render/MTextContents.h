// What multi-line text shows: its inline formatting codes (font, height,
// colour, stacking and the rest) taken out, and its paragraphs as lines.
#pragma once

#include <string>
#include <vector>

class MTextContents {
 public:
  static std::vector<std::wstring> lines(const std::wstring& contents);

 private:
  // Index of the character after the code that starts with the backslash at i.
  static size_t skipCode(const std::wstring& contents, size_t i, std::wstring& line,
                         std::vector<std::wstring>& lines);
};
