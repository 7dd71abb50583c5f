#include "AcDbArc.h"

#include <algorithm>
#include <cmath>

#include "AcGeConstants.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbArc, AcDbCurve, L"ARC")

namespace {
constexpr std::string_view kCircleMarker = "AcDbCircle";
constexpr std::string_view kMarker = "AcDbArc";
constexpr double kDegrees = 180.0 / kPi;
}  // namespace

AcDbArc::AcDbArc() = default;

AcDbArc::AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle,
                 double endAngle)
    : m_center(center), m_normal(normal.normal()), m_radius(radius), m_startAngle(startAngle), m_endAngle(endAngle) {}

Acad::ErrorStatus AcDbArc::setCenter(const AcGePoint3d& center) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_center = center;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setRadius(double radius) {
  if (radius <= 0.0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_radius = radius;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setStartAngle(double angle) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_startAngle = angle;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::setEndAngle(double angle) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_endAngle = angle;
  return Acad::eOk;
}

double AcDbArc::totalAngle() const {
  const double sweep = std::fmod(m_endAngle - m_startAngle, 2.0 * kPi);
  // Equal angles are a whole turn, as CAD programs draw them.
  return sweep <= 1e-12 ? sweep + 2.0 * kPi : sweep;
}

Acad::ErrorStatus AcDbArc::getStartParam(double& param) const {
  param = m_startAngle;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getEndParam(double& param) const {
  param = m_startAngle + totalAngle();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getPointAtParam(double param, AcGePoint3d& point) const {
  const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(m_normal);
  point = m_center + toWorld * AcGeVector3d(m_radius * std::cos(param), m_radius * std::sin(param), 0.0);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getDistAtParam(double param, double& dist) const {
  if (param < m_startAngle - 1e-12 || param > m_startAngle + totalAngle() + 1e-12) return Acad::eInvalidInput;
  dist = m_radius * (param - m_startAngle);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getArea(double& area) const {
  // The segment between the arc and its chord.
  const double sweep = totalAngle();
  area = 0.5 * m_radius * m_radius * (sweep - std::sin(sweep));
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::getGeomExtents(AcDbExtents& extents) const {
  extents = AcDbExtents();
  AcGePoint3d point;
  const double sweep = totalAngle();
  // The box of an arc in a tilted plane is found closely enough at every
  // sixteenth of a turn; counted, as angles far from zero step unevenly.
  const int steps = std::isfinite(sweep) ? static_cast<int>(std::ceil(sweep / (kPi / 8.0))) : 0;
  for (int step = 0; step <= steps; ++step) {
    getPointAtParam(m_startAngle + sweep * step / std::max(steps, 1), point);
    extents.addPoint(point);
  }
  // In its own plane the box touches the quarter turns the arc passes.
  for (int quarter = 0; quarter < 4; ++quarter) {
    const double angle = quarter * kPi / 2.0;
    double past = std::fmod(angle - m_startAngle, 2.0 * kPi);
    if (past < 0.0) past += 2.0 * kPi;
    if (past > sweep) continue;
    getPointAtParam(angle, point);
    extents.addPoint(point);
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbArc::transformBy(const AcGeMatrix3d& transform) {
  if (!transform.isUniScaledOrtho()) return Acad::eNotApplicable;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  AcGePoint3d start, end;
  getPointAtParam(m_startAngle, start);
  getPointAtParam(m_startAngle + totalAngle(), end);
  m_center.transformBy(transform);
  m_normal = (transform * m_normal).normal();
  m_radius *= transform.scale();
  // A mirror turns the arc the other way round: its ends change places.
  if (transform.det() < 0.0) std::swap(start, end);
  const AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(m_normal);
  const AcGeVector3d fromCenter = toPlane * (start.transformBy(transform) - m_center);
  const AcGeVector3d toCenter = toPlane * (end.transformBy(transform) - m_center);
  m_startAngle = std::atan2(fromCenter.y, fromCenter.x);
  m_endAngle = std::atan2(toCenter.y, toCenter.x);
  return Acad::eOk;
}

void AcDbArc::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbCurve::dxfGroups(groups);
  groups.push_back({kCircleMarker, 0});
  groups.push_back({kMarker, 0});
}

bool AcDbArc::dxfOwns(const DxfGroup& group, int code) const {
  if (group.is(kMarker)) return code == 50 || code == 51;
  if (!group.is(kCircleMarker)) return AcDbCurve::dxfOwns(group, code);
  return code == 10 || code == 20 || code == 30 || code == 40 || code == 39 || code == 210 || code == 220 ||
         code == 230;
}

void AcDbArc::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker) && !group.is(kCircleMarker)) return AcDbCurve::dxfInField(group, in);
  switch (in.code()) {
    case 10: m_center.x = in.real(); break;
    case 20: m_center.y = in.real(); break;
    case 30: m_center.z = in.real(); break;
    case 40: m_radius = in.real(); break;
    case 39: m_thickness = in.real(); break;
    case 210: m_normal.x = in.real(); break;
    case 220: m_normal.y = in.real(); break;
    case 230: m_normal.z = in.real(); break;
    case 50: m_startAngle = in.real() / kDegrees; break;
    case 51: m_endAngle = in.real() / kDegrees; break;
  }
}

void AcDbArc::dxfInDone(DxfInFiler&) {
  // The file gives the centre in the arc's own plane.
  m_center = AcGeMatrix3d::planeToWorld(m_normal) * m_center;
}

void AcDbArc::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (group.is(kMarker)) {
    out.real(50, m_startAngle * kDegrees);
    out.real(51, m_endAngle * kDegrees);
    return;
  }
  if (!group.is(kCircleMarker)) return AcDbCurve::dxfOutFields(group, out);
  if (m_thickness != 0.0) out.real(39, m_thickness);
  out.point(10, AcGeMatrix3d::worldToPlane(m_normal) * m_center);
  out.real(40, m_radius);
  if (m_normal != AcGeVector3d::kZAxis) out.vector(210, m_normal);
}
