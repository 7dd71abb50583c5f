// An ellipse or elliptical arc: its centre, the vector to the end of its
// major axis, the minor axis as a ratio of the major, and the parameters
// where it starts and ends (0 to 2 pi for a whole ellipse).  A point at
// parameter t is center + cos t * major + sin t * minor, the minor axis
// turned a quarter counter-clockwise from the major about the normal.
#pragma once

#include "AcDbCurve.h"

class AcDbEllipse : public AcDbCurve {
  ACRX_DECLARE_MEMBERS(AcDbEllipse)

 public:
  AcDbEllipse();
  AcDbEllipse(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& majorAxis,
              double radiusRatio, double startParam = 0.0, double endParam = 6.283185307179586);

  AcGePoint3d center() const { return m_center; }
  AcGeVector3d normal() const { return m_normal; }
  AcGeVector3d majorAxis() const { return m_majorAxis; }
  AcGeVector3d minorAxis() const;
  double radiusRatio() const { return m_radiusRatio; }
  Acad::ErrorStatus set(const AcGePoint3d& center, const AcGeVector3d& normal, const AcGeVector3d& majorAxis,
                        double radiusRatio, double startParam, double endParam);

  bool isClosed() const override;
  Acad::ErrorStatus getStartParam(double& param) const override;
  // Above the start parameter by the sweep, at most a whole turn.
  Acad::ErrorStatus getEndParam(double& param) const override;
  Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  Acad::ErrorStatus transformBy(const AcGeMatrix3d& transform) override;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  double sweep() const;

  AcGePoint3d m_center;
  AcGeVector3d m_majorAxis = AcGeVector3d::kXAxis;
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
  bool m_hasNormal = false;  // given in the file, so written back even when it is the z axis
  double m_radiusRatio = 1.0;
  double m_startParam = 0.0;
  double m_endParam = 6.283185307179586;
};
