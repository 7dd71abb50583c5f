#include "DxfTagReader.h"

#include <charconv>
#include <cstring>
#include <string>

#include "DxfError.h"

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
  m_nextOffset = m_position;
  if (m_position >= m_text.size()) {
    m_hasNext = false;
    return;
  }
  const std::uint32_t codeLine = m_line;
  std::string_view code = readLine();
  while (!code.empty() && (code.front() == ' ' || code.front() == '\t')) code.remove_prefix(1);
  while (!code.empty() && (code.back() == ' ' || code.back() == '\t')) code.remove_suffix(1);
  int value = 0;
  const auto result = std::from_chars(code.data(), code.data() + code.size(), value);
  if (code.empty() || result.ec != std::errc() || result.ptr != code.data() + code.size()) {
    std::string shown(code.substr(0, 40));
    for (char& c : shown)
      if (static_cast<unsigned char>(c) < 0x20) c = '?';
    throw DxfError(codeLine, "group code '" + shown + "' is not a number");
  }
  if (m_position >= m_text.size()) throw DxfError(codeLine, "group code " + std::to_string(value) + " has no value");
  m_next.code = value;
  m_next.line = codeLine;
  m_next.value = readLine();
  m_hasNext = true;
}
