#include "HostSession.h"

#include <cstdlib>
#include <iostream>

#include "ReplyText.h"
#include "TextCodec.h"

HostSession& HostSession::instance() {
  static HostSession session;
  return session;
}

HostSession::HostSession() : m_in(nullptr), m_out(&std::cout), m_product(L"BricsCAD 18"), m_appData(defaultAppDataFolder()) {}

std::wstring HostSession::defaultAppDataFolder() {
  if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome != nullptr && *dataHome != '\0')
    return utf8ToWide(dataHome);
  const char* home = std::getenv("HOME");
  return utf8ToWide(home != nullptr ? home : ".") + L"/.local/share";
}

void HostSession::setInput(std::istream* in) {
  m_in = in;
  m_ended = false;
}

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

std::optional<std::wstring> HostSession::readLine(const std::wstring& prompt) {
  print(prompt);
  std::string line;
  bool tooLong = false;
  if (m_ended || m_in == nullptr || !readBoundedLine(*m_in, line, tooLong)) {
    m_ended = true;
    startLine();
    m_out->flush();
    return std::nullopt;
  }
  if (tooLong) {
    printUtf8("\nAn input line longer than " + std::to_string(kLongestLine) + " bytes is taken as *cancel*.\n");
    m_out->flush();
    return std::wstring(ReplyText::kCancel);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  // A terminal shows what was typed; a script's answers are echoed so the
  // transcript reads like an interactive session.
  if (m_echo)
    printUtf8(line + "\n");
  else
    m_atLineStart = true;
  m_out->flush();
  return utf8ToWide(line);
}

bool HostSession::atEndOfInput() const { return m_ended; }

void HostSession::print(const std::wstring& text) { printUtf8(wideToUtf8(text)); }

void HostSession::printUtf8(const std::string& text) {
  if (text.empty()) return;
  *m_out << text;
  m_atLineStart = text.back() == '\n';
}

void HostSession::startLine() {
  if (!m_atLineStart) printUtf8("\n");
}

void HostSession::flush() { m_out->flush(); }

const std::wstring& HostSession::productName() const { return m_product; }
void HostSession::setProductName(const std::wstring& name) { m_product = name; }
const std::wstring& HostSession::appDataFolder() const { return m_appData; }
void HostSession::setAppDataFolder(const std::wstring& folder) { m_appData = folder; }
