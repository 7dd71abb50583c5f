#include "ShownCharacters.h"

#include "TextCodec.h"

std::string_view ShownCharacters::take(std::string_view piece) {
  size_t at = 0;
  while (at < piece.size() && m_kept < m_most) {
    nextCodePoint(piece, at);
    ++m_kept;
  }
  m_leftOut += utf8Length(piece.substr(at));
  return piece.substr(0, at);
}
