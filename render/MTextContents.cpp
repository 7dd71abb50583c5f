#include "MTextContents.h"

#include <algorithm>

#include "TextCodec.h"

namespace {

// Codes that run to a semicolon: alignment, colour, font, height, obliquing,
// tracking, width and paragraph settings.
bool runsToSemicolon(char code) { return std::string_view("ACcFfHQTWp").find(code) != std::string_view::npos; }

// Codes of one letter: underline, overline and strike-through on and off.
bool standsAlone(char code) { return std::string_view("LlOoKk").find(code) != std::string_view::npos; }

}  // namespace

bool MTextContents::next(std::string& paragraph, size_t most, std::uint64_t& leftOut) {
  if (m_done) return false;
  paragraph.clear();
  ShownCharacters shown(paragraph, most, leftOut);
  while (m_at < m_contents.size()) {
    const size_t code = std::min(m_contents.find_first_of("\\{}", m_at), m_contents.size());
    shown.add(m_contents.substr(m_at, code - m_at));
    m_at = code;
    if (m_at == m_contents.size()) break;
    if (m_contents[m_at] != '\\') {
      ++m_at;
      continue;
    }
    bool ended = false;
    m_at = readCode(m_at, shown, ended);
    if (ended) return true;
  }
  m_done = true;
  return true;
}

size_t MTextContents::readCode(size_t i, ShownCharacters& shown, bool& ended) const {
  if (i + 1 >= m_contents.size()) return i + 1;
  const char code = m_contents[i + 1];
  if (code == 'P') {
    ended = true;
  } else if (code == 'N') {
    // A column break: the columns show one below the other.
    ended = i + 2 < m_contents.size();
  } else if (code == '~') {
    shown.add(" ");
  } else if (code == 'S') {
    // A stacked fraction shows as its parts with a slash between.
    const size_t end = std::min(m_contents.find(';', i), m_contents.size());
    for (size_t k = i + 2; k < end;) {
      const size_t split = std::min(m_contents.find_first_of("^#", k), end);
      shown.add(m_contents.substr(k, split - k));
      if (split < end) shown.add("/");
      k = split + 1;
    }
    return end + 1;
  } else if (runsToSemicolon(code)) {
    return std::min(m_contents.find(';', i), m_contents.size()) + 1;
  } else if (!standsAlone(code)) {
    // An escaped backslash or brace, or a code this does not know: its
    // character, whole when it is not ASCII.
    size_t end = i + 1;
    nextCodePoint(m_contents, end);
    shown.add(m_contents.substr(i + 1, end - i - 1));
    return end;
  }
  return i + 2;
}
