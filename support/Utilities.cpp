#include "support/Utilities.h"

#include <locale.h>

#include <algorithm>
#include <climits>
#include <cwchar>
#include <cwctype>
#include <exception>
#include <limits>

#include "support/NumberText.h"
#include "support/TextCase.h"
#include "support/ZelphExceptions.h"

namespace {

// Numbers in drawings and files always use '.', whatever locale the host set.
locale_t classicNumericLocale() {
  static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

// What the host's integer reader does: leading number, saturated on overflow.
long long leadingInteger(const std::wstring& text, long long minimum, long long maximum) {
  return std::clamp(std::wcstoll(text.c_str(), nullptr, 10), minimum, maximum);
}

int hexDigit(wchar_t c) {
  static const std::wstring digits = L"0123456789ABCDEF";
  const size_t at = digits.find(c);
  return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

}  // namespace

CUtilities::~CUtilities() = default;

std::wstring CUtilities::BoolToCString(bool value) {
  ZELPH_TRY
    return value ? L"1" : L"0";
  ZELPH_CATCH(L"CUtilities::BoolToCString")
}

bool CUtilities::CStringToBOOL(const std::wstring& text) {
  ZELPH_TRY
    static const wchar_t* const yes[] = {L"1", L"t", L"tr", L"tru", L"true", L"y", L"ye", L"yes"};
    return std::any_of(std::begin(yes), std::end(yes), [&](const wchar_t* word) { return text == word; });
  ZELPH_CATCH(L"CUtilities::CStringToBOOL")
}

double CUtilities::CStringToDouble(const std::wstring& text) {
  try {
    return wcstod_l(text.c_str(), nullptr, classicNumericLocale());
  } catch (const std::exception& failure) {
    throw new CEXUnhandled(ZELPH_BANNER, ZELPH_SOURCE, L"CUtilities::CStringToDouble", failure, 0, nullptr);
  } catch (...) {
    zelphRethrow(ZELPH_SOURCE, L"CUtilities::CStringToDouble");
  }
}

int CUtilities::CStringToInt(const std::wstring& text) {
  ZELPH_TRY
    return isNumeric(text) ? static_cast<int>(leadingInteger(text, INT_MIN, INT_MAX)) : 0;
  ZELPH_CATCH(L"CUtilities::CStringToInt")
}

std::int32_t CUtilities::CStringToLong(const std::wstring& text) {
  ZELPH_TRY
    return isNumeric(text) ? static_cast<std::int32_t>(leadingInteger(text, INT32_MIN, INT32_MAX)) : 0;
  ZELPH_CATCH(L"CUtilities::CStringToLong")
}

std::int64_t CUtilities::CStringToInt64(const std::wstring& text) {
  ZELPH_TRY
    return isNumeric(text) ? static_cast<std::int64_t>(leadingInteger(text, INT64_MIN, INT64_MAX)) : 0;
  ZELPH_CATCH(L"CUtilities::CStringToInt64")
}

std::wstring CUtilities::IntToCString(int value) {
  ZELPH_TRY
    return std::to_wstring(value);
  ZELPH_CATCH(L"CUtilities::IntToCString")
}

std::wstring CUtilities::LongToCString(std::int32_t value) {
  ZELPH_TRY
    return std::to_wstring(value);
  ZELPH_CATCH(L"CUtilities::LongToCString")
}

// The fixed-point form never ends with "." and always has a digit before the
// point, so 12.6 at precision 0 is 13 and 0.05 at precision 2 is 0.05.
std::wstring CUtilities::DoubleToCString(double value, int precision) {
  ZELPH_TRY
    return CNumberText::format(value, precision);
  ZELPH_CATCH(L"CUtilities::DoubleToCString")
}

double CUtilities::roundDouble(double value, int precision) {
  ZELPH_TRY
    return CStringToDouble(DoubleToCString(value, precision));
  ZELPH_CATCH(L"CUtilities::roundDouble")
}

bool CUtilities::isNumeric(const std::wstring& text) {
  ZELPH_TRY
    if (text.empty() || text == L"-" || text == L"." || text == L"-.") return false;
    if (text.find_first_not_of(L",0123456789-.") != std::wstring::npos) return false;
    if (text.find(L'-', 1) != std::wstring::npos) return false;
    return std::count(text.begin(), text.end(), L'.') <= 1;
  ZELPH_CATCH(L"CUtilities::isNumeric")
}

void CUtilities::makeNumeric(std::wstring& text) {
  ZELPH_TRY
    std::wstring numeric;
    bool pointKept = false;
    for (size_t i = 0; i < text.size(); ++i) {
      const wchar_t c = text[i];
      const bool keep = (c >= L'0' && c <= L'9') || c == L',' || (c == L'-' && i == 0) || (c == L'.' && !pointKept);
      if (!keep) continue;
      pointKept = pointKept || c == L'.';
      numeric += c;
    }
    // A text with nothing numeric in it reads as zero rather than as nothing.
    text = numeric.empty() ? L"0" : numeric;
  ZELPH_CATCH(L"CUtilities::makeNumeric")
}

void CUtilities::replaceReservedCharacters(std::wstring& text, const std::wstring& replacement) {
  static const std::wstring reserved = L"\\/:*?\"<>|=';(),";
  std::wstring replaced;
  for (const wchar_t c : text) {
    if (reserved.find(c) == std::wstring::npos)
      replaced += c;
    else
      replaced += replacement;
  }
  text = replaced;
}

int CUtilities::occurrenceCount(const std::wstring& pattern, const std::wstring& text) {
  ZELPH_TRY
    if (pattern.empty()) return 0;
    int count = 0;
    for (size_t at = text.find(pattern, 1); at != std::wstring::npos; at = text.find(pattern, at + 1)) ++count;
    return count;
  ZELPH_CATCH(L"CUtilities::occurrenceCount")
}

std::wstring CUtilities::padding(int count, const std::wstring& text) {
  ZELPH_TRY
    std::wstring padded;
    for (int i = 0; i < count; ++i) padded += text;
    return padded;
  ZELPH_CATCH(L"CUtilities::padding")
}

std::int32_t CUtilities::_httoi(const std::wstring& text) {
  ZELPH_TRY
    const std::wstring upper = CTextCase::upper(text);
    const size_t start = upper.compare(0, 2, L"0X") == 0 ? 2 : 0;
    std::uint32_t value = 0;
    for (size_t i = start; i < upper.size(); ++i) {
      const int digit = hexDigit(upper[i]);
      if (digit < 0) break;
      value = value * 16u + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
  ZELPH_CATCH(L"CUtilities::_httoi")
}

std::wstring CUtilities::trim(const std::wstring& text) {
  ZELPH_TRY
    const auto notSpace = [](wchar_t c) { return !std::iswspace(c); };
    const auto first = std::find_if(text.begin(), text.end(), notSpace);
    const auto last = std::find_if(text.rbegin(), text.rend(), notSpace).base();
    return first < last ? std::wstring(first, last) : std::wstring();
  ZELPH_CATCH(L"CUtilities::trim")
}
