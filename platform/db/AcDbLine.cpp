#include "AcDbLine.h"

#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbLine, AcDbCurve, L"LINE")

namespace {
constexpr std::string_view kMarker = "AcDbLine";
}

AcDbLine::AcDbLine() = default;

AcDbLine::AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end) : m_start(start), m_end(end) {}

Acad::ErrorStatus AcDbLine::setStartPoint(const AcGePoint3d& point) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_start = point;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setEndPoint(const AcGePoint3d& point) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_end = point;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setNormal(const AcGeVector3d& normal) {
  if (normal.isZeroLength()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_normal = normal.normal();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::setThickness(double thickness) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_thickness = thickness;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getEndParam(double& param) const {
  param = m_start.distanceTo(m_end);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getPointAtParam(double param, AcGePoint3d& point) const {
  const double length = m_start.distanceTo(m_end);
  if (param < 0.0 || param > length + 1e-12) return Acad::eInvalidInput;
  point = length == 0.0 ? m_start : m_start + (m_end - m_start) * (param / length);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getDistAtParam(double param, double& dist) const {
  if (param < 0.0 || param > m_start.distanceTo(m_end) + 1e-12) return Acad::eInvalidInput;
  dist = param;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getArea(double& area) const {
  area = 0.0;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::getGeomExtents(AcDbExtents& extents) const {
  extents = AcDbExtents();
  extents.addPoint(m_start);
  extents.addPoint(m_end);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLine::transformBy(const AcGeMatrix3d& transform) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_start.transformBy(transform);
  m_end.transformBy(transform);
  const AcGeVector3d normal = transform * m_normal;
  if (!normal.isZeroLength()) m_normal = normal.normal();
  return Acad::eOk;
}

void AcDbLine::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbCurve::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbLine::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbCurve::dxfOwns(group, code);
  switch (code) {
    case 39: case 10: case 20: case 30: case 11: case 21: case 31: case 210: case 220: case 230:
      return true;
    default:
      return false;
  }
}

void AcDbLine::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbCurve::dxfInField(group, in);
  switch (in.code()) {
    case 39: m_thickness = in.real(); break;
    case 10: m_start.x = in.real(); break;
    case 20: m_start.y = in.real(); break;
    case 30: m_start.z = in.real(); break;
    case 11: m_end.x = in.real(); break;
    case 21: m_end.y = in.real(); break;
    case 31: m_end.z = in.real(); break;
    case 210: m_normal.x = in.real(); break;
    case 220: m_normal.y = in.real(); break;
    case 230: m_normal.z = in.real(); break;
  }
}

void AcDbLine::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbCurve::dxfOutFields(group, out);
  if (m_thickness != 0.0) out.real(39, m_thickness);
  out.point(10, m_start);
  out.point(11, m_end);
  if (m_normal != AcGeVector3d::kZAxis) out.vector(210, m_normal);
}
