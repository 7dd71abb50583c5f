// The part of a straight line inside a box, seen from above.
#pragma once

#include "AcDbExtents.h"
#include "AcGePoint3d.h"

class LineClip {
 public:
  // Narrows from and to, parameters along origin + t * (dx, dy), to the
  // part inside the box; false when nothing is left.
  static bool toBox(const AcGePoint3d& origin, double dx, double dy, const AcDbExtents& box, double& from, double& to);
};
