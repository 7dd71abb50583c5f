// A direction or displacement in 3-D space.
#pragma once

class AcGeMatrix3d;

class AcGeVector3d {
 public:
  AcGeVector3d() = default;
  AcGeVector3d(double x, double y, double z) : x(x), y(y), z(z) {}

  static const AcGeVector3d kIdentity;  // the zero vector, as the host names it
  static const AcGeVector3d kXAxis;
  static const AcGeVector3d kYAxis;
  static const AcGeVector3d kZAxis;

  double length() const;
  double lengthSqrd() const;
  bool isZeroLength(double tolerance = 1e-12) const;
  AcGeVector3d normal() const;
  AcGeVector3d& normalize();
  double dotProduct(const AcGeVector3d& other) const;
  AcGeVector3d crossProduct(const AcGeVector3d& other) const;
  // A vector at right angles to this one, as the arbitrary-axis rule picks it.
  AcGeVector3d perpVector() const;
  bool isEqualTo(const AcGeVector3d& other, double tolerance = 1e-10) const;
  bool isParallelTo(const AcGeVector3d& other, double tolerance = 1e-10) const;
  // Rotation and scaling only: a vector has no position to translate.
  AcGeVector3d& transformBy(const AcGeMatrix3d& matrix);
  AcGeVector3d& set(double xValue, double yValue, double zValue);

  AcGeVector3d operator+(const AcGeVector3d& other) const { return {x + other.x, y + other.y, z + other.z}; }
  AcGeVector3d operator-(const AcGeVector3d& other) const { return {x - other.x, y - other.y, z - other.z}; }
  AcGeVector3d operator-() const { return {-x, -y, -z}; }
  AcGeVector3d operator*(double factor) const { return {x * factor, y * factor, z * factor}; }
  AcGeVector3d operator/(double divisor) const { return {x / divisor, y / divisor, z / divisor}; }
  AcGeVector3d& operator+=(const AcGeVector3d& other);
  AcGeVector3d& operator-=(const AcGeVector3d& other);
  AcGeVector3d& operator*=(double factor);
  bool operator==(const AcGeVector3d& other) const { return isEqualTo(other); }
  bool operator!=(const AcGeVector3d& other) const { return !isEqualTo(other); }
  double operator[](unsigned int index) const { return index == 0 ? x : index == 1 ? y : z; }
  double& operator[](unsigned int index) { return index == 0 ? x : index == 1 ? y : z; }

  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

inline AcGeVector3d operator*(double factor, const AcGeVector3d& vector) { return vector * factor; }
