// Single-line texts and attributes as SVG text: height, width factor,
// rotation, obliquing and alignment kept, glyphs from a sans-serif font
// where the host would use the style's font.
#pragma once

#include <string>

#include <pugixml.hpp>

#include "AcGeMatrix3d.h"

class AcDbText;
class SvgCanvas;

class TextPainter {
 public:
  explicit TextPainter(SvgCanvas& canvas) : m_canvas(canvas) {}

  // An empty node for an empty text or one without height.
  pugi::xml_node draw(const AcDbText& text, double height, const AcGeMatrix3d& toWorld, const std::string& colour,
                      pugi::xml_node parent);
  // The text as shown: the host's %% codes for degree, plus-minus and
  // diameter turned into their characters, underline and overline dropped.
  static std::wstring shownText(const std::wstring& text);

 private:
  SvgCanvas& m_canvas;
};
