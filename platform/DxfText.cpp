#include "DxfText.h"

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

// The code of "\U+XXXX" at i, or -1.
long escapeAt(std::string_view text, size_t i) {
  if (i + 7 > text.size() || text[i] != '\\' || (text[i + 1] != 'U' && text[i + 1] != 'u') || text[i + 2] != '+')
    return -1;
  long code = 0;
  for (size_t k = i + 3; k < i + 7; ++k) {
    const int digit = hexDigit(text[k]);
    if (digit < 0) return -1;
    code = code * 16 + digit;
  }
  return code;
}

int ansiByte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (int k = 0; k < 32; ++k)
    if (kHigh1252[k] == c) return 0x80 + k;
  return -1;
}

}  // namespace

std::wstring DxfText::decode(std::string_view value) {
  bool plain = true;
  for (char c : value)
    if (c == '\\' || c == '^' || static_cast<unsigned char>(c) >= 0x80) plain = false;
  if (plain) return std::wstring(value.begin(), value.end());
  std::wstring wide = utf8ToWide(value);
  std::wstring out;
  out.reserve(wide.size());
  for (size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == L'^' && i + 1 < wide.size() && (wide[i + 1] == L' ' || (wide[i + 1] >= L'@' && wide[i + 1] <= L'_'))) {
      const wchar_t next = wide[++i];
      out += next == L' ' ? L'^' : static_cast<wchar_t>(next - 64);
      continue;
    }
    if (wide[i] == L'\\' && i + 7 <= wide.size()) {
      const std::string probe = wideToUtf8(wide.substr(i, 7));
      const long code = escapeAt(probe, 0);
      if (code >= 0 && probe.size() == 7) {
        out += static_cast<wchar_t>(code);
        i += 6;
        continue;
      }
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
  for (wchar_t& c : folded) {
    const bool oddPairs = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);  // Latin Extended-A
    const bool evenPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F))
      c = static_cast<wchar_t>(c - 0x20);
    else if (c >= 0x450 && c <= 0x45F)
      c = static_cast<wchar_t>(c - 0x50);
    else if ((oddPairs && (c & 1)) || (evenPairs && !(c & 1)))
      c = static_cast<wchar_t>(c - 1);
  }
  return folded;
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
      char escape[16];
      std::snprintf(escape, sizeof escape, "\\U+%04X", static_cast<unsigned>(c) & 0xFFFF);
      out += escape;
    }
  }
  return out;
}
