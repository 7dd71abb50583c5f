// A displacement in a plane: the offsets of a linetype's shapes and texts.
#pragma once

class AcGeVector2d {
 public:
  AcGeVector2d() = default;
  AcGeVector2d(double x, double y) : x(x), y(y) {}

  double x = 0.0;
  double y = 0.0;
};
