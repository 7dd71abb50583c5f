#include "HatchEdgePath.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "AcDbSpline.h"
#include "AcGeConstants.h"
#include "CurveShape.h"
#include "HatchLoop.h"
#include "PathData.h"

namespace {

constexpr double kTurn = 2.0 * kPi;
// Chords of a whole elliptic edge.
constexpr int kEllipseSegments = 144;

double valueOf(const DxfOwnedTag& tag) {
  const double value = std::strtod(tag.value.c_str(), nullptr);
  return std::isfinite(value) ? value : 0.0;
}

void step(PathData& path, const AcGePoint2d& point, bool first, bool goesOn) {
  if (first && !goesOn) path.moveTo(point);
  else path.lineTo(point);
}

// The tags of an elliptic edge: centre, end of the major axis from it, the
// ratio of the axes, and start and end angles in degrees, mirrored for an
// edge that runs clockwise.
struct EllipticEdge {
  explicit EllipticEdge(const HatchEdge& edge) {
    for (const DxfOwnedTag& tag : edge.tags) {
      switch (tag.code) {
        case 10: center.x = valueOf(tag); break;
        case 20: center.y = valueOf(tag); break;
        case 11: majorX = valueOf(tag); break;
        case 21: majorY = valueOf(tag); break;
        case 40: ratio = valueOf(tag); break;
        case 50: start = valueOf(tag); break;
        case 51: end = valueOf(tag); break;
        case 73: ccw = valueOf(tag) != 0.0; break;
      }
    }
  }
  // The parameter of the point the angle from the major axis points at.
  double paramAt(double degrees) const {
    const double angle = degrees * kPi / 180.0;
    return std::atan2(std::sin(angle) / (ratio == 0.0 ? 1.0 : ratio), std::cos(angle));
  }
  AcGePoint2d pointAt(double param) const {
    const double c = std::cos(param), s = std::sin(param) * ratio;
    return AcGePoint2d(center.x + majorX * c - majorY * s, center.y + majorY * c + majorX * s);
  }

  AcGePoint2d center;
  double majorX = 1.0, majorY = 0.0, ratio = 1.0, start = 0.0, end = 360.0;
  bool ccw = true;
};

// The tags of a spline edge: degree, knots and control points.
AcDbSpline splineOf(const HatchEdge& edge) {
  int degree = 3;
  std::vector<double> knots;
  std::vector<AcGePoint3d> controls, fits;
  for (const DxfOwnedTag& tag : edge.tags) {
    const double value = valueOf(tag);
    switch (tag.code) {
      case 94: degree = static_cast<int>(value); break;
      case 40: knots.push_back(value); break;
      case 10: controls.emplace_back(value, 0.0, 0.0); break;
      case 20: if (!controls.empty()) controls.back().y = value; break;
      case 11: fits.emplace_back(value, 0.0, 0.0); break;
      case 21: if (!fits.empty()) fits.back().y = value; break;
    }
  }
  // Without control points, the points it was fitted through show its way.
  if (controls.empty()) return AcDbSpline(1, fits, {});
  return AcDbSpline(degree, controls, knots);
}

}  // namespace

void HatchEdgePath::add(const HatchEdge& edge, bool goesOn, PathData& path) {
  switch (edge.type) {
    case HatchEdge::kLine:
      step(path, edge.start, true, goesOn);
      path.lineTo(edge.end);
      return;
    case HatchEdge::kCirArc: return addArc(edge, goesOn, path);
    case HatchEdge::kEllArc: return addEllipse(edge, goesOn, path);
    case HatchEdge::kSpline: return addSpline(edge, goesOn, path);
  }
}

void HatchEdgePath::addArc(const HatchEdge& edge, bool goesOn, PathData& path) {
  // The angles run counter-clockwise; a clockwise edge is walked back.
  double sweep = std::fmod(edge.endAngle() - edge.startAngle(), kTurn);
  if (sweep <= 0.0) sweep += kTurn;
  if (edge.isClockwise()) path.arcFrom(edge.center, edge.radius, edge.endAngle(), -sweep, goesOn);
  else path.arcFrom(edge.center, edge.radius, edge.startAngle(), sweep, goesOn);
}

void HatchEdgePath::addEllipse(const HatchEdge& edge, bool goesOn, PathData& path) {
  const EllipticEdge ellipse(edge);
  // A clockwise edge keeps its angles mirrored: the counter-clockwise arc
  // between them, walked back.
  const double from = ellipse.ccw ? ellipse.start : 360.0 - ellipse.end;
  const double to = ellipse.ccw ? ellipse.end : 360.0 - ellipse.start;
  const double first = ellipse.paramAt(from);
  double sweep = std::fabs(to - from) >= 360.0 ? kTurn : std::fmod(ellipse.paramAt(to) - first, kTurn);
  if (sweep <= 0.0) sweep += kTurn;
  const int segments = std::max(4, static_cast<int>(std::ceil(kEllipseSegments * sweep / kTurn)));
  for (int index = 0; index <= segments; ++index) {
    const double along = ellipse.ccw ? index : segments - index;
    step(path, ellipse.pointAt(first + sweep * along / segments), index == 0, goesOn);
  }
}

void HatchEdgePath::addSpline(const HatchEdge& edge, bool goesOn, PathData& path) {
  CurveShape::addSpline(splineOf(edge), path, goesOn);
}
