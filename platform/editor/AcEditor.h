// The editor's questions on the host's command line: one answer a line,
// asked again with a message when the answer is of the wrong kind.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "Acad.h"
#include "Keywords.h"

class AcEditor {
 public:
  static AcEditor& instance();

  // Applies to the next question only.
  int initGet(int flags, const ACHAR* keywords);

  int getString(bool blanksAllowed, const ACHAR* prompt, ACHAR* result, size_t bufferLength);
  int getReal(const ACHAR* prompt, ads_real* result);
  int getInt(const ACHAR* prompt, int* result);
  int getPoint(const ads_point basePoint, const ACHAR* prompt, ads_point result);
  int getKword(const ACHAR* prompt, ACHAR* result, size_t bufferLength);
  // The keyword or free answer behind the last RTKWORD.
  int getInput(ACHAR* result, size_t bufferLength) const;

  enum class Kind { Answer, Enter, Cancel };
  struct Answer {
    Kind kind;
    std::wstring text;
  };
  // One line: "*cancel*" is Escape, and so is the end of input, which
  // counts a failure of the run unless the end is quiet.
  static Answer ask(const ACHAR* prompt, bool quietEnd = false);
  // Refuses an answer: says why on a line of its own and counts a failure of the run.
  static void complain(const std::wstring& message);
  // Offered the lines meant for an open window rather than for the prompt
  // (a dialog's '@' lines); returns false to leave a line to the prompt.
  // The dialog toolkit sets it.
  using LineTaker = std::function<bool(const std::wstring& line)>;
  static void setLineTaker(LineTaker taker);

 private:
  AcEditor() = default;
  struct Rules {
    int flags = 0;
    Keywords keywords;
  };
  Rules takeRules();
  // Reads answers until one is a number the rules allow; RTNORM, RTNONE,
  // RTKWORD or RTCAN.
  template <typename Number>
  int getNumber(const ACHAR* prompt, Number* result, std::optional<Number> (*parse)(const std::wstring&),
                const wchar_t* wrongKind);
  // RTKWORD when the answer is a keyword of the rules (or any text they let
  // through), remembering it for getInput.
  bool takeKeyword(const Rules& rules, const std::wstring& answer, bool anyText);

  Rules m_next;
  std::wstring m_lastInput;
};
