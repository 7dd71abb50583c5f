#include "ifc/IfcOutline.h"

#include <algorithm>
#include <limits>

#include "AcDbPolyline.h"
#include "AcGeMatrix3d.h"
#include "AcGePoint3d.h"

namespace {

AcGePoint2d inPlan(const AcGeMatrix3d& placement, const AcGePoint3d& point) {
  const AcGePoint3d placed = placement * point;
  return AcGePoint2d(placed.x, placed.y);
}

}  // namespace

CIfcOutline::CIfcOutline(const AcDbPolyline& polyline, const AcGeMatrix3d& placement) {
  const unsigned int count = polyline.numVerts();
  m_minimum.set(std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
  m_maximum.set(-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max());
  if (count < 2) return;
  m_points.reserve(count * 2);
  AcGePoint3d vertex;
  polyline.getPointAt(0, vertex);
  const int first = addPoint(inPlan(placement, vertex));
  int start = first;
  for (unsigned int index = 0; index < count; ++index) {
    const bool last = index + 1 == count;
    AcGePoint3d next;
    polyline.getPointAt(last ? 0 : index + 1, next);
    const AcGePoint2d end = inPlan(placement, next);
    // A zero-length segment is no edge; the closing one ends where we began.
    if (end.isEqualTo(m_points[static_cast<size_t>(start)], 1e-9)) continue;
    double bulge = 0.0;
    polyline.getBulgeAt(index, bulge);
    int middle = -1;
    AcGePoint3d halfway;
    if (bulge != 0.0 && polyline.getPointAtParam(index + 0.5, halfway) == Acad::eOk)
      middle = addPoint(inPlan(placement, halfway));
    const int endIndex = last ? first : addPoint(end);
    m_segments.push_back({start, middle, endIndex});
    start = endIndex;
  }
  // The closing segment may have been dropped as zero-length; close it then.
  if (!m_segments.empty() && m_segments.back().end != first) {
    if (m_points[static_cast<size_t>(start)].isEqualTo(m_points[static_cast<size_t>(first)], 1e-9))
      m_segments.back().end = first;
    else
      m_segments.push_back({start, -1, first});
  }
  if (m_segments.size() < 2) m_segments.clear();
}

int CIfcOutline::addPoint(const AcGePoint2d& point) {
  m_points.push_back(point);
  m_minimum.set(std::min(m_minimum.x, point.x), std::min(m_minimum.y, point.y));
  m_maximum.set(std::max(m_maximum.x, point.x), std::max(m_maximum.y, point.y));
  return static_cast<int>(m_points.size()) - 1;
}

bool CIfcOutline::contains(const AcGePoint2d& point) const {
  if (empty() || point.x < m_minimum.x || point.x > m_maximum.x || point.y < m_minimum.y || point.y > m_maximum.y)
    return false;
  bool inside = false;
  auto cross = [&](const AcGePoint2d& a, const AcGePoint2d& b) {
    if ((a.y > point.y) != (b.y > point.y) && point.x < a.x + (point.y - a.y) * (b.x - a.x) / (b.y - a.y))
      inside = !inside;
  };
  forEachChord(cross);
  return inside;
}

AcGePoint2d CIfcOutline::interiorPoint() const {
  if (empty()) return AcGePoint2d();
  const double y = (m_minimum.y + m_maximum.y) / 2.0;
  std::vector<double> crossings;
  auto cross = [&](const AcGePoint2d& a, const AcGePoint2d& b) {
    if ((a.y > y) != (b.y > y)) crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
  };
  forEachChord(cross);
  std::sort(crossings.begin(), crossings.end());
  AcGePoint2d best = m_points.front();
  double widest = -1.0;
  for (size_t index = 0; index + 1 < crossings.size(); index += 2) {
    const double width = crossings[index + 1] - crossings[index];
    if (width > widest) {
      widest = width;
      best.set((crossings[index] + crossings[index + 1]) / 2.0, y);
    }
  }
  return best;
}
