#include "DxfText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "TextCodec.h"

namespace {

// Windows-1252 at 0x80-0x9F; the rest of the upper half is Latin-1.
constexpr char16_t kHigh1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int hexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  return -1;
}

// The value of the digits hex digits at i, or -1.
long hexAt(std::wstring_view text, size_t i, size_t digits) {
  if (i + digits > text.size()) return -1;
  long code = 0;
  for (size_t k = i; k < i + digits; ++k) {
    const int digit = hexDigit(text[k]);
    if (digit < 0) return -1;
    code = code * 16 + digit;
  }
  return code;
}

bool isHighSurrogate(long code) { return code >= 0xD800 && code <= 0xDBFF; }
bool isLowSurrogate(long code) { return code >= 0xDC00 && code <= 0xDFFF; }

// The character of a "\U+XXXX" escape at i, or -1; length is what it spans.
// Characters beyond the first plane come as a pair of UTF-16 surrogate
// escapes, or, from some writers, as eight digits ("\U+0001F600").
long escapeAt(std::wstring_view text, size_t i, size_t& length) {
  if (i + 7 > text.size() || text[i] != L'\\' || (text[i + 1] != L'U' && text[i + 1] != L'u') || text[i + 2] != L'+')
    return -1;
  const long code = hexAt(text, i + 3, 4);
  if (code < 0) return -1;
  length = 7;
  if (code >= 0x1 && code <= 0x10) {
    const long wide = hexAt(text, i + 3, 8);
    if (wide >= 0x10000 && wide <= 0x10FFFF) {
      length = 11;
      return wide;
    }
  }
  if (isHighSurrogate(code)) {
    size_t next = 0;
    const long low = escapeAt(text, i + 7, next);
    if (isLowSurrogate(low) && next == 7) {
      length = 14;
      return 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
    }
  }
  return code;
}

int ansiByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (int k = 0; k < 32; ++k)
    if (kHigh1252[k] == c) return 0x80 + k;
  return -1;
}

// Escapes of UTF-16 code units, as a code page file carries them.
std::string unicodeEscape(char32_t c) {
  char escape[32];
  if (c < 0x10000) {
    std::snprintf(escape, sizeof escape, "\\U+%04X", static_cast<unsigned>(c));
  } else {
    const char32_t offset = c - 0x10000;
    std::snprintf(escape, sizeof escape, "\\U+%04X\\U+%04X", static_cast<unsigned>(0xD800 + (offset >> 10)),
                  static_cast<unsigned>(0xDC00 + (offset & 0x3FF)));
  }
  return escape;
}

}  // namespace

bool DxfText::isPlain(std::string_view value) {
  for (char c : value)
    if (c == '\\' || c == '^' || static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::wstring DxfText::decode(std::string_view value) {
  if (isPlain(value)) return std::wstring(value.begin(), value.end());
  std::wstring wide = utf8ToWide(value);
  std::wstring out;
  out.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == L'^' && i + 1 < wide.size() && (wide[i + 1] == L' ' || (wide[i + 1] >= L'@' && wide[i + 1] <= L'_'))) {
      const wchar_t next = wide[++i];
      out += next == L' ' ? L'^' : static_cast<wchar_t>(next - 64);
      continue;
    }
    size_t length = 0;
    const long code = wide[i] == L'\\' ? escapeAt(wide, i, length) : -1;
    if (code >= 0) {
      out += static_cast<wchar_t>(code);
      i += length - 1;
      continue;
    }
    out += wide[i];
  }
  return out;
}

std::string DxfText::encode(std::wstring_view text) {
  std::wstring escaped;
  escaped.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    // A caret is escaped only where it would read as a control character.
    const bool ambiguous = c == L'^' && i + 1 < text.size() &&
                           (text[i + 1] == L' ' || (text[i + 1] >= L'@' && text[i + 1] <= L'_'));
    if (ambiguous) {
      escaped += L"^ ";
    } else if (c < 0x20) {
      escaped += L'^';
      escaped += static_cast<wchar_t>(c + 64);
    } else {
      escaped += c;
    }
  }
  return wideToUtf8(escaped);
}

std::wstring DxfText::foldCase(std::wstring_view name) {
  std::wstring folded(name);
  for (wchar_t& c : folded) c = foldChar(c);
  return folded;
}

wchar_t DxfText::foldChar(wchar_t c) {
  const bool oddPairs = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);  // Latin Extended-A
  const bool evenPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
  if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
      (c >= 0x430 && c <= 0x44F))
    return static_cast<wchar_t>(c - 0x20);
  if (c >= 0x450 && c <= 0x45F) return static_cast<wchar_t>(c - 0x50);
  if ((oddPairs && (c & 1)) || (evenPairs && !(c & 1))) return static_cast<wchar_t>(c - 1);
  return c;
}

bool DxfText::sameFolded(std::wstring_view a, std::wstring_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](wchar_t x, wchar_t y) { return foldChar(x) == foldChar(y); });
}

std::string DxfText::ansiToUtf8(std::string_view ansi) {
  std::wstring wide;
  wide.reserve(ansi.size());
  for (char c : ansi) {
    const auto byte = static_cast<unsigned char>(c);
    wide += byte >= 0x80 && byte < 0xA0 ? static_cast<wchar_t>(kHigh1252[byte - 0x80]) : static_cast<wchar_t>(byte);
  }
  return wideToUtf8(wide);
}

std::string DxfText::utf8ToAnsi(std::string_view utf8) {
  const std::wstring wide = utf8ToWide(utf8);
  std::string out;
  out.reserve(wide.size());
  for (wchar_t c : wide) {
    const int byte = ansiByte(static_cast<char32_t>(c));
    if (byte >= 0) {
      out += static_cast<char>(byte);
    } else {
      out += unicodeEscape(static_cast<char32_t>(c));
    }
  }
  return out;
}

std::string DxfText::realText(double value) {
  char buffer[32];
  if (!std::isfinite(value)) value = 0.0;
  auto end = std::to_chars(buffer, buffer + sizeof buffer - 2, value).ptr;
  std::string_view written(buffer, end - buffer);
  if (written.find_first_of(".e") == std::string_view::npos) {
    *end++ = '.';
    *end++ = '0';
  }
  return std::string(buffer, end - buffer);
}
