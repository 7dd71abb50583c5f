// Conversions between numbers, truth values and text, as they appear in
// drawings, files and answers typed by users.  Bad input gives 0, false or
// the empty text, never an error.
#pragma once

#include <cstdint>
#include <string>

class CUtilities {
 public:
  virtual ~CUtilities();

  static std::wstring BoolToCString(bool value);
  static bool CStringToBOOL(const std::wstring& text);
  static double CStringToDouble(const std::wstring& text);
  static int CStringToInt(const std::wstring& text);
  static std::int32_t CStringToLong(const std::wstring& text);
  static std::int64_t CStringToInt64(const std::wstring& text);
  static std::wstring IntToCString(int value);
  static std::wstring LongToCString(std::int32_t value);
  // Fixed-point text with precision decimals; a negative precision gives
  // the shortest form with six significant digits.
  static std::wstring DoubleToCString(double value, int precision);
  static double roundDouble(double value, int precision);
  static bool isNumeric(const std::wstring& text);
  static void makeNumeric(std::wstring& text);
  static void replaceReservedCharacters(std::wstring& text, const std::wstring& replacement);
  // Matches found by searches that start at the second character and
  // then one character after each match, so overlapping matches count.
  static int occurrenceCount(const std::wstring& pattern, const std::wstring& text);
  static std::wstring padding(int count, const std::wstring& text);
  // Hexadecimal handle text, with or without "0x"; reading stops at the
  // first character that is not a hexadecimal digit.
  static std::int32_t _httoi(const std::wstring& text);
  static std::wstring trim(const std::wstring& text);
};
