#include "HostSession.h"

#include <iostream>
#include <utility>

#include "ProgressMeter.h"
#include "ReplyText.h"
#include "ShlObj.h"
#include "TextCodec.h"

HostSession& HostSession::instance() {
  static HostSession session;
  return session;
}

HostSession::HostSession() : m_in(nullptr), m_out(&std::cout), m_product(L"BricsCAD 18") {
  ProgressMeter::instance().setDisplay([this](const std::wstring& text) { showStatus(text); });
}

std::wstring HostSession::defaultAppDataFolder() { return shellDefaultAppDataFolder(); }

void HostSession::setInput(std::istream* in) {
  m_in = in;
  m_peeked.reset();
  m_ended = false;
}

void HostSession::setLineEditor(LineEditor editor) {
  m_editor = std::move(editor);
  m_peeked.reset();
  m_ended = false;
}

bool HostSession::interactive() const { return static_cast<bool>(m_editor); }

void HostSession::setOutput(std::ostream* out) { m_out = out; }

void HostSession::setEcho(bool echo) { m_echo = echo; }

namespace {

// No answer is this long; a longer line is not kept in memory.
constexpr size_t kLongestLine = 1 << 20;

// One line without its end, at most kLongestLine bytes of it kept; false
// at the end of the input.
bool readBoundedLine(std::istream& in, std::string& line, bool& tooLong) {
  line.clear();
  tooLong = false;
  std::streambuf* buffer = in.rdbuf();
  bool any = false;
  for (int c = buffer != nullptr ? buffer->sbumpc() : EOF; c != EOF; c = buffer->sbumpc()) {
    any = true;
    if (c == '\n') return true;
    if (line.size() < kLongestLine)
      line.push_back(static_cast<char>(c));
    else
      tooLong = true;
  }
  in.setstate(std::ios::eofbit);
  return any;
}

}  // namespace

std::optional<std::string> HostSession::nextLine(const std::wstring& prompt) {
  if (m_ended) return std::nullopt;
  if (m_editor) {
    // The editor shows the prompt itself, after the output so far.
    m_out->flush();
    m_atLineStart = true;
    return m_editor(wideToUtf8(prompt));
  }
  if (m_peeked) return std::exchange(m_peeked, std::nullopt);
  return streamLine();
}

std::optional<std::string> HostSession::streamLine() {
  std::string line;
  bool tooLong = false;
  if (m_in == nullptr || !readBoundedLine(*m_in, line, tooLong)) return std::nullopt;
  if (tooLong) {
    printUtf8("\nAn input line longer than " + std::to_string(kLongestLine) + " bytes is taken as *cancel*.\n");
    return wideToUtf8(ReplyText::kCancel);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::optional<std::wstring> HostSession::readLine(const std::wstring& prompt) {
  if (!m_editor) print(prompt);
  const auto line = nextLine(prompt);
  if (!line) {
    m_ended = true;
    startLine();
    m_out->flush();
    return std::nullopt;
  }
  ++m_lineNumber;
  // A terminal shows what was typed; a script's answers are echoed so the
  // transcript reads like an interactive session.
  if (m_echo && !m_editor)
    printUtf8(*line + "\n");
  else
    m_atLineStart = true;
  m_out->flush();
  return utf8ToWide(*line);
}

std::optional<std::wstring> HostSession::peekLine() {
  if (m_ended || m_editor) return std::nullopt;
  if (!m_peeked) {
    m_peeked = streamLine();
    if (!m_peeked) return std::nullopt;
  }
  return utf8ToWide(*m_peeked);
}

bool HostSession::atEndOfInput() const { return m_ended; }

void HostSession::resumeInput() {
  if (m_editor) m_ended = false;
}

size_t HostSession::lineNumber() const { return m_lineNumber; }

void HostSession::print(const std::wstring& text) { printUtf8(wideToUtf8(text)); }

void HostSession::printUtf8(const std::string& text) {
  if (text.empty()) return;
  if (m_statusShown) {
    *m_out << "\r\x1b[K";
    m_statusShown = false;
  }
  *m_out << text;
  m_atLineStart = text.back() == '\n';
}

void HostSession::startLine() {
  if (!m_atLineStart) printUtf8("\n");
}

void HostSession::flush() { m_out->flush(); }

void HostSession::setTerminalOutput(bool terminal) { m_terminalOutput = terminal; }

void HostSession::showStatus(const std::wstring& text) {
  if (!m_terminalOutput || (text.empty() && !m_statusShown)) return;
  // The status line takes a line of its own below what was printed.
  if (!m_statusShown) startLine();
  *m_out << "\r\x1b[K" << wideToUtf8(text);
  m_out->flush();
  m_statusShown = !text.empty();
}

void HostSession::fail(const std::wstring& message) {
  startLine();
  print(message + L"\n");
  countFailure(message);
}

void HostSession::countFailure(const std::wstring& message) {
  // Once a script has stopped, what its unwinding commands meet is no news.
  if (m_stopped) return;
  ++m_failures;
  if (m_editor) return;
  if (m_failureReport != nullptr) {
    m_out->flush();
    const std::string where = m_ended ? "end of script" : "script line " + std::to_string(m_lineNumber);
    *m_failureReport << "spatiary: " << where << ": " << wideToUtf8(message) << std::endl;
  }
  if (m_stopAtFailure) {
    m_stopped = true;
    m_ended = true;
  }
}

int HostSession::failureCount() const { return m_failures; }

void HostSession::setStopAtFailure(bool stop) { m_stopAtFailure = stop; }

void HostSession::setFailureReport(std::ostream* report) { m_failureReport = report; }

void HostSession::resetFailures() {
  m_failures = 0;
  m_lineNumber = 0;
  m_stopped = false;
}

const std::wstring& HostSession::productName() const { return m_product; }
void HostSession::setProductName(const std::wstring& name) { m_product = name; }
void HostSession::setAppDataFolder(const std::wstring& folder) { shellSetAppDataFolder(folder); }
