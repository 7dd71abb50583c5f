// The texts of complex linetypes along the lines they dash.  Each text
// stands where its element of the pattern ends, at every repeat that has
// room for it on the line, at its scale times the line's linetype scale,
// in its style, moved along and across the line by its offsets and turned
// along the line (kept upright) or to its absolute rotation.  The pattern
// runs on past a polyline's vertices as the dashes do, and starts again
// with each subpath.  Shapes, whose shape files a picture has not, are
// counted as left out, as are the texts of a curve that would repeat them
// more than kMostPerCurve times and those past a pattern's first
// kMostEmbedded texts and shapes.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "AcDbObjectId.h"

class AcDbLinetypeTableRecord;
class PathData;
class PathWalk;
class TextPainter;

class LinetypeTexts {
 public:
  // No view of a picture shows more texts of one curve legibly.
  static constexpr std::uint64_t kMostPerCurve = 1000;
  // Linetypes carry one text or shape, or a few; each more costs a pass
  // over every curve of the linetype.
  static constexpr size_t kMostEmbedded = 16;

  explicit LinetypeTexts(TextPainter& texts) : m_texts(texts) {}

  // The texts along the path, drawn under parent; scale is the line's
  // linetype scale.
  std::vector<pugi::xml_node> draw(const PathData& path, AcDbObjectId linetype, double scale,
                                   const std::string& colour, pugi::xml_node parent);
  std::uint64_t shapesLeftOut() const { return m_shapesLeftOut; }
  std::uint64_t textsLeftOut() const { return m_textsLeftOut; }
  // Linetypes with more texts and shapes than are drawn.
  std::uint64_t patternsCut() const { return m_patternsCut; }

 private:
  // A text or shape of the pattern, in the linetype's own lengths.
  struct Embedded {
    double at = 0.0;  // where its element ends
    bool isText = false;
    std::string text;
    AcDbObjectId style;
    double height = 0.0;
    double rotation = 0.0;
    bool absolute = false;
    double x = 0.0, y = 0.0;
    double reach = 0.0;  // how long a text is along the line
  };
  struct Pattern {
    double length = 0.0;
    std::vector<Embedded> embedded;
    bool cut = false;  // more texts and shapes than kMostEmbedded
  };
  // A text to draw: the element and how far along the subpath it stands.
  struct Place {
    double anchor;
    const Embedded* element;
  };

  const Pattern& pattern(AcDbObjectId linetype);
  Pattern patternOf(const AcDbLinetypeTableRecord& record);
  // How many repeats of the pattern at that scale leave room for the
  // element on a subpath that long, and the first of them.
  static double repeats(const Embedded& element, double scale, double period, double length, double& first);
  // The subpath's texts, in the order they stand along it.
  static std::vector<Place> placesOn(const PathWalk& walk, const Pattern& pattern, double scale);
  pugi::xml_node drawText(PathWalk& walk, const Place& place, double scale, const std::string& colour,
                          pugi::xml_node parent);

  TextPainter& m_texts;
  std::unordered_map<AcDbObjectId, Pattern> m_patterns;
  std::uint64_t m_shapesLeftOut = 0;
  std::uint64_t m_textsLeftOut = 0;
  std::uint64_t m_patternsCut = 0;
};
