// What '@show' prints: a dialog's caption, menu and every visible control
// with its id, kind, text or value and state, then those of its shown pages.
#pragma once

#include <string>

class CDialog;
class CWnd;

class DialogListing {
 public:
  static std::wstring describe(const CDialog& dialog);

 private:
  static std::wstring controlLines(const CDialog& dialog);
  static std::wstring controlLine(const CDialog& dialog, const CWnd& control);
  static std::wstring items(const CWnd& control);
  static std::wstring quoted(const std::wstring& text);
};
