// A malformed file: what is wrong and on which line (or byte).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class DxfError : public std::runtime_error {
 public:
  DxfError(std::uint32_t line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + message), m_line(line), m_reason(message) {}
  // A place other than a line (a binary file's byte offset): "byte 1234".
  DxfError(const std::string& place, const std::string& message)
      : std::runtime_error(place + ": " + message), m_line(0), m_reason(message) {}
  std::uint32_t line() const { return m_line; }
  // The message without its place.
  const std::string& reason() const { return m_reason; }

 private:
  std::uint32_t m_line;
  std::string m_reason;
};
