#include "AcGeScale3d.h"

#include <cmath>

const AcGeScale3d AcGeScale3d::kIdentity(1.0, 1.0, 1.0);

bool AcGeScale3d::isEqualTo(const AcGeScale3d& other, double tolerance) const {
  return std::fabs(sx - other.sx) <= tolerance && std::fabs(sy - other.sy) <= tolerance &&
         std::fabs(sz - other.sz) <= tolerance;
}

AcGeScale3d& AcGeScale3d::set(double x, double y, double z) {
  sx = x;
  sy = y;
  sz = z;
  return *this;
}
