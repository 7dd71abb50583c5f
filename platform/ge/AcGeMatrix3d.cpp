#include "AcGeMatrix3d.h"

#include <algorithm>
#include <cmath>
#include <utility>

const AcGeMatrix3d AcGeMatrix3d::kIdentity;

AcGeMatrix3d::AcGeMatrix3d() { setToIdentity(); }

AcGeMatrix3d AcGeMatrix3d::translation(const AcGeVector3d& offset) { return AcGeMatrix3d().setToTranslation(offset); }

AcGeMatrix3d AcGeMatrix3d::rotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center) {
  return AcGeMatrix3d().setToRotation(angle, axis, center);
}

AcGeMatrix3d AcGeMatrix3d::scaling(double factor, const AcGePoint3d& center) {
  return scaling(AcGeScale3d(factor), center);
}

AcGeMatrix3d AcGeMatrix3d::scaling(const AcGeScale3d& factors, const AcGePoint3d& center) {
  AcGeMatrix3d m;
  for (int i = 0; i < 3; ++i) {
    m.entry[i][i] = factors[i];
    m.entry[i][3] = center[i] * (1.0 - factors[i]);
  }
  return m;
}

AcGeMatrix3d AcGeMatrix3d::alignCoordSys(const AcGePoint3d& fromOrigin, const AcGeVector3d& fromXAxis,
                                         const AcGeVector3d& fromYAxis, const AcGeVector3d& fromZAxis,
                                         const AcGePoint3d& toOrigin, const AcGeVector3d& toXAxis,
                                         const AcGeVector3d& toYAxis, const AcGeVector3d& toZAxis) {
  AcGeMatrix3d from, to;
  from.setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis);
  to.setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
  return to * from.inverse();
}

AcGeMatrix3d AcGeMatrix3d::planeToWorld(const AcGeVector3d& normal) {
  const AcGeVector3d z = normal.normal();
  const AcGeVector3d x = z.perpVector();
  return AcGeMatrix3d().setCoordSystem(AcGePoint3d::kOrigin, x, z.crossProduct(x).normal(), z);
}

AcGeMatrix3d AcGeMatrix3d::worldToPlane(const AcGeVector3d& normal) { return planeToWorld(normal).transpose(); }

AcGeMatrix3d& AcGeMatrix3d::setToIdentity() {
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) entry[row][column] = row == column ? 1.0 : 0.0;
  return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToTranslation(const AcGeVector3d& offset) {
  setToIdentity();
  for (int i = 0; i < 3; ++i) entry[i][3] = offset[i];
  return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToRotation(double angle, const AcGeVector3d& axis, const AcGePoint3d& center) {
  const AcGeVector3d u = axis.normal();
  const double c = std::cos(angle), s = std::sin(angle), t = 1.0 - c;
  setToIdentity();
  entry[0][0] = t * u.x * u.x + c;
  entry[0][1] = t * u.x * u.y - s * u.z;
  entry[0][2] = t * u.x * u.z + s * u.y;
  entry[1][0] = t * u.x * u.y + s * u.z;
  entry[1][1] = t * u.y * u.y + c;
  entry[1][2] = t * u.y * u.z - s * u.x;
  entry[2][0] = t * u.x * u.z - s * u.y;
  entry[2][1] = t * u.y * u.z + s * u.x;
  entry[2][2] = t * u.z * u.z + c;
  const AcGeVector3d moved = center.asVector() - AcGeVector3d(center.asVector()).transformBy(*this);
  for (int i = 0; i < 3; ++i) entry[i][3] = moved[i];
  return *this;
}

AcGeMatrix3d& AcGeMatrix3d::setToScaling(double factor, const AcGePoint3d& center) {
  return *this = scaling(factor, center);
}

AcGeMatrix3d& AcGeMatrix3d::setCoordSystem(const AcGePoint3d& origin, const AcGeVector3d& xAxis,
                                           const AcGeVector3d& yAxis, const AcGeVector3d& zAxis) {
  setToIdentity();
  for (int i = 0; i < 3; ++i) {
    entry[i][0] = xAxis[i];
    entry[i][1] = yAxis[i];
    entry[i][2] = zAxis[i];
    entry[i][3] = origin[i];
  }
  return *this;
}

void AcGeMatrix3d::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& xAxis, AcGeVector3d& yAxis,
                                  AcGeVector3d& zAxis) const {
  for (int i = 0; i < 3; ++i) {
    xAxis[i] = entry[i][0];
    yAxis[i] = entry[i][1];
    zAxis[i] = entry[i][2];
    origin[i] = entry[i][3];
  }
}

