// Numbers as the picture's text: fixed point, three decimals at most.
#pragma once

#include <string>

class SvgNumber {
 public:
  static void append(std::string& text, double value);
  static std::string text(double value);
  // A factor of a transform: as many decimals again as it has zeros after
  // the point, so that small scales keep their precision.
  static void appendFactor(std::string& text, double value);
  // "#RRGGBB" of 0x00RRGGBB.
  static std::string colour(unsigned int rgb);
};
