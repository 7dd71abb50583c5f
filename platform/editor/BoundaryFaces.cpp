#include "BoundaryFaces.h"

#include <algorithm>
#include <cmath>

namespace {

// Coordinates beyond this are no one's floor plan and would coarsen the
// noding grid for everything else.
constexpr double kFarthest = 1e10;

bool usable(const BoundaryCurve& curve) {
  for (const AcGePoint2d* p : {&curve.start, &curve.end, &curve.centre})
    if (!std::isfinite(p->x) || !std::isfinite(p->y) || std::fabs(p->x) > kFarthest || std::fabs(p->y) > kFarthest)
      return false;
  return std::isfinite(curve.radius);
}

}  // namespace

BoundaryFaces::BoundaryFaces(const std::vector<BoundaryCurve>& curves) : m_arcs(gridFor(curves)) {
  auto lines = linework(curves);
  if (!lines) return;
  GEOSContextHandle_t h = m_geos.handle();
  const GEOSGeometry* parts[] = {lines.get()};
  auto polygons = m_geos.own(GEOSPolygonize_r(h, parts, 1));
  if (!polygons) return;
  const int count = GEOSGetNumGeometries_r(h, polygons.get());
  for (int i = 0; i < count; ++i) addFace(GEOSGetGeometryN_r(h, polygons.get(), i));
}

double BoundaryFaces::gridFor(const std::vector<BoundaryCurve>& curves) {
  double reach = 1.0;
  for (const BoundaryCurve& curve : curves)
    if (usable(curve))
      reach = std::max({reach, std::fabs(curve.start.x), std::fabs(curve.start.y), std::fabs(curve.end.x),
                        std::fabs(curve.end.y), std::fabs(curve.centre.x) + curve.radius,
                        std::fabs(curve.centre.y) + curve.radius});
  return reach * 1e-9;
}

GeosContext::Geometry BoundaryFaces::linework(const std::vector<BoundaryCurve>& curves) {
  GEOSContextHandle_t h = m_geos.handle();
  std::vector<GEOSGeometry*> strings;
  for (const BoundaryCurve& curve : curves) {
    if (!usable(curve)) continue;
    const auto points = m_arcs.chords(curve);
    GEOSCoordSequence* sequence = GEOSCoordSeq_create_r(h, static_cast<unsigned>(points.size()), 2);
    for (size_t i = 0; i < points.size(); ++i)
      GEOSCoordSeq_setXY_r(h, sequence, static_cast<unsigned>(i), points[i].x, points[i].y);
    if (GEOSGeometry* string = GEOSGeom_createLineString_r(h, sequence)) strings.push_back(string);
  }
  if (strings.empty()) return m_geos.own(nullptr);
  auto collection = m_geos.own(
      GEOSGeom_createCollection_r(h, GEOS_MULTILINESTRING, strings.data(), static_cast<unsigned>(strings.size())));
  // The union nodes every crossing and merges lines drawn twice.
  return m_geos.own(GEOSUnaryUnionPrec_r(h, collection.get(), m_arcs.grid()));
}

void BoundaryFaces::addFace(const GEOSGeometry* polygon) {
  GEOSContextHandle_t h = m_geos.handle();
  Face face{m_geos.own(GEOSGeom_clone_r(h, polygon)),
            m_geos.own(GEOSGeom_createPolygon_r(h, GEOSGeom_clone_r(h, GEOSGetExteriorRing_r(h, polygon)), nullptr, 0)),
            {}, 0, 0, 0, 0, 0, 0};
  if (auto point = m_geos.own(GEOSPointOnSurface_r(h, polygon))) {
    GEOSGeomGetX_r(h, point.get(), &face.inside.x);
    GEOSGeomGetY_r(h, point.get(), &face.inside.y);
  }
  GEOSGeom_getXMin_r(h, polygon, &face.minX);
  GEOSGeom_getYMin_r(h, polygon, &face.minY);
  GEOSGeom_getXMax_r(h, polygon, &face.maxX);
  GEOSGeom_getYMax_r(h, polygon, &face.maxY);
  GEOSArea_r(h, polygon, &face.area);
  double shell = 0.0;
  if (face.shell) GEOSArea_r(h, face.shell.get(), &shell);
  face.holeArea = shell - face.area;
  m_faces.push_back(std::move(face));
}

bool BoundaryFaces::holds(const GEOSGeometry* polygon, const AcGePoint2d& point) const {
  GEOSContextHandle_t h = m_geos.handle();
  auto probe = m_geos.own(GEOSGeom_createPointFromXY_r(h, point.x, point.y));
  return probe && polygon != nullptr && GEOSContains_r(h, polygon, probe.get()) == 1;
}

bool BoundaryFaces::contains(const Face& face, const AcGePoint2d& point) const {
  if (point.x < face.minX || point.x > face.maxX || point.y < face.minY || point.y > face.maxY) return false;
  return holds(face.polygon.get(), point);
}

double BoundaryFaces::width(const Face& face) const {
  GEOSContextHandle_t h = m_geos.handle();
  const double tolerance = std::max(face.maxX - face.minX, face.maxY - face.minY) * 1e-3;
  auto radius = m_geos.own(GEOSMaximumInscribedCircle_r(h, face.polygon.get(), tolerance));
  double length = 0.0;
  if (radius) GEOSLength_r(h, radius.get(), &length);
  return 2.0 * length;
}

bool BoundaryFaces::inHole(const Face& inner, const Face& outer) const {
  if (outer.holeArea <= 0.0 || &inner == &outer) return false;
  if (inner.minX < outer.minX || inner.maxX > outer.maxX || inner.minY < outer.minY || inner.maxY > outer.maxY)
    return false;
  return holds(outer.shell.get(), inner.inside) && !holds(outer.polygon.get(), inner.inside);
}

std::vector<AcGePoint2d> BoundaryFaces::ringPoints(const GEOSGeometry* ring) const {
  GEOSContextHandle_t h = m_geos.handle();
  const GEOSCoordSequence* sequence = GEOSGeom_getCoordSeq_r(h, ring);
  unsigned int size = 0;
  GEOSCoordSeq_getSize_r(h, sequence, &size);
  std::vector<AcGePoint2d> points(size);
  for (unsigned int i = 0; i < size; ++i) GEOSCoordSeq_getXY_r(h, sequence, i, &points[i].x, &points[i].y);
  return points;
}

BoundaryRegion BoundaryFaces::region(const Face& face) const {
  GEOSContextHandle_t h = m_geos.handle();
  BoundaryRegion region;
  region.outline = m_arcs.loop(ringPoints(GEOSGetExteriorRing_r(h, face.polygon.get())));
  const int holes = GEOSGetNumInteriorRings_r(h, face.polygon.get());
  for (int i = 0; i < holes; ++i)
    region.islands.push_back(m_arcs.loop(ringPoints(GEOSGetInteriorRingN_r(h, face.polygon.get(), i))));
  return region;
}
