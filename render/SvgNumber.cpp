#include "SvgNumber.h"

#include <charconv>
#include <cmath>

void SvgNumber::append(std::string& text, double value) {
  char buffer[64];
  // Rounded first, so a tiny negative value does not print as "-0".
  value = std::round(value * 1000.0) / 1000.0;
  if (value == 0.0) value = 0.0;
  auto [end, error] = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, 3);
  if (error != std::errc()) {
    text += '0';
    return;
  }
  char* last = end;
  while (last > buffer && last[-1] == '0') --last;
  if (last > buffer && last[-1] == '.') --last;
  text.append(buffer, last);
}

std::string SvgNumber::text(double value) {
  std::string text;
  append(text, value);
  return text;
}

std::string SvgNumber::colour(unsigned int rgb) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += kDigits[(rgb >> shift) & 0xF];
  return text;
}
