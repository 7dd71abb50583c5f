#include "AcEditor.h"

#include <cwchar>
#include <cwctype>

#include "HostSession.h"
#include "ReplyText.h"
#include "aced.h"

namespace {

int copyOut(const std::wstring& text, ACHAR* result, size_t bufferLength) {
  if (result == nullptr || bufferLength == 0) return RTERROR;
  if (text.size() >= bufferLength) return RTERROR;
  std::wmemcpy(result, text.c_str(), text.size() + 1);
  return RTNORM;
}

std::wstring promptText(const ACHAR* prompt) { return prompt != nullptr ? prompt : L""; }

// The prompt as the person sees it waiting: its last line.
std::wstring lastLine(const std::wstring& prompt) {
  const std::wstring text = ReplyText::trim(prompt);
  return text.substr(text.find_last_of(L'\n') == std::wstring::npos ? 0 : text.find_last_of(L'\n') + 1);
}

AcEditor::LineTaker& lineTaker() {
  static AcEditor::LineTaker taker;
  return taker;
}

// While a prompt waits, an open dialog still takes its '@' lines (a
// relative point "@dx,dy" has no letter after the '@').
bool takenByWindow(const std::wstring& line) {
  const std::wstring text = ReplyText::trim(line);
  return text.size() > 1 && text.front() == L'@' && std::iswalpha(text[1]) != 0 && lineTaker() &&
         lineTaker()(text);
}

}  // namespace

AcEditor& AcEditor::instance() {
  static AcEditor editor;
  return editor;
}

int AcEditor::initGet(int flags, const ACHAR* keywords) {
  m_next.flags = flags;
  m_next.keywords = Keywords(keywords != nullptr ? keywords : L"");
  return RTNORM;
}

AcEditor::Rules AcEditor::takeRules() {
  Rules rules = std::move(m_next);
  m_next = Rules();
  return rules;
}

AcEditor::Answer AcEditor::ask(const ACHAR* prompt, bool quietEnd) {
  auto line = HostSession::instance().readLine(promptText(prompt));
  while (line && takenByWindow(*line)) line = HostSession::instance().readLine(promptText(prompt));
  if (!line) {
    // Nobody is left to answer, so the question is cancelled.  A text
    // question leaves its default then; one waiting for a value or a pick
    // fails the run.
    if (!quietEnd)
      HostSession::instance().fail(L"The input ended while \"" + lastLine(promptText(prompt)) + L"\" was waiting.");
    return {Kind::Cancel, {}};
  }
  if (ReplyText::trim(*line) == ReplyText::kCancel) return {Kind::Cancel, {}};
  if (line->empty()) return {Kind::Enter, {}};
  return {Kind::Answer, *line};
}

void AcEditor::setLineTaker(LineTaker taker) { lineTaker() = std::move(taker); }

void AcEditor::complain(const std::wstring& message) { HostSession::instance().fail(message); }

bool AcEditor::takeKeyword(const Rules& rules, const std::wstring& answer, bool anyText) {
  if (const auto keyword = rules.keywords.match(answer)) {
    m_lastInput = *keyword;
    return true;
  }
  if (!anyText) return false;
  m_lastInput = answer;
  return true;
}

int AcEditor::getString(bool blanksAllowed, const ACHAR* prompt, ACHAR* result, size_t bufferLength) {
  takeRules();
  const Answer answer = ask(prompt, true);
  if (answer.kind == Kind::Cancel) return RTCAN;
  // Without blanks allowed the space bar ends the answer, as Enter does.
  std::wstring text = answer.text;
  if (!blanksAllowed) text = text.substr(0, text.find(L' '));
  if (copyOut(text, result, bufferLength) == RTNORM) return RTNORM;
  complain(L"The answer is too long: at most " + std::to_wstring(bufferLength - 1) + L" characters.");
  return RTERROR;
}

template <typename Number>
int AcEditor::getNumber(const ACHAR* prompt, Number* result, std::optional<Number> (*parse)(const std::wstring&),
                        const wchar_t* wrongKind) {
  const Rules rules = takeRules();
  for (;;) {
    const Answer answer = ask(prompt);
    if (answer.kind == Kind::Cancel) return RTCAN;
    if (answer.kind == Kind::Enter) {
      if ((rules.flags & RSG_NONULL) == 0) return RTNONE;
      complain(wrongKind);
      continue;
    }
    const auto value = parse(answer.text);
    if (!value) {
      if (takeKeyword(rules, answer.text, (rules.flags & RSG_OTHER) != 0)) return RTKWORD;
      complain(wrongKind);
    } else if ((rules.flags & RSG_NOZERO) != 0 && *value == 0) {
      complain(L"Value must be nonzero.");
    } else if ((rules.flags & RSG_NONEG) != 0 && *value < 0) {
      complain(L"Value must be positive.");
    } else {
      if (result != nullptr) *result = *value;
      return RTNORM;
    }
  }
}

int AcEditor::getReal(const ACHAR* prompt, ads_real* result) {
  return getNumber<double>(prompt, result, &ReplyText::real, L"Requires numeric value.");
}

int AcEditor::getInt(const ACHAR* prompt, int* result) {
  return getNumber<int>(prompt, result, &ReplyText::integer, L"Requires an integer value.");
}

int AcEditor::getPoint(const ads_point basePoint, const ACHAR* prompt, ads_point result) {
  const Rules rules = takeRules();
  for (;;) {
    const Answer answer = ask(prompt);
    if (answer.kind == Kind::Cancel) return RTCAN;
    if (answer.kind == Kind::Enter) {
      if ((rules.flags & RSG_NONULL) == 0) return RTNONE;
      complain(L"Invalid point.");
      continue;
    }
    // "@dx,dy" is relative to the base point.
    const std::wstring text = ReplyText::trim(answer.text);
    const bool relative = basePoint != nullptr && !text.empty() && text.front() == L'@';
    ads_point point;
    if (ReplyText::point(relative ? text.substr(1) : text, point)) {
      for (int axis = X; axis <= Z; ++axis) result[axis] = point[axis] + (relative ? basePoint[axis] : 0.0);
      return RTNORM;
    }
    if (takeKeyword(rules, answer.text, (rules.flags & RSG_OTHER) != 0)) return RTKWORD;
    complain(L"Invalid point.");
  }
}

int AcEditor::getKword(const ACHAR* prompt, ACHAR* result, size_t bufferLength) {
  const Rules rules = takeRules();
  for (;;) {
    const Answer answer = ask(prompt);
    if (answer.kind == Kind::Cancel) return RTCAN;
    if (answer.kind == Kind::Enter) {
      if ((rules.flags & RSG_NONULL) == 0) return RTNONE;
      complain(L"Invalid option keyword.");
      continue;
    }
    if (takeKeyword(rules, answer.text, rules.keywords.empty() || (rules.flags & RSG_OTHER) != 0))
      return copyOut(m_lastInput, result, bufferLength);
    complain(L"Invalid option keyword.");
  }
}

int AcEditor::getInput(ACHAR* result, size_t bufferLength) const { return copyOut(m_lastInput, result, bufferLength); }
