// Hatches: a solid fill of the loops, or the pattern's line families cut
// to the loops by a clip path; islands stay open by the even-odd rule.
#pragma once

#include <string>

#include <pugixml.hpp>

#include "AcGeMatrix3d.h"

class AcDbHatch;
class PathData;
class SvgCanvas;

class HatchPainter {
 public:
  explicit HatchPainter(SvgCanvas& canvas) : m_canvas(canvas) {}

  // colour: "#RRGGBB".  An empty node when the hatch has no loop.
  pugi::xml_node draw(const AcDbHatch& hatch, const AcGeMatrix3d& toWorld, const std::string& colour,
                      pugi::xml_node parent);

 private:
  static void addLoops(const AcDbHatch& hatch, PathData& path);
  pugi::xml_node fill(const PathData& loops, const std::string& colour, pugi::xml_node parent);
  // Null when the lines would lie closer than they can be told apart.
  pugi::xml_node drawPattern(const AcDbHatch& hatch, const AcGeMatrix3d& toPlane, const PathData& loops,
                             const std::string& colour, pugi::xml_node parent);

  SvgCanvas& m_canvas;
};
