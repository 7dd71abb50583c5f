// Scale factors along x, y and z, as a block reference carries them.
#pragma once

class AcGeScale3d {
 public:
  AcGeScale3d() = default;
  explicit AcGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
  AcGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}

  static const AcGeScale3d kIdentity;

  bool isEqualTo(const AcGeScale3d& other, double tolerance = 1e-10) const;
  AcGeScale3d& set(double x, double y, double z);

  AcGeScale3d operator*(const AcGeScale3d& other) const { return {sx * other.sx, sy * other.sy, sz * other.sz}; }
  bool operator==(const AcGeScale3d& other) const { return isEqualTo(other); }
  bool operator!=(const AcGeScale3d& other) const { return !isEqualTo(other); }
  double operator[](unsigned int index) const { return index == 0 ? sx : index == 1 ? sy : sz; }
  double& operator[](unsigned int index) { return index == 0 ? sx : index == 1 ? sy : sz; }

  double sx = 1.0;
  double sy = 1.0;
  double sz = 1.0;
};
