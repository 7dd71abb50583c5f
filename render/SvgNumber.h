// Numbers as the picture's text: fixed point, three decimals at most.
#pragma once

#include <string>

class SvgNumber {
 public:
  static void append(std::string& text, double value);
  static std::string text(double value);
  // "#RRGGBB" of 0x00RRGGBB.
  static std::string colour(unsigned int rgb);
};
