// A 4x4 affine transformation of 3-D space: block transforms, the UCS,
// entity moves.  Points are columns: p' = M * p.
#pragma once

#include "AcGePoint3d.h"
#include "AcGeScale3d.h"
#include "AcGeVector3d.h"

class AcGeMatrix3d {
 public:
  AcGeMatrix3d();

  static const AcGeMatrix3d kIdentity;

  static AcGeMatrix3d translation(const AcGeVector3d& offset);
  // Counter-clockwise about the axis through the centre, looking down the axis.
  static AcGeMatrix3d rotation(double angle, const AcGeVector3d& axis,
                               const AcGePoint3d& center = AcGePoint3d::kOrigin);
  static AcGeMatrix3d scaling(double factor, const AcGePoint3d& center = AcGePoint3d::kOrigin);
  static AcGeMatrix3d scaling(const AcGeScale3d& factors, const AcGePoint3d& center = AcGePoint3d::kOrigin);
  // The matrix that maps the first coordinate system onto the second.
  static AcGeMatrix3d alignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                    const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                    const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                    const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis);
  // From the object coordinate system of an entity with this normal (the
  // arbitrary-axis rule) to world coordinates, and back.
  static AcGeMatrix3d planeToWorld(const AcGeVector3d& normal);
  static AcGeMatrix3d worldToPlane(const AcGeVector3d& normal);

  AcGeMatrix3d& setToIdentity();
  AcGeMatrix3d& setToTranslation(const AcGeVector3d& offset);
  AcGeMatrix3d& setToRotation(double angle, const AcGeVector3d& axis,
                              const AcGePoint3d& center = AcGePoint3d::kOrigin);
  AcGeMatrix3d& setToScaling(double factor, const AcGePoint3d& center = AcGePoint3d::kOrigin);
  // Columns are the axes and the origin: local coordinates to world.
  AcGeMatrix3d& setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis, const AcGeVector3d& yAxis,
                               const AcGeVector3d& zAxis);
  void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis, AcGeVector3d& zAxis) const;

  // this = left * this
  AcGeMatrix3d& preMultBy(const AcGeMatrix3d& left);
  // this = this * right
  AcGeMatrix3d& postMultBy(const AcGeMatrix3d& right);
  AcGeMatrix3d operator*(const AcGeMatrix3d& right) const;
  AcGeMatrix3d& operator*=(const AcGeMatrix3d& right);

  double det() const;
  bool isSingular(double tolerance = 1e-12) const;
  // The inverse; a singular matrix gives the identity.
  AcGeMatrix3d inverse() const;
  AcGeMatrix3d& invert();
  AcGeMatrix3d transpose() const;

  AcGeVector3d translation() const;
  // The largest factor by which the matrix stretches a length.
  double scale() const;
  // Rotation, reflection and one common scale factor only: circles stay circles.
  bool isUniScaledOrtho(double tolerance = 1e-10) const;
  bool isEqualTo(const AcGeMatrix3d& other, double tolerance = 1e-10) const;
  bool operator==(const AcGeMatrix3d& other) const { return isEqualTo(other); }
  bool operator!=(const AcGeMatrix3d& other) const { return !isEqualTo(other); }

  double operator()(unsigned int row, unsigned int column) const { return entry[row][column]; }
  double& operator()(unsigned int row, unsigned int column) { return entry[row][column]; }

  double entry[4][4];
};

inline AcGePoint3d operator*(const AcGeMatrix3d& matrix, const AcGePoint3d& point) {
  return AcGePoint3d(point).transformBy(matrix);
}
inline AcGeVector3d operator*(const AcGeMatrix3d& matrix, const AcGeVector3d& vector) {
  return AcGeVector3d(vector).transformBy(matrix);
}
