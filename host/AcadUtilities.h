// Questions on the host's command line, all of the same shape: the prompt,
// the default in angle brackets, and the value taken echoed back.
#pragma once

#include <string>

class CAcadUtilities {
 public:
  virtual ~CAcadUtilities();

  // The reply "1", "t" ... "yes" is true; Enter keeps the default.
  static void getBoolean(const std::wstring& prompt, bool defaultValue, bool& value);
  static void getDouble(const std::wstring& prompt, double defaultValue, int decimals, double& value);
  static void getInteger(const std::wstring& prompt, int defaultValue, int& value);
  // Both forms ask again until the host takes an answer; cancelling does
  // not end them.  The reply may be empty.
  static std::wstring getString(const std::wstring& prompt);
  static void getString(const std::wstring& prompt, const std::wstring& defaultText, std::wstring& text);
};
