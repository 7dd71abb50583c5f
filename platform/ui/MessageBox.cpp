#include "MessageBox.h"

#include <string>
#include <vector>

#include "HostSession.h"
#include "ReplyText.h"

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

size_t defaultButton(UINT type, size_t count) {
  const size_t chosen = (type & MB_DEFMASK) >> 8;
  return chosen < count ? chosen : 0;
}

// The button row, the default in brackets.
std::wstring buttonRow(const std::vector<Button>& buttons, size_t chosen) {
  std::wstring row;
  for (size_t i = 0; i < buttons.size(); ++i) {
    const std::wstring label = buttons[i].label;
    row += (i == 0 ? L"" : L" ") + (i == chosen ? L"[" + label + L"]" : label);
  }
  return row;
}

// Every button text a box can have.
bool isBoxAnswer(const std::wstring& word) {
  for (const wchar_t* label : {L"Yes", L"No", L"Cancel", L"OK"})
    if (ReplyText::equalsIgnoringCase(word, label)) return true;
  return false;
}

// The button an answer names; the buttons' count when none does.
size_t buttonNamed(const std::vector<Button>& buttons, const std::wstring& answer) {
  std::wstring word = ReplyText::trim(answer);
  if (!word.empty() && word.front() == L'@') word.erase(0, 1);
  for (size_t i = 0; i < buttons.size(); ++i)
    if (ReplyText::equalsIgnoringCase(word, buttons[i].label)) return i;
  return buttons.size();
}

// Escape takes the way out that changes nothing: Cancel, else the last button.
size_t escapeButton(const std::vector<Button>& buttons) {
  for (size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i].result == IDCANCEL) return i;
  return buttons.size() - 1;
}

// A person answers at a prompt; Enter takes the default.
size_t askPerson(const std::vector<Button>& buttons, size_t chosen) {
  auto& session = HostSession::instance();
  std::wstring labels;
  for (const Button& button : buttons) labels += (labels.empty() ? L"" : L"/") + std::wstring(button.label);
  const std::wstring prompt = L"[" + labels + L"] <" + buttons[chosen].label + L">: ";
  for (;;) {
    const auto line = session.readLine(prompt);
    if (!line || ReplyText::trim(*line).empty()) return chosen;
    if (ReplyText::trim(*line) == ReplyText::kCancel) return escapeButton(buttons);
    const size_t named = buttonNamed(buttons, *line);
    if (named < buttons.size()) return named;
    session.fail(L"Answer " + labels + L".");
  }
}

// A script answers with an '@' line naming a button; any other line is
// left for what comes after the box, which keeps its default.
size_t askScript(const std::vector<Button>& buttons, size_t chosen, const std::wstring& caption) {
  auto& session = HostSession::instance();
  const auto next = session.peekLine();
  const std::wstring text = next ? ReplyText::trim(*next) : L"";
  if (text.size() > 1 && text.front() == L'@' && isBoxAnswer(text.substr(1))) {
    session.readLine(L"");
    const size_t named = buttonNamed(buttons, text);
    if (named < buttons.size()) return named;
    session.fail(L"The box \"" + caption + L"\" has no button " + text.substr(1) + L".");
    return escapeButton(buttons);
  }
  session.print(std::wstring(buttons[chosen].label) + L" chosen.\n");
  return chosen;
}

std::wstring firstLine(const std::wstring& text) {
  const size_t start = text.find_first_not_of(L"\r\n");
  if (start == std::wstring::npos) return L"";
  return text.substr(start, text.find_first_of(L"\r\n", start) - start);
}

}  // namespace

int MessageBoxW(HWND, const ACHAR* text, const ACHAR* caption, UINT type) {
  const auto buttons = buttonsOf(type);
  const size_t chosen = defaultButton(type, buttons.size());
  std::wstring body = text != nullptr ? text : L"";
  if (body.empty() || body.back() != L'\n') body += L'\n';
  const std::wstring title = caption != nullptr ? caption : L"Error";
  auto& session = HostSession::instance();
  session.startLine();
  session.print(L"--- " + title + L" ---\n" + body + buttonRow(buttons, chosen) + L"\n");
  // A box that reports an error, or refuses what was typed, fails the run.
  const UINT icon = type & 0xF0;
  if (icon == MB_ICONERROR || icon == MB_ICONWARNING) session.countFailure(title + L": " + firstLine(body));
  const size_t answer = session.interactive() ? askPerson(buttons, chosen) : askScript(buttons, chosen, title);
  return buttons[answer].result;
}

int AfxMessageBox(const ACHAR* text, UINT type) {
  return MessageBoxW(nullptr, text, HostSession::instance().productName().c_str(), type);
}
