#include "BoundaryLinework.h"

#include <algorithm>
#include <cmath>

#include "AcDbArc.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbCircle.h"
#include "AcDbCurve.h"
#include "AcDbDatabase.h"
#include "AcDbLayerTableRecord.h"
#include "AcDbLine.h"
#include "AcDbPolyline.h"
#include "AcDbStub.h"
#include "AcGeConstants.h"

namespace {

// Deeper nesting than this is a block that contains itself.
constexpr int kDeepest = 32;

AcGePoint2d flat(const AcGePoint3d& point) { return {point.x, point.y}; }

AcGePoint2d placed(const AcGeMatrix3d& transform, const AcGePoint3d& point) { return flat(transform * point); }

// Seen from above, a circle stays a circle when the plane's axes stay
// square and level.
bool keepsCircles(const AcGeMatrix3d& transform) {
  const AcGeVector3d x = transform * AcGeVector3d::kXAxis, y = transform * AcGeVector3d::kYAxis;
  const double size = x.length();
  const double slack = 1e-9 * std::max(1.0, size);
  return std::fabs(y.length() - size) <= slack && std::fabs(x.dotProduct(y)) <= slack * size &&
         std::fabs(x.z) <= slack && std::fabs(y.z) <= slack;
}

bool mirrors(const AcGeMatrix3d& transform) {
  const AcGeVector3d x = transform * AcGeVector3d::kXAxis, y = transform * AcGeVector3d::kYAxis;
  return x.x * y.y - x.y * y.x < 0.0;
}

// An arc of the entity's own plane (given by the transform into world
// XY), seen from above; a transform that does not keep circles round gives
// chords.
void addArc(const AcGeMatrix3d& transform, const AcGePoint3d& centre, double radius, double from, double to,
            std::vector<BoundaryCurve>& curves) {
  while (to <= from) to += 2.0 * kPi;
  if (keepsCircles(transform)) {
    const AcGePoint2d c = placed(transform, centre);
    const AcGePoint2d s = placed(transform, centre + AcGeVector3d(radius * std::cos(from), radius * std::sin(from), 0));
    const AcGePoint2d e = placed(transform, centre + AcGeVector3d(radius * std::cos(to), radius * std::sin(to), 0));
    const double scaled = c.distanceTo(s);
    double a = std::atan2(s.y - c.y, s.x - c.x), b = std::atan2(e.y - c.y, e.x - c.x);
    if (mirrors(transform)) std::swap(a, b);
    const bool full = to - from >= 2.0 * kPi - 1e-12;
    curves.push_back(BoundaryCurve::arc(c, scaled, a, full ? a : b));
    return;
  }
  const int steps = std::max(8, static_cast<int>(std::ceil((to - from) / (kPi / 90.0))));
  AcGePoint2d last;
  for (int i = 0; i <= steps; ++i) {
    const double angle = from + (to - from) * i / steps;
    const AcGePoint2d point =
        placed(transform, centre + AcGeVector3d(radius * std::cos(angle), radius * std::sin(angle), 0));
    if (i > 0) curves.push_back(BoundaryCurve::segment(last, point));
    last = point;
  }
}

void addPolyline(const AcDbPolyline& polyline, const AcGeMatrix3d& transform, std::vector<BoundaryCurve>& curves) {
  const unsigned int count = polyline.numVerts();
  const unsigned int segments = polyline.isClosed() ? count : (count > 0 ? count - 1 : 0);
  // Vertices are in the polyline's plane; the world places them.
  const AcGeMatrix3d toWorld = transform * AcGeMatrix3d::planeToWorld(polyline.normal()) *
                               AcGeMatrix3d::translation(AcGeVector3d(0, 0, polyline.elevation()));
  for (unsigned int i = 0; i < segments; ++i) {
    AcGePoint2d a, b;
    double bulge = 0.0;
    polyline.getPointAt(i, a);
    polyline.getPointAt((i + 1) % count, b);
    polyline.getBulgeAt(i, bulge);
    if (a == b) continue;
    if (bulge == 0.0) {
      curves.push_back(BoundaryCurve::segment(placed(toWorld, {a.x, a.y, 0}), placed(toWorld, {b.x, b.y, 0})));
      continue;
    }
    const BoundaryCurve local = BoundaryCurve::bulged(a, b, bulge);
    addArc(toWorld, {local.centre.x, local.centre.y, 0}, local.radius, local.startAngle, local.endAngle, curves);
  }
}

// Any other curve (ellipses, splines) as chords through points along it;
// whole parameters fall on the chords' ends, so curves whose vertices are
// whole parameters keep their corners.
void addSampled(const AcDbCurve& curve, const AcGeMatrix3d& transform, std::vector<BoundaryCurve>& curves) {
  double start = 0.0, end = 0.0;
  if (curve.getStartParam(start) != Acad::eOk || curve.getEndParam(end) != Acad::eOk || !(end > start)) return;
  const int steps = static_cast<int>(std::min(4096.0, std::max(64.0, 16.0 * std::ceil(end - start))));
  AcGePoint2d last;
  for (int i = 0; i <= steps; ++i) {
    AcGePoint3d point;
    if (curve.getPointAtParam(start + (end - start) * i / steps, point) != Acad::eOk) return;
    const AcGePoint2d here = placed(transform, point);
    if (i > 0 && here != last) curves.push_back(BoundaryCurve::segment(last, here));
    last = here;
  }
}

}  // namespace

