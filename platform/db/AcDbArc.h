// A circular arc, counter-clockwise about its normal from its start angle
// to its end angle, the angles measured in its own plane.
#pragma once

#include "AcDbCurve.h"

class AcDbArc : public AcDbCurve {
  ACRX_DECLARE_MEMBERS(AcDbArc)

 public:
  AcDbArc();
  AcDbArc(const AcGePoint3d& center, const AcGeVector3d& normal, double radius, double startAngle, double endAngle);

  AcGePoint3d center() const { return m_center; }
  Acad::ErrorStatus setCenter(const AcGePoint3d& center);
  double radius() const { return m_radius; }
  Acad::ErrorStatus setRadius(double radius);
  AcGeVector3d normal() const { return m_normal; }
  double thickness() const { return m_thickness; }
  double startAngle() const { return m_startAngle; }
  Acad::ErrorStatus setStartAngle(double angle);
  double endAngle() const { return m_endAngle; }
  Acad::ErrorStatus setEndAngle(double angle);
  // The angle swept, over 0 and up to a full turn.
  double totalAngle() const;

  // The parameter is the angle, from startAngle() to startAngle() + totalAngle().
  Acad::ErrorStatus getStartParam(double& param) const override;
  Acad::ErrorStatus getEndParam(double& param) const override;
  Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
  Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
  Acad::ErrorStatus getArea(double& area) const override;
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  Acad::ErrorStatus transformBy(const AcGeMatrix3d& transform) override;

 protected:
  ACDB_DECLARE_DXF_FIELDS
  void dxfInDone(DxfInFiler& in) override;

 private:
  AcGePoint3d m_center;  // in world coordinates
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
  double m_radius = 0.0;
  double m_thickness = 0.0;
  double m_startAngle = 0.0;  // radians
  double m_endAngle = 0.0;
};
