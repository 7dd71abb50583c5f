#include "AcGeVector3d.h"

#include <cmath>

#include "AcGeMatrix3d.h"

const AcGeVector3d AcGeVector3d::kIdentity(0.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kXAxis(1.0, 0.0, 0.0);
const AcGeVector3d AcGeVector3d::kYAxis(0.0, 1.0, 0.0);
const AcGeVector3d AcGeVector3d::kZAxis(0.0, 0.0, 1.0);

double AcGeVector3d::length() const { return std::sqrt(lengthSqrd()); }

double AcGeVector3d::lengthSqrd() const { return x * x + y * y + z * z; }

bool AcGeVector3d::isZeroLength(double tolerance) const { return length() <= tolerance; }

AcGeVector3d AcGeVector3d::normal() const {
  const double size = length();
  return size > 0.0 ? *this / size : *this;
}

AcGeVector3d& AcGeVector3d::normalize() { return *this = normal(); }

double AcGeVector3d::dotProduct(const AcGeVector3d& other) const { return x * other.x + y * other.y + z * other.z; }

AcGeVector3d AcGeVector3d::crossProduct(const AcGeVector3d& other) const {
  return {y * other.z - z * other.y, z * other.x - x * other.z, x * other.y - y * other.x};
}

AcGeVector3d AcGeVector3d::perpVector() const {
  const AcGeVector3d n = normal();
  // The arbitrary-axis rule: near the z axis take world y, else world z.
  const bool nearZ = std::fabs(n.x) < 1.0 / 64.0 && std::fabs(n.y) < 1.0 / 64.0;
  return (nearZ ? kYAxis : kZAxis).crossProduct(n).normal();
}

bool AcGeVector3d::isEqualTo(const AcGeVector3d& other, double tolerance) const {
  return (*this - other).length() <= tolerance;
}

bool AcGeVector3d::isParallelTo(const AcGeVector3d& other, double tolerance) const {
  return normal().crossProduct(other.normal()).length() <= tolerance;
}

AcGeVector3d& AcGeVector3d::transformBy(const AcGeMatrix3d& m) {
  const AcGeVector3d v = *this;
  for (int row = 0; row < 3; ++row) (*this)[row] = m(row, 0) * v.x + m(row, 1) * v.y + m(row, 2) * v.z;
  return *this;
}

AcGeVector3d& AcGeVector3d::set(double xValue, double yValue, double zValue) {
  x = xValue;
  y = yValue;
  z = zValue;
  return *this;
}

AcGeVector3d& AcGeVector3d::operator+=(const AcGeVector3d& other) { return *this = *this + other; }
AcGeVector3d& AcGeVector3d::operator-=(const AcGeVector3d& other) { return *this = *this - other; }
AcGeVector3d& AcGeVector3d::operator*=(double factor) { return *this = *this * factor; }
