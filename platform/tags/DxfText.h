// Text in DXF values: UTF-8 in memory, "\U+XXXX" escapes for characters a
// code page lacks, "^J"-style carets for control characters, and the
// ANSI_1252 code page of files older than AC1021.
#pragma once

#include <string>
#include <string_view>

class DxfText {
 public:
  static std::wstring decode(std::string_view value);
  // The same, as UTF-8 at the end of out: a long value then takes no more
  // than its own size.
  static void appendDecoded(std::string_view value, std::string& out);
  // ASCII without escapes: its decoding is its characters widened.
  static bool isPlain(std::string_view value);
  static std::string encode(std::wstring_view text);
  // UTF-8 text encoded at the end of out: a long text needs no copy of its own.
  static void appendEncoded(std::string_view text, std::string& out);
  // Upper case, whatever the process locale, for names that compare
  // ignoring case (layers, blocks, dictionary keys, applications).
  static std::wstring foldCase(std::wstring_view name);
  static wchar_t foldChar(wchar_t c);
  // Equal once folded, without folded copies.
  static bool sameFolded(std::wstring_view a, std::wstring_view b);
  // Whole-file conversions; ASCII text comes back unchanged.
  static std::string ansiToUtf8(std::string_view ansi);
  static std::string utf8ToAnsi(std::string_view utf8);
  // The shortest text that reads back as the value, always with a point or
  // exponent; what is not finite is written as 0.0.
  static std::string realText(double value);
};
