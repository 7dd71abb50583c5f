// Construction lines (XLINE) and rays (RAY) run without end: the picture
// draws them across the box of everything else it shows, once that is
// known, so that they neither stretch it nor are lost from it.
#pragma once

#include <vector>

#include <pugixml.hpp>

#include "AcDbExtents.h"
#include "AcGeMatrix3d.h"

class AcDbEntity;

class UnboundedLines {
 public:
  static bool isUnbounded(const AcDbEntity& entity);
  // The element that will hold the line; its path comes with finish().
  pugi::xml_node add(const AcDbEntity& entity, const AcGeMatrix3d& toWorld, pugi::xml_node parent);
  // Gives each line its part inside the box (or, when nothing else was
  // drawn, around their base points); a line that misses it is removed.
  void finish(const AcDbExtents& drawn);

 private:
  struct Line {
    pugi::xml_node element;
    AcGePoint3d base;
    AcGeVector3d direction;
    bool bothWays = true;
  };

  std::vector<Line> m_lines;
};
