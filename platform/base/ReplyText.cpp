#include "ReplyText.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace ReplyText {

std::wstring trim(const std::wstring& text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  const auto last = text.find_last_not_of(L" \t");
  return text.substr(first, last - first + 1);
}

std::wstring upper(const std::wstring& text) {
  std::wstring result = text;
  std::transform(result.begin(), result.end(), result.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
  return result;
}

bool equalsIgnoringCase(const std::wstring& a, const std::wstring& b) { return upper(a) == upper(b); }

std::optional<double> real(const std::wstring& text) {
  const std::wstring trimmed = trim(text);
  if (trimmed.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  errno = 0;
  const double value = std::wcstod(trimmed.c_str(), &end);
  if (*end != L'\0' || errno == ERANGE || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> integer(const std::wstring& text) {
  const std::wstring trimmed = trim(text);
  if (trimmed.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  errno = 0;
  const long value = std::wcstol(trimmed.c_str(), &end, 10);
  if (*end != L'\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

bool point(const std::wstring& text, ads_point result) {
  std::vector<double> coordinates;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(L',', start);
    const auto value = real(text.substr(start, comma == std::wstring::npos ? std::wstring::npos : comma - start));
    if (!value) return false;
    coordinates.push_back(*value);
    if (comma == std::wstring::npos) break;
    start = comma + 1;
  }
  if (coordinates.size() < 2 || coordinates.size() > 3) return false;
  result[X] = coordinates[0];
  result[Y] = coordinates[1];
  result[Z] = coordinates.size() == 3 ? coordinates[2] : 0.0;
  return true;
}

}  // namespace ReplyText
