// A malformed file: what is wrong and on which line.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class DxfError : public std::runtime_error {
 public:
  DxfError(std::uint32_t line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + message), m_line(line) {}
  std::uint32_t line() const { return m_line; }

 private:
  std::uint32_t m_line;
};
