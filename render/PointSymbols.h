// Points as the drawing's point style ($PDMODE, $PDSIZE) shows them: a dot,
// a plus, a cross or a tick, with a circle or a square round it.  A size
// relative to the view is known only once everything else is drawn, so
// those symbols get their paths at the end.
#pragma once

#include <vector>

#include <pugixml.hpp>

#include "AcGeMatrix3d.h"

class AcDbDatabase;
class AcDbPoint;
class PathData;
class SvgCanvas;

class PointSymbols {
 public:
  PointSymbols(const AcDbDatabase& database, SvgCanvas& canvas);

  // The point's element; empty when the style shows nothing.
  pugi::xml_node add(const AcDbPoint& point, const AcGeMatrix3d& toWorld, pugi::xml_node parent);
  // Sizes the symbols drawn relative to a view that high.
  void finish(double viewHeight);

 private:
  struct Pending {
    pugi::xml_node element;
    AcGeMatrix3d frame;
  };

  // The symbol a unit wide, placed by frame.
  PathData symbol(const AcGeMatrix3d& frame) const;

  SvgCanvas& m_canvas;
  int m_mode;
  double m_size;
  std::vector<Pending> m_pending;
};
