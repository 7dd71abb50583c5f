// The host's system variables that modules read and set.  Names ignore
// case; drawing variables come from the current drawing.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "resbuf.h"

class AcDbDatabase;

class SystemVariables {
 public:
  static SystemVariables& instance();

  // RTNORM, or RTERROR for an unknown name.  A text value is allocated for
  // the caller, who frees it as resbuf strings are freed.
  int get(const ACHAR* name, resbuf* result) const;
  // RTNORM, or RTERROR for an unknown or read-only name or a value of the
  // wrong type or out of the variable's range.
  int set(const ACHAR* name, const resbuf* value);

 private:
  SystemVariables();
  struct Number {
    std::function<short()> read;
    std::function<void(short)> write;
    short lowest, highest;
  };
  // A number the working drawing keeps.
  static Number drawingNumber(std::function<short(AcDbDatabase&)> read,
                              std::function<void(AcDbDatabase&, short)> write, short lowest, short highest);
  // A number the host keeps itself.
  void keep(const std::wstring& name, short initial, short lowest, short highest);

  std::map<std::wstring, std::function<std::wstring()>> m_texts;
  std::map<std::wstring, Number> m_numbers;
  std::map<std::wstring, short> m_kept;
};
