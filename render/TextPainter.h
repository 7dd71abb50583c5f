// Texts, attributes and multi-line texts as SVG text: height, width factor,
// rotation, obliquing, alignment, stretching between two points, line
// breaks and wrapping at a multi-line text's width kept, in the installed
// font that stands for the style's; multi-line texts with their inline
// heights, colours, lines over and under, fonts and stacked fractions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "AcDbObjectId.h"
#include "AcGeMatrix3d.h"
#include "MTextContents.h"
#include "TextFont.h"

class AcDbDatabase;
class AcDbMText;
class AcDbText;
class MTextColumns;
class SvgCanvas;

class TextPainter {
 public:
  // A line shows at most this many characters: no view of a picture shows
  // more of one legibly, and a text of any length is drawn in bounded memory.
  static constexpr size_t kMostPerLine = 4096;

  // The picture shows at most mostCharacters in all its texts.
  TextPainter(SvgCanvas& canvas, std::uint64_t mostCharacters) : m_canvas(canvas), m_mostCharacters(mostCharacters) {}

  // An empty node for an empty text or one without height.
  pugi::xml_node draw(const AcDbText& text, std::string_view characters, double height, const AcGeMatrix3d& toWorld,
                      const std::string& colour, pugi::xml_node parent);
  pugi::xml_node draw(const AcDbMText& text, const AcGeMatrix3d& toWorld, const std::string& colour,
                      pugi::xml_node parent);
  // A line of text along a direction in the drawing's plane, in its
  // style's font, width and slant: a linetype's text.
  struct Label {
    std::string_view text;  // UTF-8
    AcDbObjectId style;     // null: the font that stands in for any
    double height = 0.0;
    AcGePoint3d at;         // where its baseline starts
    AcGeVector3d along;     // of unit length
  };
  pugi::xml_node draw(const Label& label, const std::string& colour, pugi::xml_node parent);
  // How far the label's text reaches along its baseline.
  double lengthOf(const Label& label);
  // Characters not shown, beyond a line's or the picture's limit.
  std::uint64_t leftOut() const { return m_leftOut; }
  std::uint64_t mostCharacters() const { return m_mostCharacters; }

  // The text (UTF-8) as shown, at most `most` characters of it: the host's
  // %% codes for degree, plus-minus and diameter turned into their
  // characters, underline and overline dropped.  The characters beyond are
  // added to leftOut.
  static std::string shownText(std::string_view text, size_t most, std::uint64_t& leftOut);

 private:
  using Run = MTextContents::Run;
  struct Line {
    std::vector<Run> runs;
    double width = 0.0;
    double height = 0.0;  // of the tallest run
    // A paragraph aligned otherwise than its text: 'l', 'c' or 'r', and
    // where the line's alignment point stands.
    char align = 0;
    double x = 0.0;
  };

  // A null style is the drawing's standard one.
  const TextFont& fontOf(AcDbDatabase* database, AcDbObjectId style);
  // Breaks a paragraph into lines no wider than width, between words; a
  // word longer than a line stays whole; width 0 keeps it whole.
  static void wrap(std::vector<Run>& paragraph, double width, std::vector<Line>& lines);
  // The text's lines, wrapped and flowed into its columns.
  std::vector<std::vector<Line>> setInColumns(const AcDbMText& text, const MTextContents::Format& format,
                                              const MTextColumns& columns);
  // Places the lines of paragraphs aligned in their own way across the
  // column's frame, which starts at `start` of its width.
  static void alignLines(std::vector<Line>& lines, double width, double start);
  // One column's lines hung on glyphs' origin by the text's attachment.
  pugi::xml_node addColumn(const std::vector<Line>& lines, const AcDbMText& text, const MTextContents::Format& format,
                           const AcGeMatrix3d& glyphs, const std::string& colour, pugi::xml_node parent);
  // Cuts each line to what a line and the picture may still show, counting
  // the rest; drops lines nothing is left for.
  void limit(std::vector<Line>& lines);
  // Lines in glyph space (y down) from the baseline of the first, which
  // stands at that y; start is where they begin, in widths of the widest.
  pugi::xml_node addText(const std::vector<Line>& lines, const MTextContents::Format& format,
                         const AcGeMatrix3d& glyphs, const char* anchor, double start, double baseline,
                         const std::string& colour, pugi::xml_node parent);
  pugi::xml_node writeText(const std::vector<Line>& lines, const MTextContents::Format& format,
                           const AcGeMatrix3d& glyphs, const char* anchor, const std::vector<double>& baselines,
                           const std::string& colour, pugi::xml_node parent);
  static void addRun(pugi::xml_node line, const Run& run, const MTextContents::Format& format, double& dx,
                     double& dy);

  SvgCanvas& m_canvas;
  std::uint64_t m_mostCharacters;
  std::uint64_t m_shown = 0;
  std::uint64_t m_leftOut = 0;
  std::unordered_map<AcDbObjectId, TextFont> m_fonts;
};
