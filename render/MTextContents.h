// What multi-line text shows: its inline formatting codes (font, height,
// colour, stacking and the rest) taken out, and its paragraphs one at a
// time, so that a text of any length is read in bounded memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ShownCharacters.h"

class MTextContents {
 public:
  // The contents (UTF-8) must outlive this.
  explicit MTextContents(std::string_view contents) : m_contents(contents) {}

  // The next paragraph as shown, at most `most` characters of it; the
  // characters beyond are added to leftOut.  False when none is left.
  bool next(std::string& paragraph, size_t most, std::uint64_t& leftOut);

 private:
  // Index of the character after the code that starts with the backslash
  // at i; sets ended when the code ends the paragraph.
  size_t readCode(size_t i, ShownCharacters& shown, bool& ended) const;

  std::string_view m_contents;
  size_t m_at = 0;
  bool m_done = false;
};
