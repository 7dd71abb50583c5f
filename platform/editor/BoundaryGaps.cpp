#include "BoundaryGaps.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

#include "AcGeConstants.h"

namespace {

// Bridges must continue a wall line within this angle.
const double kAlignment = std::cos(2.0 * kPi / 180.0);

// A curve's end and the direction that leads out of the curve there.
struct End {
  AcGePoint2d point;
  double dx, dy;
  bool bridged = false;
};

void addEnds(const BoundaryCurve& curve, std::vector<End>& ends) {
  if (curve.kind == BoundaryCurve::Kind::Segment) {
    const double length = curve.start.distanceTo(curve.end);
    if (length == 0.0) return;
    const double ux = (curve.end.x - curve.start.x) / length, uy = (curve.end.y - curve.start.y) / length;
    ends.push_back({curve.start, -ux, -uy});
    ends.push_back({curve.end, ux, uy});
    return;
  }
  if (std::fabs(curve.endAngle - curve.startAngle - 2.0 * kPi) < 1e-12) return;
  // Counter-clockwise arcs leave their end along the tangent.
  ends.push_back({curve.start, std::sin(curve.startAngle), -std::cos(curve.startAngle)});
  ends.push_back({curve.end, -std::sin(curve.endAngle), std::cos(curve.endAngle)});
}

struct Candidate {
  double distance;
  size_t from, to;
};

using Cell = std::pair<int64_t, int64_t>;
struct CellHash {
  size_t operator()(const Cell& cell) const { return std::hash<int64_t>()(cell.first * 73856093 ^ cell.second); }
};

// Pairs of ends within the tolerance whose gap continues both lines.
std::vector<Candidate> candidates(const std::vector<End>& ends, double tolerance) {
  std::unordered_map<Cell, std::vector<size_t>, CellHash> grid;
  auto cellOf = [tolerance](const AcGePoint2d& p) {
    return Cell{static_cast<int64_t>(std::floor(p.x / tolerance)), static_cast<int64_t>(std::floor(p.y / tolerance))};
  };
  for (size_t i = 0; i < ends.size(); ++i) grid[cellOf(ends[i].point)].push_back(i);
  std::vector<Candidate> found;
  for (size_t i = 0; i < ends.size(); ++i) {
    const Cell cell = cellOf(ends[i].point);
    for (int64_t x = cell.first - 1; x <= cell.first + 1; ++x)
      for (int64_t y = cell.second - 1; y <= cell.second + 1; ++y) {
        const auto near = grid.find({x, y});
        if (near == grid.end()) continue;
        for (size_t j : near->second) {
          if (j <= i) continue;
          const End& a = ends[i];
          const End& b = ends[j];
          const double distance = a.point.distanceTo(b.point);
          if (distance > tolerance || distance <= tolerance * 1e-9) continue;
          const double ux = (b.point.x - a.point.x) / distance, uy = (b.point.y - a.point.y) / distance;
          const bool continuesA = a.dx * ux + a.dy * uy >= kAlignment;
          const bool continuesB = -(b.dx * ux + b.dy * uy) >= kAlignment;
          if (continuesA && continuesB) found.push_back({distance, i, j});
        }
      }
  }
  return found;
}

}  // namespace

std::vector<BoundaryCurve> BoundaryGaps::bridges(const std::vector<BoundaryCurve>& curves, double tolerance) {
  std::vector<BoundaryCurve> made;
  if (!(tolerance > 0.0)) return made;
  std::vector<End> ends;
  for (const BoundaryCurve& curve : curves) addEnds(curve, ends);
  auto found = candidates(ends, tolerance);
  // The narrowest gaps first: an end is bridged once, to its nearest match.
  std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) { return a.distance < b.distance; });
  for (const Candidate& candidate : found) {
    End& a = ends[candidate.from];
    End& b = ends[candidate.to];
    if (a.bridged || b.bridged) continue;
    a.bridged = b.bridged = true;
    made.push_back(BoundaryCurve::segment(a.point, b.point));
  }
  return made;
}
