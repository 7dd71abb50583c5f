#include "DxfTagReader.h"

#include <cstring>
#include <string>

#include "DxfError.h"

namespace {

// A comment may stand wherever a group may; nothing reads it.
constexpr int kComment = 999;

// Group codes are short integers; parsed by hand, as every line of the file is one.
bool parseCode(std::string_view text, int& code) {
  size_t i = text.size() > 1 && text[0] == '-' ? 1 : 0;
  if (i == text.size() || text.size() - i > 9) return false;
  int value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  code = text[0] == '-' ? -value : value;
  return true;
}

}  // namespace

DxfTagReader::DxfTagReader(std::string_view text, std::uint32_t firstLine) : m_text(text), m_line(firstLine) {
  advance();
}

DxfTag DxfTagReader::next() {
  DxfTag tag = m_next;
  advance();
  return tag;
}

std::string_view DxfTagReader::readLine() {
  const char* start = m_text.data() + m_position;
  const size_t rest = m_text.size() - m_position;
  const void* newline = std::memchr(start, '\n', rest);
  size_t length = newline ? static_cast<const char*>(newline) - start : rest;
  m_position += newline ? length + 1 : length;
  ++m_line;
  if (length > 0 && start[length - 1] == '\r') --length;
  return std::string_view(start, length);
}

void DxfTagReader::advance() {
  // Whatever follows EOF is not part of the drawing.
  if (m_hasNext && m_next.code == 0 && m_next.value == "EOF") {
    m_nextOffset = m_text.size();
    m_hasNext = false;
    return;
  }
  do readTag();
  while (m_hasNext && m_next.code == kComment);
}

void DxfTagReader::readTag() {
  m_nextOffset = m_position;
  if (m_position >= m_text.size()) {
    m_hasNext = false;
    return;
  }
  const std::uint32_t codeLine = m_line;
  std::string_view code = readLine();
  while (!code.empty() && (code.front() == ' ' || code.front() == '\t')) code.remove_prefix(1);
  while (!code.empty() && (code.back() == ' ' || code.back() == '\t')) code.remove_suffix(1);
  if (!parseCode(code, m_next.code)) {
    std::string shown(code.substr(0, 40));
    for (char& c : shown)
      if (static_cast<unsigned char>(c) < 0x20) c = '?';
    throw DxfError(codeLine, "group code '" + shown + "' is not a number");
  }
  if (m_position >= m_text.size())
    throw DxfError(codeLine, "group code " + std::to_string(m_next.code) + " has no value");
  m_next.line = codeLine;
  m_next.value = readLine();
  m_hasNext = true;
}
