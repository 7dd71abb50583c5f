// A NURBS curve: its degree, knots, control points and weights (all 1 when
// it is not rational), or only the points it was fitted through.
#pragma once

#include <optional>
#include <vector>

#include "AcDbCurve.h"

class AcDbSpline : public AcDbCurve {
  ACRX_DECLARE_MEMBERS(AcDbSpline)

 public:
  AcDbSpline();
  // A non-rational spline; the knots number the control points plus degree plus one.
  AcDbSpline(int degree, const std::vector<AcGePoint3d>& controlPoints, const std::vector<double>& knots);

  int degree() const { return m_degree; }
  bool isRational() const { return !m_weights.empty(); }
  bool isClosed() const override { return (m_flags & 1) != 0; }
  int numControlPoints() const { return static_cast<int>(m_controlPoints.size()); }
  const std::vector<AcGePoint3d>& controlPoints() const { return m_controlPoints; }
  const std::vector<double>& knots() const { return m_knots; }
  // Empty when the spline is not rational.
  const std::vector<double>& weights() const { return m_weights; }
  int numFitPoints() const { return static_cast<int>(m_fitPoints.size()); }
  const std::vector<AcGePoint3d>& fitPoints() const { return m_fitPoints; }
  AcGeVector3d normal() const { return m_normal; }
  // Whether knots, weights and control points agree in number, so the
  // curve can be evaluated.
  bool hasValidNurbsData() const;

  // The parameter runs over the knots the curve is defined on.
  Acad::ErrorStatus getStartParam(double& param) const override;
  Acad::ErrorStatus getEndParam(double& param) const override;
  Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
  // The box of the control points (or fit points), which holds the curve.
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  Acad::ErrorStatus transformBy(const AcGeMatrix3d& transform) override;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  static void readPoint(std::vector<AcGePoint3d>& points, int axis, double value);

  int m_flags = 8;  // planar
  int m_degree = 3;
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
  bool m_hasNormal = false;
  // Knot, control point and fit tolerances, written back only when given.
  std::optional<double> m_tolerances[3];
  std::vector<AcGePoint3d> m_tangents[2];  // start and end, when given
  std::vector<double> m_knots;
  std::vector<double> m_weights;
  std::vector<AcGePoint3d> m_controlPoints;
  std::vector<AcGePoint3d> m_fitPoints;
};
