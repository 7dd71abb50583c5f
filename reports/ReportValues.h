// The text forms of a graphic report's values: how a truth value and a
// colour are read, and the check that every value of a report has the form
// its element asks for, so that a damaged report is refused with the lines
// to mend instead of being applied half understood.
#pragma once

#include <string>
#include <vector>

#include "AcCmColor.h"

class CXMLUtilities;

class CReportValues {
 public:
  // True for "1" and "true" only.
  static bool toBoolean(const std::wstring& text);
  // "#RRGGBB" as a true colour; the first character is not looked at.
  static AcCmColor toColour(const std::wstring& text);
  // One line per value of the wrong form: where it stands, the element, its text and the form it needs.
  static std::vector<std::wstring> check(const CXMLUtilities& document);
};
