#include "AcGePoint2d.h"

#include <cmath>

const AcGePoint2d AcGePoint2d::kOrigin(0.0, 0.0);

double AcGePoint2d::distanceTo(const AcGePoint2d& other) const { return std::hypot(x - other.x, y - other.y); }

bool AcGePoint2d::isEqualTo(const AcGePoint2d& other, double tolerance) const {
  return distanceTo(other) <= tolerance;
}

AcGePoint2d& AcGePoint2d::set(double xValue, double yValue) {
  x = xValue;
  y = yValue;
  return *this;
}
