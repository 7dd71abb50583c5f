#pragma once

#include "AcDbCurve.h"

class AcDbCircle : public AcDbCurve {
  ACRX_DECLARE_MEMBERS(AcDbCircle)

 public:
  AcDbCircle();
  AcDbCircle(const AcGePoint3d& center, const AcGeVector3d& normal, double radius);

  AcGePoint3d center() const { return m_center; }
  Acad::ErrorStatus setCenter(const AcGePoint3d& center);
  double radius() const { return m_radius; }
  Acad::ErrorStatus setRadius(double radius);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
  double thickness() const { return m_thickness; }
  Acad::ErrorStatus setThickness(double thickness);

  bool isClosed() const override { return true; }
  // The parameter is the angle from the object x axis, 0 to 2 pi.
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
};
