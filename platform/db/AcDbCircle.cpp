#include "AcDbCircle.h"

#include <algorithm>
#include <cmath>

#include "AcGeConstants.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbCircle, AcDbCurve, L"CIRCLE")

namespace {
constexpr std::string_view kMarker = "AcDbCircle";
}  // namespace

AcDbCircle::AcDbCircle() = default;

AcDbCircle::AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius)
    : m_center(center), m_normal(normal.normal()), m_radius(radius) {}

Acad::ErrorStatus AcDbCircle::setCenter(const AcGePoint3d& center) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_center = center;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setRadius(double radius) {
  if (radius <= 0.0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_radius = radius;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setNormal(const AcGeVector3d& normal) {
  if (normal.isZeroLength()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_normal = normal.normal();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::setThickness(double thickness) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_thickness = thickness;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getEndParam(double& param) const {
  param = 2.0 * kPi;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getPointAtParam(double param, AcGePoint3d& point) const {
  const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(m_normal);
  point = m_center + toWorld * AcGeVector3d(m_radius * std::cos(param), m_radius * std::sin(param), 0.0);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getDistAtParam(double param, double& dist) const {
  if (param < 0.0 || param > 2.0 * kPi + 1e-12) return Acad::eInvalidInput;
  dist = m_radius * param;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getArea(double& area) const {
  area = kPi * m_radius * m_radius;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::getGeomExtents(AcDbExtents& extents) const {
  AcGeVector3d reach;
  for (int axis = 0; axis < 3; ++axis)
    reach[axis] = m_radius * std::sqrt(std::max(0.0, 1.0 - m_normal[axis] * m_normal[axis]));
  extents = AcDbExtents(m_center - reach, m_center + reach);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCircle::transformBy(const AcGeMatrix3d& transform) {
  if (!transform.isUniScaledOrtho()) return Acad::eNotApplicable;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_center.transformBy(transform);
  m_normal = (transform * m_normal).normal();
  m_radius *= transform.scale();
  return Acad::eOk;
}

void AcDbCircle::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbCurve::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbCircle::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbCurve::dxfOwns(group, code);
  return code == 10 || code == 20 || code == 30 || code == 40 || code == 39 || code == 210 || code == 220 ||
         code == 230;
}

void AcDbCircle::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbCurve::dxfInField(group, in);
  switch (in.code()) {
    case 10: m_center.x = in.real(); break;
    case 20: m_center.y = in.real(); break;
    case 30: m_center.z = in.real(); break;
    case 40: m_radius = in.real(); break;
    case 39: m_thickness = in.real(); break;
    case 210: m_normal.x = in.real(); break;
    case 220: m_normal.y = in.real(); break;
    case 230: m_normal.z = in.real(); break;
  }
}

void AcDbCircle::dxfInDone(DxfInFiler&) {
  // The file gives the centre in the circle's own plane.
  m_center = AcGeMatrix3d::planeToWorld(m_normal) * m_center;
}

void AcDbCircle::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbCurve::dxfOutFields(group, out);
  if (m_thickness != 0.0) out.real(39, m_thickness);
  out.point(10, AcGeMatrix3d::worldToPlane(m_normal) * m_center);
  out.real(40, m_radius);
  if (m_normal != AcGeVector3d::kZAxis) out.vector(210, m_normal);
}
