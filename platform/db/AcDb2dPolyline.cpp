#include "AcDb2dPolyline.h"

#include "AcDb2dVertex.h"
#include "AcDbDatabase.h"
#include "AcDbPolyline.h"
#include "AcDbSequenceEnd.h"
#include "AcDbStub.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDb2dPolyline, AcDbCurve, L"POLYLINE")

namespace {

constexpr std::string_view kMarker = "AcDb2dPolyline";
constexpr int kCurveFit = 2;
constexpr int kSplineFit = 4;
constexpr int kQuadraticSpline = 5;

const AcDb2dVertex* liveVertex(AcDbObjectId id) {
  const auto* vertex = residentObject<AcDb2dVertex>(id);
  return vertex != nullptr && !vertex->isErased() ? vertex : nullptr;
}

}  // namespace

AcDb2dPolyline::AcDb2dPolyline() = default;

AcDb::Poly2dType AcDb2dPolyline::polyType() const {
  if (m_flags & kSplineFit) return m_curveType == kQuadraticSpline ? AcDb::k2dQuadSplinePoly : AcDb::k2dCubicSplinePoly;
  if (m_flags & kCurveFit) return AcDb::k2dFitCurvePoly;
  return AcDb::k2dSimplePoly;
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDbObjectId& vertexId, AcDb2dVertex* vertex) {
  if (vertex == nullptr) return Acad::eNullObjectPointer;
  AcDbDatabase* db = database();
  if (db == nullptr) return Acad::eNotInDatabase;
  if (vertex->database() != nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  if (vertex->layerId().isNull()) vertex->setPropertiesFrom(this);
  const Acad::ErrorStatus status = db->addAcDbObject(vertexId, vertex);
  if (status != Acad::eOk) return status;
  vertex->setOwnerId(objectId());
  m_vertices.push_back(vertexId);
  if (m_sequenceEnd.isNull()) {
    auto end = std::make_unique<AcDbSequenceEnd>();
    end->setPropertiesFrom(this);
    db->addAcDbObject(m_sequenceEnd, end.get());
    end->setOwnerId(objectId());
    end.release()->close();
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::appendVertex(AcDb2dVertex* vertex) {
  AcDbObjectId id;
  return appendVertex(id, vertex);
}

std::unique_ptr<AcDbObjectIterator> AcDb2dPolyline::vertexIterator() const {
  return std::make_unique<AcDbObjectIterator>(m_vertices);
}

AcGePoint3d AcDb2dPolyline::vertexPosition(const AcDb2dVertex& vertex) const {
  const AcGePoint3d position = vertex.position();
  return AcGeMatrix3d::planeToWorld(m_normal) * AcGePoint3d(position.x, position.y, m_elevation);
}

Acad::ErrorStatus AcDb2dPolyline::setFlag(int flag, bool on) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_flags = static_cast<Adesk::Int16>(on ? m_flags | flag : m_flags & ~flag);
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::makeClosed() { return setFlag(kClosed, true); }

Acad::ErrorStatus AcDb2dPolyline::makeOpen() { return setFlag(kClosed, false); }

Acad::ErrorStatus AcDb2dPolyline::setLinetypeGenerationOn() { return setFlag(kLinetypeGeneration, true); }

Acad::ErrorStatus AcDb2dPolyline::setLinetypeGenerationOff() { return setFlag(kLinetypeGeneration, false); }

Acad::ErrorStatus AcDb2dPolyline::setElevation(double elevation) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_elevation = elevation;
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::setNormal(const AcGeVector3d& normal) {
  if (normal.isZeroLength()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_normal = normal.normal();
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::setThickness(double thickness) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_thickness = thickness;
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::setDefaultStartWidth(double width) {
  if (width < 0.0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_startWidth = width;
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dPolyline::setDefaultEndWidth(double width) {
  if (width < 0.0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_endWidth = width;
  return Acad::eOk;
}

std::unique_ptr<AcDbPolyline> AcDb2dPolyline::curve() const {
  auto polyline = std::make_unique<AcDbPolyline>(static_cast<unsigned int>(m_vertices.size()));
  polyline->setNormal(m_normal);
  polyline->setElevation(m_elevation);
  polyline->setClosed(isClosed());
  for (const AcDbObjectId& id : m_vertices) {
    const AcDb2dVertex* vertex = liveVertex(id);
    // The frame of a spline-fit polyline is not drawn.
    if (vertex == nullptr || vertex->vertexType() == AcDb::k2dSplineCtlVertex) continue;
    const AcGePoint3d position = vertex->position();
    polyline->addVertexAt(polyline->numVerts(), AcGePoint2d(position.x, position.y), vertex->bulge(),
                          vertex->startWidth(), vertex->endWidth());
  }
  return polyline;
}

Acad::ErrorStatus AcDb2dPolyline::getEndParam(double& param) const { return curve()->getEndParam(param); }

Acad::ErrorStatus AcDb2dPolyline::getPointAtParam(double param, AcGePoint3d& point) const {
  return curve()->getPointAtParam(param, point);
}

Acad::ErrorStatus AcDb2dPolyline::getDistAtParam(double param, double& dist) const {
  return curve()->getDistAtParam(param, dist);
}

Acad::ErrorStatus AcDb2dPolyline::getArea(double& area) const { return curve()->getArea(area); }

Acad::ErrorStatus AcDb2dPolyline::getGeomExtents(AcDbExtents& extents) const {
  return curve()->getGeomExtents(extents);
}

Acad::ErrorStatus AcDb2dPolyline::transformBy(const AcGeMatrix3d& transform) {
  if (!curve()->isOnlyLines() && !transform.isUniScaledOrtho()) return Acad::eNotApplicable;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  const AcGeVector3d normal = (transform * m_normal).normal();
  const AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(normal);
  // A reflection reverses the turn of every arc as seen from the new normal.
  const bool mirrored = transform.det() < 0.0;
  const double widthScale = transform.scale();
  double elevation = m_elevation;
  for (const AcDbObjectId& id : m_vertices) {
    AcDb2dVertex* vertex = nullptr;
    if (acdbOpenObject(vertex, id, AcDb::kForWrite) != Acad::eOk) continue;
    const AcGePoint3d moved = toPlane * (transform * vertexPosition(*vertex));
    vertex->setPosition(moved);
    elevation = moved.z;
    if (mirrored) vertex->setBulge(-vertex->bulge());
    vertex->setStartWidth(vertex->startWidth() * widthScale);
    vertex->setEndWidth(vertex->endWidth() * widthScale);
    vertex->close();
  }
  m_startWidth *= widthScale;
  m_endWidth *= widthScale;
  m_normal = normal;
  m_elevation = elevation;
  return Acad::eOk;
}

void AcDb2dPolyline::adoptFollower(AcDbObjectId follower, bool sequenceEnd) {
  if (sequenceEnd) {
    m_sequenceEnd = follower;
    return;
  }
  m_vertices.push_back(follower);
  if (auto* vertex = residentObject<AcDb2dVertex>(follower)) vertex->takeDefaultWidths(m_startWidth, m_endWidth);
}

void AcDb2dPolyline::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbCurve::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDb2dPolyline::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbCurve::dxfOwns(group, code);
  switch (code) {
    case 66: case 10: case 20: case 30: case 39: case 70: case 40: case 41: case 75: case 210: case 220: case 230:
      return true;
    default:
      return false;
  }
}

void AcDb2dPolyline::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbCurve::dxfInField(group, in);
  switch (in.code()) {
    case 10: case 20: in.real(); break;
    case 30: m_elevation = in.real(); break;
    case 39: m_thickness = in.real(); break;
    case 70: m_flags = static_cast<Adesk::Int16>(in.integer()); break;
    case 40: m_startWidth = in.real(); break;
    case 41: m_endWidth = in.real(); break;
    case 75: m_curveType = static_cast<Adesk::Int16>(in.integer()); break;
    case 210: m_normal.x = in.real(); break;
    case 220: m_normal.y = in.real(); break;
    case 230: m_normal.z = in.real(); break;
  }
}

void AcDb2dPolyline::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbCurve::dxfOutFields(group, out);
  out.integer(66, 1);
  out.point(10, AcGePoint3d(0.0, 0.0, m_elevation));
  if (m_thickness != 0.0) out.real(39, m_thickness);
  out.integer(70, m_flags);
  if (m_startWidth != 0.0) out.real(40, m_startWidth);
  if (m_endWidth != 0.0) out.real(41, m_endWidth);
  if (m_curveType != 0) out.integer(75, m_curveType);
  if (m_normal != AcGeVector3d::kZAxis) out.vector(210, m_normal);
}
