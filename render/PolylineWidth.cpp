#include "PolylineWidth.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "AcDb2dPolyline.h"
#include "AcDb2dVertex.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "AcGeConstants.h"
#include "PathData.h"

namespace {

// Chords of a band along a whole circle; an arc segment takes its share.
constexpr int kCircleSteps = 144;
// How far, in widths, a mitred corner may reach from the segment's end.
constexpr double kMitreReach = 100.0;

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
    segments.push_back({point, point, vertex->bulge(), vertex->startWidth(), vertex->endWidth()});
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

int stepsAlong(const Segment& segment) {
  if (segment.bulge == 0.0) return 1;
  const double turn = 4.0 * std::fabs(std::atan(segment.bulge));
  return std::max(4, static_cast<int>(std::ceil(kCircleSteps * turn / (2.0 * kPi))));
}

// A segment's outline: its left and right edges from start to end.
struct Band {
  std::vector<AcGePoint2d> left, right;
  bool straight = true;
};

Band bandOf(const Segment& segment) {
  const int steps = stepsAlong(segment);
  Band band;
  band.straight = steps == 1;
  for (int step = 0; step <= steps; ++step) {
    const double at = static_cast<double>(step) / steps;
    const double half = (segment.startWidth + (segment.endWidth - segment.startWidth) * at) / 2.0;
    const Station station = stationAt(segment, at);
    band.left.push_back(station.offset(half));
    band.right.push_back(station.offset(-half));
  }
  return band;
}

// Where the line through a0 and a1 crosses the one through b0 and b1; none
// when they run parallel.
std::optional<AcGePoint2d> crossing(AcGePoint2d a0, AcGePoint2d a1, AcGePoint2d b0, AcGePoint2d b1) {
  const double ax = a1.x - a0.x, ay = a1.y - a0.y, bx = b1.x - b0.x, by = b1.y - b0.y;
  const double across = ax * by - ay * bx;
  if (std::fabs(across) <= 1e-12 * std::hypot(ax, ay) * std::hypot(bx, by)) return std::nullopt;
  const double along = ((b0.x - a0.x) * by - (b0.y - a0.y) * bx) / across;
  return AcGePoint2d(a0.x + ax * along, a0.y + ay * along);
}

void mitreEdge(std::vector<AcGePoint2d>& before, std::vector<AcGePoint2d>& after, double reach) {
  const auto corner = crossing(before.front(), before.back(), after.front(), after.back());
  if (corner && corner->distanceTo(before.back()) <= reach) before.back() = after.front() = *corner;
}

// Straight segments meet as CAD programs join wide polylines: each edge runs
// on to where it crosses the next segment's.
void mitre(Band& before, Band& after) {
  if (!before.straight || !after.straight) return;
  // Segments that all but turn back meet square, lest a spike run off far
  // beyond the drawing.
  const double reach = kMitreReach * before.left.back().distanceTo(before.right.back());
  mitreEdge(before.left, after.left, reach);
  mitreEdge(before.right, after.right, reach);
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
  std::vector<Band> bands;
  for (const Segment& segment : segments) bands.push_back(bandOf(segment));
  for (size_t index = 0; index + 1 < bands.size(); ++index) mitre(bands[index], bands[index + 1]);
  if (bands.size() > 2 && segments.back().end.isEqualTo(segments.front().start)) mitre(bands.back(), bands.front());
  for (const Band& band : bands) {
    path.moveTo(band.left.front());
    for (size_t index = 1; index < band.left.size(); ++index) path.lineTo(band.left[index]);
    for (size_t index = band.right.size(); index-- > 0;) path.lineTo(band.right[index]);
    path.close();
  }
}
