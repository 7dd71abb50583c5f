#include "CurveShape.h"

#include <algorithm>
#include <cmath>

#include "AcDb2dPolyline.h"
#include "AcDb2dVertex.h"
#include "AcDbArc.h"
#include "AcDbCircle.h"
#include "AcDbEllipse.h"
#include "AcDbLine.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "AcDbSolid.h"
#include "AcDbSpline.h"
#include "AcGeConstants.h"
#include "PolylineWidth.h"

namespace {

// Segments of a whole ellipse, and of each span of a curved spline.
constexpr int kEllipseSegments = 144;
constexpr int kSpanSegments = 16;
// A spline with more spans than this is followed with fewer segments each.
constexpr int kMaxSplineSegments = 20000;

AcGeMatrix3d inPlaneOf(const AcGeVector3d& normal, double elevation) {
  return AcGeMatrix3d::planeToWorld(normal) * AcGeMatrix3d::translation(AcGeVector3d(0.0, 0.0, elevation));
}

// A polyline's vertices joined by its segments.  Apart, each segment is a
// path of its own, so that a linetype's pattern starts afresh at every
// vertex, as CAD programs draw polylines without linetype generation.
class Segments {
 public:
  Segments(PathData& path, bool apart) : m_path(path), m_apart(apart) {}

  // To the vertex from the one before, by the bulge that one gives.
  void add(const AcGePoint2d& vertex, double bulge) {
    if (m_vertices == 0) {
      m_first = vertex;
      m_path.moveTo(vertex);
    } else {
      if (m_apart && m_vertices > 1) m_path.moveTo(m_last);
      m_path.lineTo(vertex, bulge);
    }
    m_last = vertex;
    ++m_vertices;
  }
  void close(double bulge) {
    if (m_vertices < 2) return;
    add(m_first, bulge);
    if (!m_apart) m_path.close();
  }

 private:
  PathData& m_path;
  bool m_apart;
  int m_vertices = 0;
  AcGePoint2d m_first;
  AcGePoint2d m_last;
};

void addPolyline(const AcDbPolyline& polyline, PathData& path, bool apart) {
  Segments segments(path, apart);
  AcGePoint2d point;
  double bulge = 0.0;
  for (unsigned int index = 0; index < polyline.numVerts(); ++index) {
    polyline.getPointAt(index, point);
    segments.add(point, bulge);
    polyline.getBulgeAt(index, bulge);
  }
  if (polyline.isClosed()) segments.close(bulge);
}

void addPolyline(const AcDb2dPolyline& polyline, PathData& path, bool apart) {
  Segments segments(path, apart);
  double bulge = 0.0;
  for (auto vertices = polyline.vertexIterator(); !vertices->done(); vertices->step()) {
    AcDbObjectPointer<AcDb2dVertex> vertex(vertices->objectId(), AcDb::kForRead);
    // The frame of a spline-fit polyline is not drawn.
    if (!vertex || vertex->vertexType() == AcDb::k2dSplineCtlVertex) continue;
    segments.add(AcGePoint2d(vertex->position().x, vertex->position().y), bulge);
    bulge = vertex->bulge();
  }
  if (polyline.isClosed()) segments.close(bulge);
}

void addPoints(const std::vector<AcGePoint3d>& points, PathData& path, bool goesOn) {
  for (size_t index = 0; index < points.size(); ++index) {
    if (index == 0 && !goesOn) path.moveTo(points[index]);
    else path.lineTo(points[index]);
  }
}

// A curve in a plane of its own: the transform into that plane and the
// centre in its coordinates.
struct Plane {
  Plane(const AcGeMatrix3d& toWorld, const AcGeVector3d& normal, const AcGePoint3d& worldCentre) {
    const AcGePoint3d centre = AcGeMatrix3d::worldToPlane(normal) * worldCentre;
    path.emplace(toWorld * inPlaneOf(normal, centre.z));
    at = AcGePoint2d(centre.x, centre.y);
  }
  std::optional<PathData> path;
  AcGePoint2d at;
};

}  // namespace

void CurveShape::addEllipse(const AcDbEllipse& ellipse, PathData& path) {
  double start = 0.0, end = 0.0;
  ellipse.getStartParam(start);
  ellipse.getEndParam(end);
  const int segments = std::max(4, static_cast<int>(std::ceil(kEllipseSegments * (end - start) / (2.0 * kPi))));
  AcGePoint3d point;
  for (int step = 0; step <= segments; ++step) {
    ellipse.getPointAtParam(start + (end - start) * step / segments, point);
    if (step == 0) path.moveTo(point);
    else path.lineTo(point);
  }
  if (ellipse.isClosed()) path.close();
}

