// What multi-line text shows: its paragraphs one at a time, as runs of
// characters alike in height, colour, lines over and under, width, slant
// and font, and stacked fractions, so that a text of any length is read in
// bounded memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ShownCharacters.h"
#include "TextFont.h"

class MTextContents {
 public:
  struct Format {
    double height = 1.0;
    // An SVG colour; empty for the text's own.
    std::string colour;
    bool underline = false;
    bool overline = false;
    bool strike = false;
    double widthFactor = 1.0;
    double oblique = 0.0;
    TextFont font;

    bool operator==(const Format& other) const {
      return height == other.height && colour == other.colour && underline == other.underline &&
             overline == other.overline && strike == other.strike && widthFactor == other.widthFactor &&
             oblique == other.oblique && font == other.font;
    }
    bool operator!=(const Format& other) const { return !(*this == other); }
  };
  struct Run {
    Format format;
    std::string text;
    // A stack shows text over below: '/' with a bar between, '^' without
    // one (tolerances), '#' side by side with a slash; 0 for plain text.
    char stack = 0;
    std::string below;
  };

  // The contents (UTF-8) must outlive this; format is the text's own.
  MTextContents(std::string_view contents, const Format& format) : m_contents(contents), m_format(format) {}

  // The next paragraph, at most `most` characters of it; the characters
  // beyond are added to leftOut.  False when none is left.
  bool next(std::vector<Run>& paragraph, size_t most, std::uint64_t& leftOut);
  // Whether the paragraph next gave ended its column.
  bool endsColumn() const { return m_endsColumn; }
  // How the paragraphs are aligned since their settings last said: 'l',
  // 'c' or 'r'; 0 as the text's attachment aligns them.
  char alignment() const { return m_alignment; }

 private:
  // Index of the character after the code that starts with the backslash
  // at i; sets ended when the code ends the paragraph.
  size_t readCode(size_t i, bool& ended);
  // The value of a code that runs to a semicolon, from i; end is past it.
  std::string_view valueAt(size_t i, size_t& end) const;
  void add(std::string_view text);
  void addStack(std::string_view value);
  // A height or width: absolute, or relative with an "x" after it.
  static double scaled(std::string_view value, double current);

  std::string_view m_contents;
  size_t m_at = 0;
  bool m_done = false;
  bool m_endsColumn = false;
  char m_alignment = 0;
  Format m_format;
  std::vector<Format> m_groups;
  std::vector<Run>* m_paragraph = nullptr;
  ShownCharacters* m_shown = nullptr;
};
