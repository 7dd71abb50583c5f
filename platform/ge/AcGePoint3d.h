// A position in 3-D space.
#pragma once

#include "AcGeVector3d.h"

class AcGeMatrix3d;

class AcGePoint3d {
 public:
  AcGePoint3d() = default;
  AcGePoint3d(double x, double y, double z) : x(x), y(y), z(z) {}
  // From an ads_point.
  explicit AcGePoint3d(const double point[3]) : x(point[0]), y(point[1]), z(point[2]) {}

  static const AcGePoint3d kOrigin;

  double distanceTo(const AcGePoint3d& other) const;
  bool isEqualTo(const AcGePoint3d& other, double tolerance = 1e-10) const;
  AcGePoint3d& transformBy(const AcGeMatrix3d& matrix);
  AcGePoint3d& set(double xValue, double yValue, double zValue);
  AcGeVector3d asVector() const { return {x, y, z}; }
  // Into an ads_point.
  void copyTo(double point[3]) const;

  AcGePoint3d operator+(const AcGeVector3d& v) const { return {x + v.x, y + v.y, z + v.z}; }
  AcGePoint3d operator-(const AcGeVector3d& v) const { return {x - v.x, y - v.y, z - v.z}; }
  AcGeVector3d operator-(const AcGePoint3d& p) const { return {x - p.x, y - p.y, z - p.z}; }
  AcGePoint3d& operator+=(const AcGeVector3d& v);
  AcGePoint3d& operator-=(const AcGeVector3d& v);
  bool operator==(const AcGePoint3d& other) const { return isEqualTo(other); }
  bool operator!=(const AcGePoint3d& other) const { return !isEqualTo(other); }
  double operator[](unsigned int index) const { return index == 0 ? x : index == 1 ? y : z; }
  double& operator[](unsigned int index) { return index == 0 ? x : index == 1 ? y : z; }

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};
