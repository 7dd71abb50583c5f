// Conversions between numbers and text, as they appear in drawings and files.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/Utilities.h"

using U = CUtilities;

TEST(DoubleToText, FixedPointKeepsTheRequestedDecimals) {
  EXPECT_EQ(U::DoubleToCString(3.14159, 2), L"3.14");
  EXPECT_EQ(U::DoubleToCString(0.05, 2), L"0.05");
  EXPECT_EQ(U::DoubleToCString(-2.5, 1), L"-2.5");
  EXPECT_EQ(U::DoubleToCString(100, 2), L"100.00");
  EXPECT_EQ(U::DoubleToCString(250, 2), L"250.00");
}

TEST(DoubleToText, PrecisionZeroRoundsAndNeverEndsWithAPoint) {
  EXPECT_EQ(U::DoubleToCString(1234.56, 0), L"1235");
  EXPECT_EQ(U::DoubleToCString(12.6, 0), L"13");
  EXPECT_EQ(U::DoubleToCString(0.4, 0), L"0");
  EXPECT_EQ(U::DoubleToCString(1000, 0), L"1000");
}

TEST(DoubleToText, ValuesBelowOneStartWithZeroPoint) {
  EXPECT_EQ(U::DoubleToCString(0.5, 3), L"0.500");
  EXPECT_EQ(U::DoubleToCString(-0.25, 2), L"-0.25");
  EXPECT_EQ(U::DoubleToCString(0.001, 4), L"0.0010");
}

TEST(DoubleToText, NegativePrecisionGivesSixSignificantDigits) {
  EXPECT_EQ(U::DoubleToCString(3.14159265, -1), L"3.14159");
  EXPECT_EQ(U::DoubleToCString(250, -1), L"250");
  EXPECT_EQ(U::DoubleToCString(1234567, -1), L"1.23457e+06");
}

TEST(DoubleToText, AWildPrecisionStaysBounded) {
  EXPECT_EQ(U::DoubleToCString(1.5, 1000000000).size(), std::wstring(L"1.").size() + 100);
}

TEST(DoubleToText, RoundDoubleRoundsThroughTheText) {
  EXPECT_DOUBLE_EQ(U::roundDouble(2.345678, 2), 2.35);
  EXPECT_DOUBLE_EQ(U::roundDouble(12.6, 0), 13.0);
}

TEST(TextToNumber, DoubleReadsTheLeadingNumberOnly) {
  EXPECT_DOUBLE_EQ(U::CStringToDouble(L"12a"), 12.0);
  EXPECT_DOUBLE_EQ(U::CStringToDouble(L"  -3.5e2xyz"), -350.0);
  EXPECT_DOUBLE_EQ(U::CStringToDouble(L"abc"), 0.0);
  EXPECT_DOUBLE_EQ(U::CStringToDouble(L""), 0.0);
}

TEST(TextToNumber, IntegersNeedNumericText) {
  EXPECT_EQ(U::CStringToInt(L"12a"), 0);
  EXPECT_EQ(U::CStringToInt(L"42"), 42);
  EXPECT_EQ(U::CStringToInt(L"-7"), -7);
  EXPECT_EQ(U::CStringToInt(L"12.9"), 12);
  EXPECT_EQ(U::CStringToInt(L"1,000"), 1);
  EXPECT_EQ(U::CStringToInt(L" 5"), 0);
  EXPECT_EQ(U::CStringToLong(L"3-"), 0);
  EXPECT_EQ(U::CStringToInt64(L"9000000000"), 9000000000LL);
}

TEST(TextToNumber, OverflowSaturates) {
  EXPECT_EQ(U::CStringToInt(L"99999999999"), std::numeric_limits<int>::max());
  EXPECT_EQ(U::CStringToLong(L"-99999999999"), std::numeric_limits<std::int32_t>::min());
}

TEST(TextToNumber, IntegerToText) {
  EXPECT_EQ(U::IntToCString(-15), L"-15");
  EXPECT_EQ(U::LongToCString(2147483647), L"2147483647");
}

