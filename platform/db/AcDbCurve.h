// Entities that are curves: measured along their parameter (arcs of
// polylines exactly) and by the area they enclose.
#pragma once

#include "AcDbEntity.h"
#include "AcGePoint3d.h"

class AcDbCurve : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbCurve)

 public:
  virtual bool isClosed() const;
  virtual Acad::ErrorStatus getStartParam(double& param) const;
  virtual Acad::ErrorStatus getEndParam(double& param) const;
  virtual Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const;
  // Length along the curve from its start to the parameter.
  virtual Acad::ErrorStatus getDistAtParam(double param, double& dist) const;
  Acad::ErrorStatus getStartPoint(AcGePoint3d& point) const;
  Acad::ErrorStatus getEndPoint(AcGePoint3d& point) const;
  // The area enclosed, an open curve closed by the chord from its end to its start.
  virtual Acad::ErrorStatus getArea(double& area) const;
};
