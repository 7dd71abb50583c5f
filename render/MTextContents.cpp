#include "MTextContents.h"

#include <algorithm>
#include <string_view>

namespace {

// Codes that run to a semicolon: alignment, colour, font, height, obliquing,
// tracking, width and paragraph settings.
bool runsToSemicolon(wchar_t code) { return std::wstring_view(L"ACcFfHQTWp").find(code) != std::wstring_view::npos; }

// Codes of one letter: underline, overline and strike-through on and off.
bool standsAlone(wchar_t code) { return std::wstring_view(L"LlOoKk").find(code) != std::wstring_view::npos; }

}  // namespace

std::vector<std::wstring> MTextContents::lines(const std::wstring& contents) {
  std::vector<std::wstring> lines;
  std::wstring line;
  for (size_t i = 0; i < contents.size();) {
    const wchar_t character = contents[i];
    if (character == L'\\') {
      i = skipCode(contents, i, line, lines);
    } else {
      if (character != L'{' && character != L'}') line += character;
      ++i;
    }
  }
  lines.push_back(line);
  return lines;
}

size_t MTextContents::skipCode(const std::wstring& contents, size_t i, std::wstring& line,
                               std::vector<std::wstring>& lines) {
  if (i + 1 >= contents.size()) return i + 1;
  const wchar_t code = contents[i + 1];
  if (code == L'P') {
    lines.push_back(line);
    line.clear();
  } else if (code == L'N') {
    // A column break: the columns show one below the other.
    if (i + 2 < contents.size()) {
      lines.push_back(line);
      line.clear();
    }
  } else if (code == L'~') {
    line += L' ';
  } else if (code == L'S') {
    // A stacked fraction shows as its parts with a slash between.
    const size_t end = std::min(contents.find(L';', i), contents.size());
    for (size_t k = i + 2; k < end; ++k) line += (contents[k] == L'^' || contents[k] == L'#') ? L'/' : contents[k];
    return end + 1;
  } else if (runsToSemicolon(code)) {
    return std::min(contents.find(L';', i), contents.size()) + 1;
  } else if (!standsAlone(code)) {
    // An escaped backslash or brace, or a code this does not know: its character.
    line += code;
  }
  return i + 2;
}