TEST(TruthValues, OnlyLowerCaseYesWordsAreTrue) {
  for (const wchar_t* yes : {L"1", L"t", L"tr", L"tru", L"true", L"y", L"ye", L"yes"})
    EXPECT_TRUE(U::CStringToBOOL(yes)) << yes;
  for (const wchar_t* no : {L"True", L"YES", L"0", L"", L"yes ", L"2", L"n"}) EXPECT_FALSE(U::CStringToBOOL(no)) << no;
  EXPECT_EQ(U::BoolToCString(true), L"1");
  EXPECT_EQ(U::BoolToCString(false), L"0");
}

TEST(Numeric, WhatCountsAsNumeric) {
  for (const wchar_t* yes : {L"12.5", L"-3", L"1,000", L",,", L"0", L"-.5"}) EXPECT_TRUE(U::isNumeric(yes)) << yes;
  for (const wchar_t* no : {L"1.2.3", L"3-", L"12a", L"", L"-", L".", L"-.", L"+1", L"1 "})
    EXPECT_FALSE(U::isNumeric(no)) << no;
}

TEST(Numeric, MakeNumericKeepsDigitsCommasOneLeadingMinusAndTheFirstPoint) {
  std::wstring text = L"-12a.3.4,5-";
  U::makeNumeric(text);
  EXPECT_EQ(text, L"-12.34,5");
  text = L"";
  U::makeNumeric(text);
  EXPECT_EQ(text, L"0");
  text = L"abc";
  U::makeNumeric(text);
  EXPECT_EQ(text, L"0");
  EXPECT_TRUE(U::isNumeric(text));
}

TEST(Text, ReservedCharactersAreReplaced) {
  std::wstring text = L"a\\b/c:d*e?f\"g<h>i|j=k'l;m(n)o,p";
  U::replaceReservedCharacters(text, L"_");
  EXPECT_EQ(text, L"a_b_c_d_e_f_g_h_i_j_k_l_m_n_o_p");
  text = L"R:1";
  U::replaceReservedCharacters(text, L"");
  EXPECT_EQ(text, L"R1");
  text = L"x/y";
  U::replaceReservedCharacters(text, L"--");
  EXPECT_EQ(text, L"x--y");
}

TEST(Text, OccurrenceCountSkipsTheFirstCharacterAndCountsOverlaps) {
  EXPECT_EQ(U::occurrenceCount(L":", L"C:\\a:b"), 2);
  EXPECT_EQ(U::occurrenceCount(L":", L":ab"), 0);
  EXPECT_EQ(U::occurrenceCount(L"aa", L"baaaa"), 3);
  EXPECT_EQ(U::occurrenceCount(L"x", L""), 0);
  EXPECT_EQ(U::occurrenceCount(L"", L"abc"), 0);
}

TEST(Text, Padding) {
  EXPECT_EQ(U::padding(3, L"ab"), L"ababab");
  EXPECT_EQ(U::padding(0, L"ab"), L"");
  EXPECT_EQ(U::padding(-2, L"ab"), L"");
}

TEST(Text, Trim) {
  EXPECT_EQ(U::trim(L" \t a b \r\n"), L"a b");
  EXPECT_EQ(U::trim(L"   "), L"");
}

TEST(HexHandles, ReadWithOrWithoutPrefixUntilTheFirstNonDigit) {
  EXPECT_EQ(U::_httoi(L"0x1A"), 26);
  EXPECT_EQ(U::_httoi(L"1a"), 26);
  EXPECT_EQ(U::_httoi(L"1G2"), 1);
  EXPECT_EQ(U::_httoi(L""), 0);
  EXPECT_EQ(U::_httoi(L"0X"), 0);
  EXPECT_EQ(U::_httoi(L"FFFFFFFF"), -1);
  EXPECT_EQ(U::_httoi(L"1FFFFFFFF"), -1);
}