BoundaryLinework::BoundaryLinework(const std::wstring& counted, const std::wstring& ignored)
    : m_counted(counted.empty() ? L"*" : counted), m_ignored(ignored), m_ignoresAny(!ignored.empty()) {}

std::vector<BoundaryCurve> BoundaryLinework::collect(AcDbDatabase& database) const {
  std::vector<BoundaryCurve> curves;
  addBlock(database.modelSpaceId(), AcGeMatrix3d(), L"", 0, curves);
  return curves;
}

void BoundaryLinework::addBlock(AcDbObjectId blockId, const AcGeMatrix3d& transform,
                                const std::wstring& inheritedLayer, int depth,
                                std::vector<BoundaryCurve>& curves) const {
  const auto* block = residentObject<AcDbBlockTableRecord>(blockId);
  if (block == nullptr || depth > kDeepest) return;
  for (const AcDbObjectId& id : block->entityIds()) {
    const auto* entity = residentObject<AcDbEntity>(id);
    if (entity == nullptr) continue;
    // Layer "0" inside a block takes the reference's layer.
    std::wstring layer = entity->layer();
    if (!inheritedLayer.empty() && layer == L"0") layer = inheritedLayer;
    if (counts(*entity, layer)) addEntity(*entity, transform, layer, depth, curves);
  }
}

bool BoundaryLinework::counts(const AcDbEntity& entity, const std::wstring& layer) const {
  if (entity.visibility() != AcDb::kVisible) return false;
  if (const auto* record = residentObject<AcDbLayerTableRecord>(entity.layerId()))
    if (record->isOff() || record->isFrozen()) return false;
  return m_counted.matches(layer) && !(m_ignoresAny && m_ignored.matches(layer));
}

void BoundaryLinework::addEntity(const AcDbEntity& entity, const AcGeMatrix3d& transform, const std::wstring& layer,
                                 int depth, std::vector<BoundaryCurve>& curves) const {
  if (const auto* line = AcDbLine::cast(&entity)) {
    curves.push_back(BoundaryCurve::segment(placed(transform, line->startPoint()), placed(transform, line->endPoint())));
  } else if (const auto* polyline = AcDbPolyline::cast(&entity)) {
    addPolyline(*polyline, transform, curves);
  } else if (const auto* circle = AcDbCircle::cast(&entity)) {
    const AcGeMatrix3d plane = transform * AcGeMatrix3d::translation(circle->center().asVector()) *
                               AcGeMatrix3d::planeToWorld(circle->normal());
    addArc(plane, AcGePoint3d::kOrigin, circle->radius(), 0.0, 2.0 * kPi, curves);
  } else if (const auto* arc = AcDbArc::cast(&entity)) {
    const AcGeMatrix3d plane = transform * AcGeMatrix3d::translation(arc->center().asVector()) *
                               AcGeMatrix3d::planeToWorld(arc->normal());
    addArc(plane, AcGePoint3d::kOrigin, arc->radius(), arc->startAngle(), arc->endAngle(), curves);
  } else if (const auto* reference = AcDbBlockReference::cast(&entity)) {
    addBlock(reference->blockTableRecord(), transform * reference->blockTransform(), layer, depth + 1, curves);
  } else if (const auto* curve = AcDbCurve::cast(&entity)) {
    addSampled(*curve, transform, curves);
  }
}
