#include "AcDbSpline.h"

#include <algorithm>

#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbSpline, AcDbCurve, L"SPLINE")

namespace {
constexpr std::string_view kMarker = "AcDbSpline";
constexpr int kRational = 4;
// Beyond any real curve; a file claiming more is broken and is not evaluated.
constexpr int kMaxDegree = 32;
}  // namespace

AcDbSpline::AcDbSpline() = default;

AcDbSpline::AcDbSpline(int degree, const std::vector<AcGePoint3d>& controlPoints, const std::vector<double>& knots)
    : m_degree(degree), m_knots(knots), m_controlPoints(controlPoints) {}

bool AcDbSpline::hasValidNurbsData() const {
  const size_t count = m_controlPoints.size();
  return m_degree >= 1 && m_degree <= kMaxDegree && count > static_cast<size_t>(m_degree) &&
         m_knots.size() == count + m_degree + 1 && (m_weights.empty() || m_weights.size() == count) &&
         m_knots[m_degree] < m_knots[count] && std::is_sorted(m_knots.begin(), m_knots.end());
}

Acad::ErrorStatus AcDbSpline::getStartParam(double& param) const {
  if (!hasValidNurbsData()) return Acad::eNotApplicable;
  param = m_knots[m_degree];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getEndParam(double& param) const {
  if (!hasValidNurbsData()) return Acad::eNotApplicable;
  param = m_knots[m_controlPoints.size()];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getPointAtParam(double param, AcGePoint3d& point) const {
  if (!hasValidNurbsData()) return Acad::eNotApplicable;
  const size_t count = m_controlPoints.size();
  const size_t degree = static_cast<size_t>(m_degree);
  if (param < m_knots[degree] || param > m_knots[count]) return Acad::eInvalidInput;
  // De Boor's algorithm in homogeneous coordinates.
  size_t span = degree;
  while (span + 1 < count && m_knots[span + 1] <= param) ++span;
  struct Weighted {
    double x, y, z, w;
  };
  std::vector<Weighted> work(degree + 1);
  for (size_t j = 0; j <= degree; ++j) {
    const size_t index = span - degree + j;
    const double weight = m_weights.empty() ? 1.0 : m_weights[index];
    const AcGePoint3d& p = m_controlPoints[index];
    work[j] = {p.x * weight, p.y * weight, p.z * weight, weight};
  }
  for (size_t r = 1; r <= degree; ++r) {
    for (size_t j = degree; j >= r; --j) {
      const size_t index = span - degree + j;
      const double denominator = m_knots[index + degree - r + 1] - m_knots[index];
      const double alpha = denominator == 0.0 ? 0.0 : (param - m_knots[index]) / denominator;
      Weighted& into = work[j];
      const Weighted& before = work[j - 1];
      into = {(1 - alpha) * before.x + alpha * into.x, (1 - alpha) * before.y + alpha * into.y,
              (1 - alpha) * before.z + alpha * into.z, (1 - alpha) * before.w + alpha * into.w};
    }
  }
  const Weighted& result = work[degree];
  if (result.w == 0.0) return Acad::eInvalidInput;
  point = AcGePoint3d(result.x / result.w, result.y / result.w, result.z / result.w);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSpline::getGeomExtents(AcDbExtents& extents) const {
  extents = AcDbExtents();
  for (const AcGePoint3d& point : m_controlPoints.empty() ? m_fitPoints : m_controlPoints) extents.addPoint(point);
  return extents.isValid() ? Acad::eOk : Acad::eNotApplicable;
}

Acad::ErrorStatus AcDbSpline::transformBy(const AcGeMatrix3d& transform) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  for (auto* points : {&m_controlPoints, &m_fitPoints})
    for (AcGePoint3d& point : *points) point.transformBy(transform);
  // Tangents are directions: they turn but do not move.
  for (auto& tangent : m_tangents)
    for (AcGePoint3d& direction : tangent) direction = AcGePoint3d::kOrigin + transform * direction.asVector();
  const AcGeVector3d normal = transform * m_normal;
  if (!normal.isZeroLength()) m_normal = normal.normal();
  return Acad::eOk;
}

void AcDbSpline::readPoint(std::vector<AcGePoint3d>& points, int axis, double value) {
  // A point begins at its x; a y or z without one is the file's fault and starts one too.
  if (axis == 0 || points.empty()) points.emplace_back();
  points.back()[axis] = value;
}

void AcDbSpline::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbCurve::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbSpline::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbCurve::dxfOwns(group, code);
  switch (code) {
    case 210: case 220: case 230: case 70: case 71: case 72: case 73: case 74: case 42: case 43: case 44:
    case 12: case 22: case 32: case 13: case 23: case 33: case 40: case 41:
    case 10: case 20: case 30: case 11: case 21: case 31:
      return true;
    default:
      return false;
  }
}

void AcDbSpline::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbCurve::dxfInField(group, in);
  const int code = in.code();
  switch (code) {
    case 210: case 220: case 230:
      m_normal[code / 10 - 21] = in.real();
      m_hasNormal = true;
      break;
    case 70: m_flags = static_cast<int>(in.integer()); break;
    case 71: m_degree = static_cast<int>(in.integer()); break;
    case 42: case 43: case 44: m_tolerances[code - 42] = in.real(); break;
    case 12: case 22: case 32: readPoint(m_tangents[0], code / 10 - 1, in.real()); break;
    case 13: case 23: case 33: readPoint(m_tangents[1], code / 10 - 1, in.real()); break;
    case 40: m_knots.push_back(in.real()); break;
    case 41: m_weights.push_back(in.real()); break;
    case 10: case 20: case 30: readPoint(m_controlPoints, code / 10 - 1, in.real()); break;
    case 11: case 21: case 31: readPoint(m_fitPoints, code / 10 - 1, in.real()); break;
  }
}

void AcDbSpline::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbCurve::dxfOutFields(group, out);
  if (m_hasNormal || m_normal != AcGeVector3d::kZAxis) out.vector(210, m_normal);
  out.integer(70, m_weights.empty() ? m_flags & ~kRational : m_flags | kRational);
  out.integer(71, m_degree);
  out.integer(72, static_cast<long long>(m_knots.size()));
  out.integer(73, static_cast<long long>(m_controlPoints.size()));
  out.integer(74, static_cast<long long>(m_fitPoints.size()));
  for (int index = 0; index < 3; ++index)
    if (m_tolerances[index]) out.real(42 + index, *m_tolerances[index]);
  for (const AcGePoint3d& tangent : m_tangents[0]) out.point(12, tangent);
  for (const AcGePoint3d& tangent : m_tangents[1]) out.point(13, tangent);
  for (double knot : m_knots) out.real(40, knot);
  for (double weight : m_weights) out.real(41, weight);
  for (const AcGePoint3d& point : m_controlPoints) out.point(10, point);
  for (const AcGePoint3d& point : m_fitPoints) out.point(11, point);
}
