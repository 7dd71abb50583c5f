// A text being gathered for a picture: keeps the characters that fit in
// its room and counts the rest, so a text of any length costs only room.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class ShownCharacters {
 public:
  ShownCharacters(std::string& text, size_t most, std::uint64_t& leftOut)
      : m_text(text), m_most(most), m_leftOut(leftOut) {}

  // Adds UTF-8 text, the characters past the room counted, not kept.
  void add(std::string_view piece);

 private:
  std::string& m_text;
  size_t m_most;
  std::uint64_t& m_leftOut;
  size_t m_kept = 0;
};
