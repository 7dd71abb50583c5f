// A text being gathered for a picture: keeps the characters that fit in
// its room and counts the rest, so a text of any length costs only room.
#pragma once

#include <cstdint>
#include <string_view>

class ShownCharacters {
 public:
  ShownCharacters(size_t most, std::uint64_t& leftOut) : m_most(most), m_leftOut(leftOut) {}

  // The part of the UTF-8 piece that still fits; the characters past the
  // room are counted.
  std::string_view take(std::string_view piece);

 private:
  size_t m_most;
  std::uint64_t& m_leftOut;
  size_t m_kept = 0;
};
