#include "AcDbHandle.h"

#include <cstring>
#include <cwchar>

namespace {

template <class Char>
bool parseHex(const Char* text, Adesk::UInt64& value) {
  if (text == nullptr || *text == 0) return false;
  Adesk::UInt64 result = 0;
  int digits = 0;
  for (; *text != 0; ++text, ++digits) {
    const Char c = *text;
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else return false;
    if (digits == 16) return false;
    result = (result << 4) | static_cast<Adesk::UInt64>(digit);
  }
  value = result;
  return true;
}

}  // namespace

AcDbHandle::AcDbHandle(const ACHAR* hexText) { parseHex(hexText, m_value); }

AcDbHandle::AcDbHandle(const char* hexText) { parseHex(hexText, m_value); }

bool AcDbHandle::setFromHex(const ACHAR* hexText) { return parseHex(hexText, m_value); }

std::string AcDbHandle::asciiUtf8() const {
  static const char kDigits[] = "0123456789ABCDEF";
  char buffer[17];
  int position = 16;
  buffer[position] = 0;
  Adesk::UInt64 rest = m_value;
  do {
    buffer[--position] = kDigits[rest & 0xF];
    rest >>= 4;
  } while (rest != 0);
  return std::string(buffer + position);
}

std::wstring AcDbHandle::ascii() const {
  const std::string text = asciiUtf8();
  return std::wstring(text.begin(), text.end());
}

bool AcDbHandle::getIntoAsciiBuffer(ACHAR* buffer, size_t bufferLength) const {
  const std::wstring text = ascii();
  if (buffer == nullptr || bufferLength < text.size() + 1) return false;
  std::wmemcpy(buffer, text.c_str(), text.size() + 1);
  return true;
}
