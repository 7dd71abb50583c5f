// A drawing object's permanent 64-bit name, written as upper-case
// hexadecimal text without leading zeros ("1F4").
#pragma once

#include <cstddef>
#include <string>

#include "Acad.h"

class AcDbHandle {
 public:
  AcDbHandle() = default;
  AcDbHandle(Adesk::UInt64 value) : m_value(value) {}  // NOLINT: handles convert freely, as the host's do
  // From hexadecimal text; text that is not hexadecimal gives the null handle.
  explicit AcDbHandle(const ACHAR* hexText);
  explicit AcDbHandle(const char* hexText);

  bool isNull() const { return m_value == 0; }
  void setNull() { m_value = 0; }
  Adesk::UInt64 value() const { return m_value; }
  Adesk::UInt32 low() const { return static_cast<Adesk::UInt32>(m_value); }
  Adesk::UInt32 high() const { return static_cast<Adesk::UInt32>(m_value >> 32); }
  // Writes the text (at most 16 digits and the terminator); false when it does not fit.
  bool getIntoAsciiBuffer(ACHAR* buffer, size_t bufferLength = 17) const;
  std::wstring ascii() const;
  std::string asciiUtf8() const;
  // Parses hexadecimal text of 1 to 16 digits; false (and no change) otherwise.
  bool setFromHex(const ACHAR* hexText);

  operator Adesk::UInt64() const { return m_value; }  // NOLINT
  AcDbHandle& operator++() { ++m_value; return *this; }
  bool operator==(const AcDbHandle& other) const { return m_value == other.m_value; }
  bool operator!=(const AcDbHandle& other) const { return m_value != other.m_value; }
  bool operator<(const AcDbHandle& other) const { return m_value < other.m_value; }

 private:
  Adesk::UInt64 m_value = 0;
};
