#include "LineClip.h"

#include <algorithm>
#include <cmath>

bool LineClip::toBox(const AcGePoint3d& origin, double dx, double dy, const AcDbExtents& box, double& from,
                     double& to) {
  const double starts[] = {origin.x, origin.y}, steps[] = {dx, dy};
  const double lows[] = {box.minPoint().x, box.minPoint().y}, highs[] = {box.maxPoint().x, box.maxPoint().y};
  for (int axis = 0; axis < 2; ++axis) {
    if (std::fabs(steps[axis]) < 1e-12) {
      if (starts[axis] < lows[axis] || starts[axis] > highs[axis]) return false;
      continue;
    }
    double a = (lows[axis] - starts[axis]) / steps[axis], b = (highs[axis] - starts[axis]) / steps[axis];
    if (a > b) std::swap(a, b);
    from = std::max(from, a);
    to = std::min(to, b);
  }
  return from < to;
}
