#include "AcDbPolyline.h"

#include <cmath>

#include "AcGeConstants.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbPolyline, AcDbCurve, L"LWPOLYLINE")

namespace {

constexpr std::string_view kMarker = "AcDbPolyline";

struct Arc {
  AcGePoint2d center;
  double radius;
  double startAngle;
  double sweep;  // signed, counter-clockwise positive
};

Arc arcOf(const AcGePoint2d& start, const AcGePoint2d& end, double bulge) {
  const double dx = end.x - start.x, dy = end.y - start.y;
  const double offset = (1.0 - bulge * bulge) / (4.0 * bulge);
  const AcGePoint2d center(start.x + dx / 2.0 - dy * offset, start.y + dy / 2.0 + dx * offset);
  return {center, center.distanceTo(start), std::atan2(start.y - center.y, start.x - center.x), 4.0 * std::atan(bulge)};
}

double segmentLength(const AcGePoint2d& start, const AcGePoint2d& end, double bulge) {
  const double chord = start.distanceTo(end);
  if (bulge == 0.0 || chord == 0.0) return chord;
  const double sweep = 4.0 * std::atan(std::fabs(bulge));
  return chord / (2.0 * std::sin(sweep / 2.0)) * sweep;
}

}  // namespace

AcDbPolyline::AcDbPolyline() = default;

AcDbPolyline::AcDbPolyline(unsigned int reservedVertices) { m_vertices.reserve(reservedVertices); }

