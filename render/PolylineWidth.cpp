#include "PolylineWidth.h"

#include <cmath>

#include "AcDb2dPolyline.h"
#include "AcDb2dVertex.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "PathData.h"

namespace {

// Chords of a band along an arc segment.
constexpr int kArcSteps = 16;

using Segment = PolylineWidth::Segment;

std::vector<Segment> segmentsOf(const AcDbPolyline& polyline) {
  // Segments that give no widths of their own take the constant width.
  double constant = 0.0;
  polyline.getConstantWidth(constant);
  std::vector<Segment> segments;
  const unsigned int count = polyline.numVerts();
  const unsigned int last = polyline.isClosed() ? count : count - 1;
  for (unsigned int index = 0; index < last && count > 1; ++index) {
    Segment segment;
    polyline.getPointAt(index, segment.start);
    polyline.getPointAt((index + 1) % count, segment.end);
    polyline.getBulgeAt(index, segment.bulge);
    if (polyline.getWidthsAt(index, segment.startWidth, segment.endWidth) != Acad::eOk) continue;
    if (segment.startWidth == 0.0 && segment.endWidth == 0.0) segment.startWidth = segment.endWidth = constant;
    segments.push_back(segment);
  }
  return segments;
}

std::vector<Segment> segmentsOf(const AcDb2dPolyline& polyline) {
  std::vector<Segment> segments;
  for (auto vertices = polyline.vertexIterator(); !vertices->done(); vertices->step()) {
    AcDbObjectPointer<AcDb2dVertex> vertex(vertices->objectId(), AcDb::kForRead);
    if (!vertex || vertex->vertexType() == AcDb::k2dSplineCtlVertex) continue;
    const AcGePoint2d point(vertex->position().x, vertex->position().y);
    if (!segments.empty()) segments.back().end = point;
    // A vertex that gives no widths takes the polyline's.
    const bool own = vertex->startWidth() != 0.0 || vertex->endWidth() != 0.0;
    segments.push_back({point, point, vertex->bulge(), own ? vertex->startWidth() : polyline.defaultStartWidth(),
                        own ? vertex->endWidth() : polyline.defaultEndWidth()});
  }
  if (segments.empty()) return segments;
  // The last vertex starts a segment only when the polyline closes.
  if (polyline.isClosed()) segments.back().end = segments.front().start;
  else segments.pop_back();
  return segments;
}

// A point along the segment (at 0 to 1) and the unit normal to its left there.
struct Station {
  AcGePoint2d point;
  double leftX = 0.0, leftY = 1.0;
  AcGePoint2d offset(double distance) const {
    return AcGePoint2d(point.x + leftX * distance, point.y + leftY * distance);
  }
};

Station stationAt(const Segment& segment, double at) {
  const double dx = segment.end.x - segment.start.x, dy = segment.end.y - segment.start.y;
  const double chord = std::hypot(dx, dy);
  if (segment.bulge == 0.0 || chord == 0.0) {
    Station station{AcGePoint2d(segment.start.x + dx * at, segment.start.y + dy * at)};
    if (chord > 0.0) station.leftX = -dy / chord, station.leftY = dx / chord;
    return station;
  }
  // The arc turns through four times the bulge's arc tangent about its centre.
  const double offset = (1.0 - segment.bulge * segment.bulge) / (4.0 * segment.bulge);
  const AcGePoint2d centre(segment.start.x + dx / 2.0 - dy * offset, segment.start.y + dy / 2.0 + dx * offset);
  const double radius = centre.distanceTo(segment.start);
  const double angle = std::atan2(segment.start.y - centre.y, segment.start.x - centre.x) +
                       4.0 * std::atan(segment.bulge) * at;
  const double outwardX = std::cos(angle), outwardY = std::sin(angle);
  // Turning left, the centre is on the left.
  const double side = segment.bulge > 0.0 ? -1.0 : 1.0;
  return Station{AcGePoint2d(centre.x + outwardX * radius, centre.y + outwardY * radius), outwardX * side,
                 outwardY * side};
}

}  // namespace

std::vector<Segment> PolylineWidth::segments(const AcDbEntity& entity) {
  if (const auto* light = AcDbPolyline::cast(&entity)) return segmentsOf(*light);
  if (const auto* heavy = AcDb2dPolyline::cast(&entity)) return segmentsOf(*heavy);
  return {};
}

double PolylineWidth::of(const AcDbEntity& entity) {
  double sum = 0.0;
  const std::vector<Segment> all = segments(entity);
  for (const Segment& segment : all) sum += std::fabs(segment.startWidth) + std::fabs(segment.endWidth);
  return all.empty() || !std::isfinite(sum) ? 0.0 : sum / (2.0 * all.size());
}

bool PolylineWidth::tapers(const std::vector<Segment>& segments) {
  for (const Segment& segment : segments)
    if (segment.startWidth != segment.endWidth) return true;
  return false;
}

void PolylineWidth::addOutline(const std::vector<Segment>& segments, PathData& path) {
  for (const Segment& segment : segments) {
    const int steps = segment.bulge == 0.0 ? 1 : kArcSteps;
    std::vector<AcGePoint2d> left, right;
    for (int step = 0; step <= steps; ++step) {
      const double at = static_cast<double>(step) / steps;
      const double half = (segment.startWidth + (segment.endWidth - segment.startWidth) * at) / 2.0;
      const Station station = stationAt(segment, at);
      left.push_back(station.offset(half));
      right.push_back(station.offset(-half));
    }
    path.moveTo(left.front());
    for (size_t index = 1; index < left.size(); ++index) path.lineTo(left[index]);
    for (size_t index = right.size(); index-- > 0;) path.lineTo(right[index]);
    path.close();
  }
}