void CurveShape::addSpline(const AcDbSpline& spline, PathData& path, bool goesOn) {
  // Without a valid definition, the points it was fitted through (or its
  // control points) show where it runs.
  if (!spline.hasValidNurbsData()) {
    addPoints(spline.numFitPoints() > 1 ? spline.fitPoints() : spline.controlPoints(), path, goesOn);
    return;
  }
  const std::vector<double>& knots = spline.knots();
  const size_t first = static_cast<size_t>(spline.degree()), last = spline.controlPoints().size();
  const int perSpan = spline.degree() == 1
                          ? 1
                          : std::max(2, std::min(kSpanSegments, kMaxSplineSegments / static_cast<int>(last)));
  AcGePoint3d point;
  spline.getPointAtParam(knots[first], point);
  if (goesOn) path.lineTo(point);
  else path.moveTo(point);
  for (size_t span = first; span < last; ++span) {
    const double from = knots[span], to = knots[span + 1];
    if (to <= from) continue;
    for (int step = 1; step <= perSpan; ++step) {
      if (spline.getPointAtParam(from + (to - from) * step / perSpan, point) == Acad::eOk) path.lineTo(point);
    }
  }
}

std::optional<PathData> CurveShape::taperedOutline(const AcDbEntity& entity, const AcGeMatrix3d& toWorld) {
  const std::vector<PolylineWidth::Segment> segments = PolylineWidth::segments(entity);
  if (!PolylineWidth::tapers(segments)) return std::nullopt;
  AcGeMatrix3d inPlane;
  if (const auto* light = AcDbPolyline::cast(&entity)) inPlane = inPlaneOf(light->normal(), light->elevation());
  else if (const auto* heavy = AcDb2dPolyline::cast(&entity)) inPlane = inPlaneOf(heavy->normal(), heavy->elevation());
  PathData path(toWorld * inPlane);
  PolylineWidth::addOutline(segments, path);
  return path;
}

std::optional<PathData> CurveShape::of(const AcDbEntity& entity, const AcGeMatrix3d& toWorld, bool dashed) {
  if (const auto* polyline = AcDbPolyline::cast(&entity)) {
    PathData path(toWorld * inPlaneOf(polyline->normal(), polyline->elevation()));
    addPolyline(*polyline, path, dashed && !polyline->hasPlinegen());
    return path;
  }
  if (const auto* polyline = AcDb2dPolyline::cast(&entity)) {
    PathData path(toWorld * inPlaneOf(polyline->normal(), polyline->elevation()));
    addPolyline(*polyline, path, dashed && !polyline->isLinetypeGenerationOn());
    return path;
  }
  if (const auto* line = AcDbLine::cast(&entity)) {
    PathData path(toWorld);
    path.moveTo(line->startPoint());
    path.lineTo(line->endPoint());
    return path;
  }
  if (const auto* circle = AcDbCircle::cast(&entity)) {
    Plane plane(toWorld, circle->normal(), circle->center());
    plane.path->circle(plane.at, circle->radius());
    return plane.path;
  }
  if (const auto* arc = AcDbArc::cast(&entity)) {
    Plane plane(toWorld, arc->normal(), arc->center());
    plane.path->arc(plane.at, arc->radius(), arc->startAngle(), arc->endAngle());
    return plane.path;
  }
  if (const auto* ellipse = AcDbEllipse::cast(&entity)) {
    PathData path(toWorld);
    addEllipse(*ellipse, path);
    return path;
  }
  if (const auto* spline = AcDbSpline::cast(&entity)) {
    PathData path(toWorld);
    addSpline(*spline, path);
    return path;
  }
  if (const auto* solid = AcDbSolid::cast(&entity)) {
    PathData path(toWorld * AcGeMatrix3d::planeToWorld(solid->normal()));
    AcGePoint3d corner;
    for (int index : {0, 1, 3, 2}) {
      solid->getPointAt(index, corner);
      if (index == 0) path.moveTo(corner);
      else path.lineTo(corner);
    }
    path.close();
    return path;
  }
  return std::nullopt;
}
