#include "AcDbCurve.h"

ACRX_DEFINE_MEMBERS(AcDbCurve, AcDbEntity, L"")

bool AcDbCurve::isClosed() const { return false; }

Acad::ErrorStatus AcDbCurve::getStartParam(double& param) const {
  param = 0.0;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbCurve::getEndParam(double&) const { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbCurve::getPointAtParam(double, AcGePoint3d&) const { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbCurve::getDistAtParam(double, double&) const { return Acad::eNotApplicable; }

Acad::ErrorStatus AcDbCurve::getStartPoint(AcGePoint3d& point) const {
  double param = 0.0;
  const Acad::ErrorStatus status = getStartParam(param);
  return status == Acad::eOk ? getPointAtParam(param, point) : status;
}

Acad::ErrorStatus AcDbCurve::getEndPoint(AcGePoint3d& point) const {
  double param = 0.0;
  const Acad::ErrorStatus status = getEndParam(param);
  return status == Acad::eOk ? getPointAtParam(param, point) : status;
}

Acad::ErrorStatus AcDbCurve::getArea(double&) const { return Acad::eNotApplicable; }
