// A position in a plane: polyline vertices in their own coordinate system.
#pragma once

#include <vector>

class AcGePoint2d {
 public:
  AcGePoint2d() = default;
  AcGePoint2d(double x, double y) : x(x), y(y) {}

  static const AcGePoint2d kOrigin;

  double distanceTo(const AcGePoint2d& other) const;
  bool isEqualTo(const AcGePoint2d& other, double tolerance = 1e-10) const;
  AcGePoint2d& set(double xValue, double yValue);

  bool operator==(const AcGePoint2d& other) const { return isEqualTo(other); }
  bool operator!=(const AcGePoint2d& other) const { return !isEqualTo(other); }
  double operator[](unsigned int index) const { return index == 0 ? x : y; }
  double& operator[](unsigned int index) { return index == 0 ? x : y; }

  double x = 0.0;
  double y = 0.0;
};
typedef std::vector<AcGePoint2d> AcGePoint2dArray;
