#include "SvgNumber.h"

#include <charconv>
#include <cmath>

namespace {

constexpr int kDecimals = 3;
constexpr int kMostDecimals = 15;
constexpr double kPowersOfTen[kMostDecimals + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

void appendFixed(std::string& text, double value, int decimals) {
  char buffer[64];
  // Rounded first, so a tiny negative value does not print as "-0".
  const double scale = kPowersOfTen[decimals];
  value = std::round(value * scale) / scale;
  if (value == 0.0) value = 0.0;
  auto [end, error] = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, decimals);
  if (error != std::errc()) {
    text += '0';
    return;
  }
  char* last = end;
  while (last > buffer && last[-1] == '0') --last;
  if (last > buffer && last[-1] == '.') --last;
  text.append(buffer, last);
}

}  // namespace

void SvgNumber::append(std::string& text, double value) { appendFixed(text, value, kDecimals); }

void SvgNumber::appendFactor(std::string& text, double value) {
  const double size = std::fabs(value);
  const int zeros = size > 0.0 && size < 0.1 ? static_cast<int>(std::floor(-std::log10(size))) : 0;
  appendFixed(text, value, std::min(kMostDecimals, kDecimals + zeros));
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
