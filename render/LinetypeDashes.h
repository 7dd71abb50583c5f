// How lines of a linetype are dashed in the picture: the linetype's pattern
// as an SVG dash array in drawing units, dots as very short dashes.
#pragma once

#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

#include "AcDbObjectId.h"

class AcDbLinetypeTableRecord;

class LinetypeDashes {
 public:
  // Dashes the element's stroke with the linetype's pattern, drawn that
  // many times its defined length; a continuous linetype leaves it alone.
  void apply(pugi::xml_node element, AcDbObjectId linetype, double scale);
  bool dashes(AcDbObjectId linetype);
  // Each element's length as the dashes draw it, of one defined length:
  // gaps as long as dashes, dots very short; none for a pattern without length.
  static std::vector<double> lengthsOf(const AcDbLinetypeTableRecord& record);

 private:
  // Lengths of dash, gap, dash, gap ..., and how far into them a line starts.
  struct Pattern {
    std::vector<double> lengths;
    double start = 0.0;
  };
  const Pattern& pattern(AcDbObjectId linetype);
  static Pattern patternOf(const AcDbLinetypeTableRecord& record);

  std::unordered_map<AcDbObjectId, Pattern> m_patterns;
};
