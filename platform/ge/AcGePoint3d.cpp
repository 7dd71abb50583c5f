#include "AcGePoint3d.h"

#include "AcGeMatrix3d.h"

const AcGePoint3d AcGePoint3d::kOrigin(0.0, 0.0, 0.0);

double AcGePoint3d::distanceTo(const AcGePoint3d& other) const { return (*this - other).length(); }

bool AcGePoint3d::isEqualTo(const AcGePoint3d& other, double tolerance) const {
  return distanceTo(other) <= tolerance;
}

AcGePoint3d& AcGePoint3d::transformBy(const AcGeMatrix3d& m) {
  const AcGePoint3d p = *this;
  for (int row = 0; row < 3; ++row) (*this)[row] = m(row, 0) * p.x + m(row, 1) * p.y + m(row, 2) * p.z + m(row, 3);
  return *this;
}

AcGePoint3d& AcGePoint3d::set(double xValue, double yValue, double zValue) {
  x = xValue;
  y = yValue;
  z = zValue;
  return *this;
}

void AcGePoint3d::copyTo(double point[3]) const {
  point[0] = x;
  point[1] = y;
  point[2] = z;
}

AcGePoint3d& AcGePoint3d::operator+=(const AcGeVector3d& v) { return *this = *this + v; }
AcGePoint3d& AcGePoint3d::operator-=(const AcGeVector3d& v) { return *this = *this - v; }