Acad::ErrorStatus AcDbPolyline::addVertexAt(unsigned int index, const AcGePoint2d& point, double bulge,
                                            double startWidth, double endWidth) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  if (index > m_vertices.size()) index = numVerts();
  m_vertices.insert(m_vertices.begin() + index, Vertex{point, bulge});
  const Widths widths{startWidth < 0.0 ? m_constantWidth : startWidth, endWidth < 0.0 ? m_constantWidth : endWidth, 0};
  if (!m_widths.empty() || widths.start != 0.0 || widths.end != 0.0) {
    m_widths.resize(m_vertices.size() - 1);
    m_widths.insert(m_widths.begin() + index, widths);
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::removeVertexAt(unsigned int index) {
  if (index >= numVerts()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_vertices.erase(m_vertices.begin() + index);
  if (!m_widths.empty()) m_widths.erase(m_widths.begin() + index);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint3d& point) const {
  if (index >= numVerts()) return Acad::eInvalidInput;
  point = toWorld(m_vertices[index].point);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAt(unsigned int index, AcGePoint2d& point) const {
  if (index >= numVerts()) return Acad::eInvalidInput;
  point = m_vertices[index].point;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setPointAt(unsigned int index, const AcGePoint2d& point) {
  if (index >= numVerts()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_vertices[index].point = point;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getBulgeAt(unsigned int index, double& bulge) const {
  if (index >= numVerts()) return Acad::eInvalidInput;
  bulge = m_vertices[index].bulge;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setBulgeAt(unsigned int index, double bulge) {
  if (index >= numVerts()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_vertices[index].bulge = bulge;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const {
  if (index >= numVerts()) return Acad::eInvalidInput;
  startWidth = widthsAt(index).start;
  endWidth = widthsAt(index).end;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setWidthsAt(unsigned int index, double startWidth, double endWidth) {
  if (index >= numVerts() || startWidth < 0.0 || endWidth < 0.0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  Widths& widths = ensureWidths(index);
  widths.start = startWidth;
  widths.end = endWidth;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getConstantWidth(double& width) const {
  width = m_constantWidth;
  for (unsigned int i = 0; i < numVerts(); ++i)
    if (widthsAt(i).start != m_constantWidth || widthsAt(i).end != m_constantWidth) return Acad::eNotApplicable;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setConstantWidth(double width) {
  if (width < 0.0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_constantWidth = width;
  m_widths.resize(m_vertices.size());
  for (Widths& widths : m_widths) widths.start = widths.end = width;
  return Acad::eOk;
}

bool AcDbPolyline::isOnlyLines() const {
  for (unsigned int i = 0; i < segmentCount(); ++i)
    if (m_vertices[i].bulge != 0.0) return false;
  return true;
}

void AcDbPolyline::setClosed(bool closed) {
  if (assertWriteEnabled()) m_closed = closed;
}

void AcDbPolyline::setElevation(double elevation) {
  if (assertWriteEnabled()) m_elevation = elevation;
}

Acad::ErrorStatus AcDbPolyline::setNormal(const AcGeVector3d& normal) {
  if (normal.isZeroLength()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_normal = normal.normal();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::setThickness(double thickness) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_thickness = thickness;
  return Acad::eOk;
}

void AcDbPolyline::setPlinegen(bool plinegen) {
  if (assertWriteEnabled()) m_plinegen = plinegen;
}

AcDbPolyline::Widths AcDbPolyline::widthsAt(unsigned int index) const {
  return index < m_widths.size() ? m_widths[index] : Widths{};
}

AcDbPolyline::Widths& AcDbPolyline::ensureWidths(unsigned int index) {
  m_widths.resize(m_vertices.size());
  return m_widths[index];
}

unsigned int AcDbPolyline::segmentCount() const {
  if (m_vertices.empty()) return 0;
  return m_closed ? numVerts() : numVerts() - 1;
}

void AcDbPolyline::segment(unsigned int index, AcGePoint2d& start, AcGePoint2d& end, double& bulge) const {
  start = m_vertices[index].point;
  end = m_vertices[(index + 1) % m_vertices.size()].point;
  bulge = m_vertices[index].bulge;
}

AcGePoint3d AcDbPolyline::toWorld(const AcGePoint2d& point) const {
  return AcGeMatrix3d::planeToWorld(m_normal) * AcGePoint3d(point.x, point.y, m_elevation);
}

Acad::ErrorStatus AcDbPolyline::getEndParam(double& param) const {
  if (m_vertices.empty()) return Acad::eNotApplicable;
  param = segmentCount();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getPointAtParam(double param, AcGePoint3d& point) const {
  const double end = segmentCount();
  if (m_vertices.empty() || param < 0.0 || param > end + 1e-12) return Acad::eInvalidInput;
  if (param >= end) return getPointAt(m_closed ? 0 : numVerts() - 1, point);
  const auto index = static_cast<unsigned int>(param);
  const double fraction = param - index;
  AcGePoint2d start, finish;
  double bulge;
  segment(index, start, finish, bulge);
  if (bulge == 0.0) {
    point = toWorld(AcGePoint2d(start.x + (finish.x - start.x) * fraction, start.y + (finish.y - start.y) * fraction));
  } else {
    const Arc arc = arcOf(start, finish, bulge);
    const double angle = arc.startAngle + arc.sweep * fraction;
    point = toWorld(AcGePoint2d(arc.center.x + arc.radius * std::cos(angle), arc.center.y + arc.radius * std::sin(angle)));
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getDistAtParam(double param, double& dist) const {
  const double end = segmentCount();
  if (m_vertices.empty() || param < 0.0 || param > end + 1e-12) return Acad::eInvalidInput;
  dist = 0.0;
  for (unsigned int i = 0; i < segmentCount() && i < param; ++i) {
    AcGePoint2d start, finish;
    double bulge;
    segment(i, start, finish, bulge);
    // Along an arc the parameter runs with the angle, so length is proportional.
    dist += segmentLength(start, finish, bulge) * std::min(1.0, param - i);
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getArea(double& area) const {
  double twice = 0.0;
  const size_t count = m_vertices.size();
  for (size_t i = 0; i < count; ++i) {
    const AcGePoint2d& a = m_vertices[i].point;
    const AcGePoint2d& b = m_vertices[(i + 1) % count].point;
    twice += a.x * b.y - b.x * a.y;
  }
  double arcs = 0.0;
  for (unsigned int i = 0; i < segmentCount(); ++i) {
    AcGePoint2d start, finish;
    double bulge;
    segment(i, start, finish, bulge);
    if (bulge == 0.0) continue;
    const Arc arc = arcOf(start, finish, bulge);
    // The circular segment between chord and arc, on the side the bulge says.
    arcs += arc.radius * arc.radius / 2.0 * (arc.sweep - std::sin(arc.sweep));
  }
  area = std::fabs(twice / 2.0 + arcs);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::getGeomExtents(AcDbExtents& extents) const {
  if (m_vertices.empty()) return Acad::eNotApplicable;
  extents = AcDbExtents();
  for (const Vertex& vertex : m_vertices) extents.addPoint(toWorld(vertex.point));
  for (unsigned int i = 0; i < segmentCount(); ++i) {
    AcGePoint2d start, finish;
    double bulge;
    segment(i, start, finish, bulge);
    if (bulge == 0.0) continue;
    const Arc arc = arcOf(start, finish, bulge);
    const double low = std::min(arc.startAngle, arc.startAngle + arc.sweep);
    const double high = std::max(arc.startAngle, arc.startAngle + arc.sweep);
    for (double quadrant = std::ceil(low / (kPi / 2.0)) * (kPi / 2.0); quadrant <= high; quadrant += kPi / 2.0)
      extents.addPoint(toWorld(AcGePoint2d(arc.center.x + arc.radius * std::cos(quadrant),
                                           arc.center.y + arc.radius * std::sin(quadrant))));
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPolyline::transformBy(const AcGeMatrix3d& transform) {
  if (!isOnlyLines() && !transform.isUniScaledOrtho()) return Acad::eNotApplicable;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  const AcGeVector3d normal = (transform * m_normal).normal();
  const AcGeMatrix3d toPlane = AcGeMatrix3d::worldToPlane(normal);
  // A reflection reverses the turn of every arc as seen from the new normal.
  const bool mirrored = transform.det() < 0.0;
  const double widthScale = transform.scale();
  double elevation = m_elevation;
  for (Vertex& vertex : m_vertices) {
    const AcGePoint3d moved = toPlane * (transform * toWorld(vertex.point));
    vertex.point.set(moved.x, moved.y);
    elevation = moved.z;
    if (mirrored) vertex.bulge = -vertex.bulge;
  }
  for (Widths& widths : m_widths) {
    widths.start *= widthScale;
    widths.end *= widthScale;
  }
  m_constantWidth *= widthScale;
  m_normal = normal;
  m_elevation = elevation;
  return Acad::eOk;
}

void AcDbPolyline::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbCurve::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbPolyline::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbCurve::dxfOwns(group, code);
  switch (code) {
    case 90: case 70: case 43: case 38: case 39: case 10: case 20: case 91: case 40: case 41: case 42:
    case 210: case 220: case 230:
      return true;
    default:
      return false;
  }
}

void AcDbPolyline::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbCurve::dxfInField(group, in);
  const int code = in.code();
  if (code == 10) {
    m_vertices.push_back(Vertex{AcGePoint2d(in.real(), 0.0), 0.0});
    return;
  }
  if (code == 20 || code == 91 || code == 40 || code == 41 || code == 42) {
    if (m_vertices.empty()) in.fail("group code " + std::to_string(code) + " before the first vertex");
    Vertex& vertex = m_vertices.back();
    const unsigned int last = numVerts() - 1;
    if (code == 20) vertex.point.y = in.real();
    if (code == 40) ensureWidths(last).start = in.real();
    if (code == 41) ensureWidths(last).end = in.real();
    if (code == 42) vertex.bulge = in.real();
    if (code == 91) {
      ensureWidths(last).identifier = static_cast<Adesk::Int32>(in.integer());
      m_identifiers = true;
    }
    return;
  }
  switch (code) {
    case 90:
      m_vertices.reserve(static_cast<size_t>(std::max(0LL, std::min(in.integer(), 1LL << 20))));
      break;
    case 70: {
      const long long flags = in.integer();
      m_closed = (flags & 1) != 0;
      m_plinegen = (flags & 128) != 0;
      break;
    }
    case 43:
      m_constantWidth = in.real();
      break;
    case 38:
      m_elevation = in.real();
      break;
    case 39:
      m_thickness = in.real();
      break;
    case 210:
      m_normal.x = in.real();
      break;
    case 220:
      m_normal.y = in.real();
      break;
    case 230:
      m_normal.z = in.real();
      break;
  }
}

void AcDbPolyline::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbCurve::dxfOutFields(group, out);
  out.integer(90, numVerts());
  out.integer(70, (m_closed ? 1 : 0) | (m_plinegen ? 128 : 0));
  if (m_constantWidth != 0.0) out.real(43, m_constantWidth);
  if (m_elevation != 0.0) out.real(38, m_elevation);
  if (m_thickness != 0.0) out.real(39, m_thickness);
  for (unsigned int i = 0; i < numVerts(); ++i) {
    const Vertex& vertex = m_vertices[i];
    out.point2d(10, vertex.point.x, vertex.point.y);
    const Widths widths = widthsAt(i);
    if (m_identifiers) out.integer(91, widths.identifier);
    if (widths.start != 0.0 || widths.end != 0.0) {
      out.real(40, widths.start);
      out.real(41, widths.end);
    }
    if (vertex.bulge != 0.0) out.real(42, vertex.bulge);
  }
  if (m_normal != AcGeVector3d::kZAxis) out.vector(210, m_normal);
}
