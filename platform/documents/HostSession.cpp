#include "HostSession.h"

#include <cstdlib>
#include <iostream>

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

std::optional<std::wstring> HostSession::readLine(const std::wstring& prompt) {
  print(prompt);
  std::string line;
  if (m_ended || m_in == nullptr || !std::getline(*m_in, line)) {
    m_ended = true;
    startLine();
    m_out->flush();
    return std::nullopt;
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
