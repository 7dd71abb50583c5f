#include "BoundaryRegion.h"

#include <cmath>

namespace {

constexpr double kTurn = 6.283185307179586;

}  // namespace

double BoundaryLoop::area() const {
  double twice = 0.0;
  double segments = 0.0;
  const size_t count = points.size();
  for (size_t i = 0; i < count; ++i) {
    const AcGePoint2d& a = points[i];
    const AcGePoint2d& b = points[(i + 1) % count];
    twice += a.x * b.y - b.x * a.y;
    const double bulge = i < bulges.size() ? bulges[i] : 0.0;
    if (bulge == 0.0) continue;
    // The circular segment between chord and arc, signed as the bulge.
    const double sweep = 4.0 * std::atan(bulge);
    const double radius = a.distanceTo(b) / (2.0 * std::sin(std::fabs(sweep) / 2.0));
    segments += radius * radius / 2.0 * (sweep - std::sin(sweep));
  }
  return std::fabs(twice / 2.0 + segments);
}

BoundaryCurve BoundaryCurve::segment(const AcGePoint2d& start, const AcGePoint2d& end) {
  BoundaryCurve curve;
  curve.start = start;
  curve.end = end;
  return curve;
}

BoundaryCurve BoundaryCurve::arc(const AcGePoint2d& centre, double radius, double startAngle, double endAngle) {
  BoundaryCurve curve;
  curve.kind = Kind::Arc;
  curve.centre = centre;
  curve.radius = radius;
  curve.startAngle = startAngle;
  curve.endAngle = endAngle;
  while (curve.endAngle <= curve.startAngle) curve.endAngle += kTurn;
  curve.start = {centre.x + radius * std::cos(startAngle), centre.y + radius * std::sin(startAngle)};
  curve.end = {centre.x + radius * std::cos(curve.endAngle), centre.y + radius * std::sin(curve.endAngle)};
  return curve;
}

BoundaryCurve BoundaryCurve::bulged(const AcGePoint2d& start, const AcGePoint2d& end, double bulge) {
  if (bulge == 0.0) return segment(start, end);
  const double sweep = 4.0 * std::atan(bulge);
  const double chord = start.distanceTo(end);
  const double radius = chord / (2.0 * std::sin(std::fabs(sweep) / 2.0));
  // The centre lies off the chord's midpoint, to the left for a
  // counter-clockwise arc.
  const double offset = radius * std::cos(sweep / 2.0) * (bulge > 0 ? 1.0 : -1.0);
  const double ux = (end.x - start.x) / chord, uy = (end.y - start.y) / chord;
  const AcGePoint2d centre{(start.x + end.x) / 2.0 - uy * offset, (start.y + end.y) / 2.0 + ux * offset};
  const double from = std::atan2(start.y - centre.y, start.x - centre.x);
  const double to = std::atan2(end.y - centre.y, end.x - centre.x);
  BoundaryCurve curve = bulge > 0 ? arc(centre, radius, from, to) : arc(centre, radius, to, from);
  // Keep the polyline's own vertices, not ones recomputed from angles.
  curve.start = bulge > 0 ? start : end;
  curve.end = bulge > 0 ? end : start;
  return curve;
}
