#include "MessageBox.h"

#include <string>
#include <vector>

#include "HostSession.h"

namespace {

struct Button {
  const wchar_t* label;
  int result;
};

std::vector<Button> buttonsOf(UINT type) {
  switch (type & 0xF) {
    case MB_OKCANCEL: return {{L"OK", IDOK}, {L"Cancel", IDCANCEL}};
    case MB_YESNOCANCEL: return {{L"Yes", IDYES}, {L"No", IDNO}, {L"Cancel", IDCANCEL}};
    case MB_YESNO: return {{L"Yes", IDYES}, {L"No", IDNO}};
    default: return {{L"OK", IDOK}};
  }
}

// The button row with the answer, the first button, in brackets.
std::wstring buttonRow(const std::vector<Button>& buttons) {
  std::wstring row = L"[" + std::wstring(buttons.front().label) + L"]";
  for (size_t i = 1; i < buttons.size(); ++i) row += L" " + std::wstring(buttons[i].label);
  return row;
}

}  // namespace

int MessageBoxW(HWND, const ACHAR* text, const ACHAR* caption, UINT type) {
  const auto buttons = buttonsOf(type);
  std::wstring body = text != nullptr ? text : L"";
  if (body.empty() || body.back() != L'\n') body += L'\n';
  auto& session = HostSession::instance();
  session.startLine();
  session.print(L"--- " + std::wstring(caption != nullptr ? caption : L"Error") + L" ---\n" + body +
                buttonRow(buttons) + L"\n");
  return buttons.front().result;
}

int AfxMessageBox(const ACHAR* text, UINT type) {
  return MessageBoxW(nullptr, text, HostSession::instance().productName().c_str(), type);
}
