#include "support/NumberText.h"

#include <algorithm>
#include <charconv>

namespace {

// No value needs more decimals; a wild precision from a damaged file must
// not make a conversion allocate without bound.
constexpr int kMaxPrecision = 100;

std::wstring formatDouble(double value, std::chars_format format, int precision) {
  char buffer[512];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  return std::wstring(buffer, result.ptr);
}

}  // namespace

std::wstring CNumberText::format(double value, int precision) {
  if (precision < 0) return formatDouble(value, std::chars_format::general, 6);
  return formatDouble(value, std::chars_format::fixed, std::min(precision, kMaxPrecision));
}
