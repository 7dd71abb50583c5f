// Texts, attributes and multi-line texts as SVG text: height, width factor,
// rotation, obliquing, alignment, stretching between two points, line
// breaks and wrapping at a multi-line text's width kept, glyphs from a
// sans-serif font where the host would use the style's font.
#pragma once

#include <string>
#include <vector>

#include <pugixml.hpp>

#include "AcGeMatrix3d.h"

class AcDbMText;
class AcDbText;
class SvgCanvas;

class TextPainter {
 public:
  explicit TextPainter(SvgCanvas& canvas) : m_canvas(canvas) {}

  // An empty node for an empty text or one without height.
  pugi::xml_node draw(const AcDbText& text, double height, const AcGeMatrix3d& toWorld, const std::string& colour,
                      pugi::xml_node parent);
  pugi::xml_node draw(const AcDbMText& text, const AcGeMatrix3d& toWorld, const std::string& colour,
                      pugi::xml_node parent);
  // The text as shown: the host's %% codes for degree, plus-minus and
  // diameter turned into their characters, underline and overline dropped.
  static std::wstring shownText(const std::wstring& text);
  // Breaks a paragraph into lines of at most perLine characters, between
  // words where it can; perLine 0 keeps it whole.
  static void wrap(const std::wstring& paragraph, size_t perLine, std::vector<std::wstring>& lines);

 private:
  // Lines in glyph space (y down) from the baseline of the first, which
  // stands at that y; start is where they begin, in widths of the longest.
  pugi::xml_node addText(const std::vector<std::wstring>& lines, double height, const AcGeMatrix3d& glyphs,
                         const char* anchor, double start, double baseline, const std::string& colour,
                         pugi::xml_node parent);

  SvgCanvas& m_canvas;
};
