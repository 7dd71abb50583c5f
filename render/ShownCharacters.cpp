#include "ShownCharacters.h"

#include "TextCodec.h"

void ShownCharacters::add(std::string_view piece) {
  size_t at = 0;
  while (at < piece.size() && m_kept < m_most) {
    nextCodePoint(piece, at);
    ++m_kept;
  }
  m_text.append(piece.substr(0, at));
  m_leftOut += utf8Length(piece.substr(at));
}
