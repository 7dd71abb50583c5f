// Closes openings in walls up to a width: where a wall line stops and a
// line in the same direction resumes within the tolerance (a door opening,
// in single or double wall lines), the gap is bridged by a straight piece.
// Wall ends that do not line up are left open, so that corners of double
// walls are not joined across the wall.
#pragma once
#include <vector>

#include "BoundaryRegion.h"

class BoundaryGaps {
 public:
  static std::vector<BoundaryCurve> bridges(const std::vector<BoundaryCurve>& curves, double tolerance);
};
