// Numbers as the module writes them, below everything that reports errors
// so that error messages can show numbers too.
#pragma once

#include <string>

class CNumberText {
 public:
  // Fixed-point with the given digits after the point (at most 100),
  // never ending with "." and always with a digit before the point; six
  // significant digits when precision is negative.
  static std::wstring format(double value, int precision);
};
