#include "BoundaryArcs.h"

#include <algorithm>
#include <cmath>

#include "AcGeConstants.h"

namespace {

// One chord a degree: the chord strays from its arc by 4e-5 of the radius.
constexpr double kStep = kPi / 180.0;

double cross(const AcGePoint2d& o, const AcGePoint2d& a, const AcGePoint2d& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

}  // namespace

BoundaryArcs::BoundaryArcs(double grid) : m_grid(grid) {}

BoundaryArcs::Key BoundaryArcs::keyOf(const AcGePoint2d& point) const {
  return {static_cast<int64_t>(std::llround(point.x / m_grid)), static_cast<int64_t>(std::llround(point.y / m_grid))};
}

void BoundaryArcs::remember(const AcGePoint2d& point, int arc) {
  auto& vertex = m_vertices.try_emplace(keyOf(point), Vertex{point, {}}).first->second;
  if (arc >= 0 && std::find(vertex.arcs.begin(), vertex.arcs.end(), arc) == vertex.arcs.end())
    vertex.arcs.push_back(arc);
}

std::vector<AcGePoint2d> BoundaryArcs::chords(const BoundaryCurve& curve) {
  if (curve.kind == BoundaryCurve::Kind::Segment) {
    remember(curve.start, -1);
    remember(curve.end, -1);
    return {curve.start, curve.end};
  }
  const int arc = static_cast<int>(m_arcs.size());
  m_arcs.push_back(curve);
  const double sweep = curve.endAngle - curve.startAngle;
  const int steps = std::max(4, static_cast<int>(std::ceil(sweep / kStep)));
  std::vector<AcGePoint2d> points;
  points.reserve(steps + 1);
  for (int i = 0; i <= steps; ++i) {
    const double angle = curve.startAngle + sweep * i / steps;
    AcGePoint2d point{curve.centre.x + curve.radius * std::cos(angle), curve.centre.y + curve.radius * std::sin(angle)};
    if (i == 0) point = curve.start;
    if (i == steps) point = curve.end;
    remember(point, arc);
    points.push_back(point);
  }
  return points;
}

AcGePoint2d BoundaryArcs::placed(const AcGePoint2d& point, int arc) const {
  const auto found = m_vertices.find(keyOf(point));
  if (found != m_vertices.end()) return found->second.exact;
  // A node GEOS made where linework crosses an arc's chord.
  return arc >= 0 ? ontoArc(arc, point) : point;
}

bool BoundaryArcs::onArc(int arc, const AcGePoint2d& point) const {
  const BoundaryCurve& curve = m_arcs[arc];
  // A node where other linework crosses a chord lies off the arc by up to
  // the chord's sagitta.
  const double slack = curve.radius * (1.0 - std::cos(kStep / 2.0)) * 1.5 + 2.0 * m_grid;
  if (std::fabs(point.distanceTo(curve.centre) - curve.radius) > slack) return false;
  // Nodes rounded onto the grid may stand just past the arc's ends.
  const double turnSlack = slack / curve.radius;
  double angle = std::atan2(point.y - curve.centre.y, point.x - curve.centre.x);
  while (angle < curve.startAngle - turnSlack) angle += 2.0 * kPi;
  return angle <= curve.endAngle + turnSlack;
}

AcGePoint2d BoundaryArcs::ontoArc(int arc, const AcGePoint2d& point) const {
  const BoundaryCurve& curve = m_arcs[arc];
  const double distance = point.distanceTo(curve.centre);
  if (distance == 0.0) return point;
  const double scale = curve.radius / distance;
  return {curve.centre.x + (point.x - curve.centre.x) * scale, curve.centre.y + (point.y - curve.centre.y) * scale};
}

int BoundaryArcs::arcOf(const AcGePoint2d& a, const AcGePoint2d& b) const {
  for (const AcGePoint2d* known : {&a, &b}) {
    const auto found = m_vertices.find(keyOf(*known));
    if (found == m_vertices.end()) continue;
    for (int arc : found->second.arcs)
      if (onArc(arc, a) && onArc(arc, b) && std::fabs(turn(arc, a, b)) <= kStep * 1.01) return arc;
  }
  return -1;
}

// The signed angle an edge turns through about the arc's centre.
double BoundaryArcs::turn(int arc, const AcGePoint2d& a, const AcGePoint2d& b) const {
  const AcGePoint2d& c = m_arcs[arc].centre;
  const double dot = (a.x - c.x) * (b.x - c.x) + (a.y - c.y) * (b.y - c.y);
  return std::atan2(cross(c, a, b), dot);
}

BoundaryLoop BoundaryArcs::loop(const std::vector<AcGePoint2d>& ring) const {
  BoundaryLoop loop;
  const size_t count = ring.size() > 1 ? ring.size() - 1 : 0;
  if (count < 2) return loop;
  std::vector<int> arcs(count);
  for (size_t i = 0; i < count; ++i) arcs[i] = arcOf(ring[i], ring[i + 1]);
  // Start where an arc run begins, so that no run wraps around the start.
  size_t first = 0;
  while (first < count && arcs[first] >= 0 && arcs[first] == arcs[(first + count - 1) % count]) ++first;
  if (first == count) first = 0;
  for (size_t n = 0; n < count;) {
    const size_t i = (first + n) % count;
    const int arc = arcs[i];
    const AcGePoint2d start = placed(ring[i], arc >= 0 ? arc : arcs[(i + count - 1) % count]);
    if (arc < 0) {
      loop.points.push_back(start);
      loop.bulges.push_back(0.0);
      ++n;
      continue;
    }
    // One bulged segment for the run, at most half a turn long.
    double sweep = 0.0;
    size_t length = 0;
    while (n + length < count && arcs[(i + length) % count] == arc) {
      const size_t k = (i + length) % count;
      const double step = turn(arc, ring[k], ring[k + 1]);
      if (length > 0 && std::fabs(sweep + step) > kPi + 1e-6) break;
      sweep += step;
      ++length;
    }
    // The chords' sum carries their rounding; the run's own ends give the
    // sweep exactly.
    const AcGePoint2d end = placed(ring[(i + length) % count], arc);
    double exact = turn(arc, start, end);
    exact += 2.0 * kPi * std::round((sweep - exact) / (2.0 * kPi));
    loop.points.push_back(start);
    loop.bulges.push_back(std::tan(exact / 4.0));
    n += length;
  }
  // Straight runs through nodes that other linework only touched.
  for (size_t i = 0; loop.points.size() > 3 && i < loop.points.size();) {
    const size_t count2 = loop.points.size();
    const size_t before = (i + count2 - 1) % count2, after = (i + 1) % count2;
    const bool straight = loop.bulges[before] == 0.0 && loop.bulges[i] == 0.0;
    const double span = loop.points[before].distanceTo(loop.points[after]);
    if (straight && std::fabs(cross(loop.points[before], loop.points[i], loop.points[after])) <= span * m_grid) {
      loop.points.erase(loop.points.begin() + i);
      loop.bulges.erase(loop.bulges.begin() + i);
    } else {
      ++i;
    }
  }
  return loop;
}
