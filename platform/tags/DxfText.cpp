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

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The value of the digits hex digits at i, or -1.
long hexAt(std::string_view text, size_t i, size_t digits) {
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
long escapeAt(std::string_view text, size_t i, size_t& length) {
  if (i + 7 > text.size() || text[i] != '\\' || (text[i + 1] != 'U' && text[i + 1] != 'u') || text[i + 2] != '+')
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

// Whether a caret before this character makes a control character ("^J")
// or, before a space, a caret ("^ ").
bool isCaretCode(char c) { return c == ' ' || (c >= '@' && c <= '_'); }

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
  std::string utf8;
  appendDecoded(value, utf8);
  return utf8ToWide(utf8);
}

void DxfText::appendDecoded(std::string_view value, std::string& out) {
  if (isPlain(value)) {
    out.append(value);
    return;
  }
  // A value decodes to about its own length; once out holds more, it grows as
  // strings do, so that appending piece after piece stays linear.
  if (out.empty()) out.reserve(value.size());
  for (size_t i = 0; i < value.size();) {
    if (value[i] == '^' && i + 1 < value.size() && isCaretCode(value[i + 1])) {
      out += value[i + 1] == ' ' ? '^' : static_cast<char>(value[i + 1] - 64);
      i += 2;
      continue;
    }
    size_t length = 0;
    const long code = escapeAt(value, i, length);
    if (code >= 0) {
      appendUtf8(out, static_cast<char32_t>(code));
      i += length;
      continue;
    }
    appendUtf8(out, nextCodePoint(value, i));
  }
}

std::string DxfText::encode(std::wstring_view text) {
  const std::string utf8 = wideToUtf8(text);
  std::string out;
  out.reserve(utf8.size());
  appendEncoded(utf8, out);
  return out;
}

void DxfText::appendEncoded(std::string_view text, std::string& out) {
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    // A caret is escaped only where it would read as a control character.
    if (c == '^' && i + 1 < text.size() && isCaretCode(text[i + 1])) {
      out += "^ ";
    } else if (byte < 0x20) {
      out += '^';
      out += static_cast<char>(byte + 64);
    } else if (byte >= 0x80) {
      appendUtf8(out, nextCodePoint(text, i));
      continue;
    } else {
      out += c;
    }
    ++i;
  }
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
  std::string out;
  out.reserve(ansi.size());
  for (char c : ansi) {
    const auto byte = static_cast<unsigned char>(c);
    appendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHigh1252[byte - 0x80] : byte);
  }
  return out;
}

std::string DxfText::utf8ToAnsi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const char32_t c = nextCodePoint(utf8, i);
    const int byte = ansiByte(c);
    if (byte >= 0) {
      out += static_cast<char>(byte);
    } else {
      out += unicodeEscape(c);
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