AcGeMatrix3d& AcGeMatrix3d::preMultBy(const AcGeMatrix3d& left) { return *this = left * *this; }

AcGeMatrix3d& AcGeMatrix3d::postMultBy(const AcGeMatrix3d& right) { return *this = *this * right; }

AcGeMatrix3d AcGeMatrix3d::operator*(const AcGeMatrix3d& right) const {
  AcGeMatrix3d product;
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) sum += entry[row][k] * right.entry[k][column];
      product.entry[row][column] = sum;
    }
  return product;
}

AcGeMatrix3d& AcGeMatrix3d::operator*=(const AcGeMatrix3d& right) { return postMultBy(right); }

double AcGeMatrix3d::det() const {
  const auto& e = entry;
  // Affine matrices: the determinant of the upper 3x3 block.
  return e[0][0] * (e[1][1] * e[2][2] - e[1][2] * e[2][1]) - e[0][1] * (e[1][0] * e[2][2] - e[1][2] * e[2][0]) +
         e[0][2] * (e[1][0] * e[2][1] - e[1][1] * e[2][0]);
}

bool AcGeMatrix3d::isSingular(double tolerance) const { return std::fabs(det()) <= tolerance; }

AcGeMatrix3d AcGeMatrix3d::inverse() const {
  // Gauss-Jordan with partial pivoting on the full 4x4 matrix.
  double a[4][8];
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 8; ++column)
      a[row][column] = column < 4 ? entry[row][column] : (column - 4 == row ? 1.0 : 0.0);
  for (int column = 0; column < 4; ++column) {
    int pivot = column;
    for (int row = column + 1; row < 4; ++row)
      if (std::fabs(a[row][column]) > std::fabs(a[pivot][column])) pivot = row;
    if (std::fabs(a[pivot][column]) < 1e-300) return AcGeMatrix3d();
    if (pivot != column) std::swap(a[pivot], a[column]);
    const double scale = a[column][column];
    for (double& value : a[column]) value /= scale;
    for (int row = 0; row < 4; ++row) {
      if (row == column) continue;
      const double factor = a[row][column];
      for (int k = 0; k < 8; ++k) a[row][k] -= factor * a[column][k];
    }
  }
  AcGeMatrix3d result;
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) result.entry[row][column] = a[row][column + 4];
  return result;
}

AcGeMatrix3d& AcGeMatrix3d::invert() { return *this = inverse(); }

AcGeMatrix3d AcGeMatrix3d::transpose() const {
  AcGeMatrix3d result;
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column) result.entry[row][column] = entry[column][row];
  return result;
}

AcGeVector3d AcGeMatrix3d::translation() const { return {entry[0][3], entry[1][3], entry[2][3]}; }

double AcGeMatrix3d::scale() const {
  double largest = 0.0;
  for (const AcGeVector3d& axis : {AcGeVector3d::kXAxis, AcGeVector3d::kYAxis, AcGeVector3d::kZAxis})
    largest = std::max(largest, (*this * axis).length());
  return largest;
}

bool AcGeMatrix3d::isUniScaledOrtho(double tolerance) const {
  const AcGeVector3d x = *this * AcGeVector3d::kXAxis, y = *this * AcGeVector3d::kYAxis,
                     z = *this * AcGeVector3d::kZAxis;
  const double size = x.length();
  const double relative = tolerance * std::max(1.0, size * size);
  return std::fabs(y.length() - size) <= tolerance * std::max(1.0, size) &&
         std::fabs(z.length() - size) <= tolerance * std::max(1.0, size) && std::fabs(x.dotProduct(y)) <= relative &&
         std::fabs(y.dotProduct(z)) <= relative && std::fabs(x.dotProduct(z)) <= relative;
}

bool AcGeMatrix3d::isEqualTo(const AcGeMatrix3d& other, double tolerance) const {
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 4; ++column)
      if (std::fabs(entry[row][column] - other.entry[row][column]) > tolerance) return false;
  return true;
}
