#include "AcDbEllipse.h"

#include <algorithm>
#include <cmath>

#include "AcGeConstants.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbEllipse, AcDbCurve, L"ELLIPSE")

namespace {
constexpr std::string_view kMarker = "AcDbEllipse";
}  // namespace

AcDbEllipse::AcDbEllipse() = default;

AcDbEllipse::AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& majorAxis,
                         double radiusRatio, double startParam, double endParam)
    : m_center(center), m_majorAxis(majorAxis), m_normal(normal.normal()), m_radiusRatio(radiusRatio),
      m_startParam(startParam), m_endParam(endParam) {}

AcGeVector3d AcDbEllipse::minorAxis() const { return m_normal.crossProduct(m_majorAxis) * m_radiusRatio; }

Acad::ErrorStatus AcDbEllipse::set(const AcGePoint3d& center, const AcGeVector3d& normal,
                                   const AcGeVector3d& majorAxis, double radiusRatio, double startParam,
                                   double endParam) {
  if (normal.isZeroLength() || majorAxis.isZeroLength() || radiusRatio <= 0.0 || radiusRatio > 1.0)
    return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_center = center;
  m_normal = normal.normal();
  m_majorAxis = majorAxis;
  m_radiusRatio = radiusRatio;
  m_startParam = startParam;
  m_endParam = endParam;
  return Acad::eOk;
}

double AcDbEllipse::sweep() const {
  const double sweep = std::fmod(m_endParam - m_startParam, 2.0 * kPi);
  return sweep <= 1e-12 ? sweep + 2.0 * kPi : sweep;
}

bool AcDbEllipse::isClosed() const { return sweep() >= 2.0 * kPi - 1e-12; }

Acad::ErrorStatus AcDbEllipse::getStartParam(double& param) const {
  param = m_startParam;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getEndParam(double& param) const {
  param = m_startParam + sweep();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getPointAtParam(double param, AcGePoint3d& point) const {
  point = m_center + m_majorAxis * std::cos(param) + minorAxis() * std::sin(param);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::getGeomExtents(AcDbExtents& extents) const {
  // The box of an ellipse is found closely enough at every sixty-fourth of
  // a turn; counted, as parameters far from zero step unevenly.
  extents = AcDbExtents();
  AcGePoint3d point;
  const double turned = sweep();
  const int steps = std::isfinite(turned) ? static_cast<int>(std::ceil(turned / (kPi / 32.0))) : 0;
  for (int step = 0; step <= steps; ++step) {
    getPointAtParam(m_startParam + turned * step / std::max(steps, 1), point);
    extents.addPoint(point);
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEllipse::transformBy(const AcGeMatrix3d& transform) {
  if (!transform.isUniScaledOrtho()) return Acad::eNotApplicable;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_center.transformBy(transform);
  m_majorAxis = transform * m_majorAxis;
  m_normal = (transform * m_normal).normal();
  // A mirror runs the parameter the other way round.
  if (transform.det() < 0.0) {
    const double start = m_startParam;
    m_startParam = -m_endParam;
    m_endParam = -start;
  }
  return Acad::eOk;
}

void AcDbEllipse::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbCurve::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbEllipse::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbCurve::dxfOwns(group, code);
  switch (code) {
    case 10: case 20: case 30: case 11: case 21: case 31: case 210: case 220: case 230: case 40: case 41: case 42:
      return true;
    default:
      return false;
  }
}

void AcDbEllipse::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbCurve::dxfInField(group, in);
  switch (in.code()) {
    case 10: m_center.x = in.real(); break;
    case 20: m_center.y = in.real(); break;
    case 30: m_center.z = in.real(); break;
    case 11: m_majorAxis.x = in.real(); break;
    case 21: m_majorAxis.y = in.real(); break;
    case 31: m_majorAxis.z = in.real(); break;
    case 210: case 220: case 230:
      m_normal[in.code() / 10 - 21] = in.real();
      m_hasNormal = true;
      break;
    case 40: m_radiusRatio = in.real(); break;
    case 41: m_startParam = in.real(); break;
    case 42: m_endParam = in.real(); break;
  }
}

void AcDbEllipse::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbCurve::dxfOutFields(group, out);
  out.point(10, m_center);
  out.vector(11, m_majorAxis);
  if (m_hasNormal || m_normal != AcGeVector3d::kZAxis) out.vector(210, m_normal);
  out.real(40, m_radiusRatio);
  out.real(41, m_startParam);
  out.real(42, m_endParam);
}
