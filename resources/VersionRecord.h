// What the module says about itself: its version, build date and the CAD
// version it was built for.
#pragma once

#include <string>

class CVersionRecord {
 public:
  static std::wstring moduleVersion();
  // As the compiler writes it, "Jan  8 2020".
  static std::wstring buildDate();
  static std::wstring cadVersion();
};
