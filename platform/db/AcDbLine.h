#pragma once

#include "AcDbCurve.h"

class AcDbLine : public AcDbCurve {
  ACRX_DECLARE_MEMBERS(AcDbLine)

 public:
  AcDbLine();
  AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end);

  AcGePoint3d startPoint() const { return m_start; }
  Acad::ErrorStatus setStartPoint(const AcGePoint3d& point);
  AcGePoint3d endPoint() const { return m_end; }
  Acad::ErrorStatus setEndPoint(const AcGePoint3d& point);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
  double thickness() const { return m_thickness; }
  Acad::ErrorStatus setThickness(double thickness);

  // The parameter is the distance from the start point.
  Acad::ErrorStatus getEndParam(double& param) const override;
  Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
  Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
  Acad::ErrorStatus getArea(double& area) const override;
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  Acad::ErrorStatus transformBy(const AcGeMatrix3d& transform) override;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  AcGePoint3d m_start;
  AcGePoint3d m_end;
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
  double m_thickness = 0.0;
};
