// Splits DXF text into tags, one look-ahead at a time, without copying:
// each tag's value is a view of the text.  Comments (group 999) are skipped.
#pragma once

#include <cstddef>
#include <string_view>

#include "DxfTag.h"

class DxfTagReader {
 public:
  explicit DxfTagReader(std::string_view text, std::uint32_t firstLine = 1);

  bool atEnd() const { return !m_hasNext; }
  // The next tag, not consumed; only valid when not at the end.
  const DxfTag& peek() const { return m_next; }
  DxfTag next();
  // Offset in the text where the peeked tag starts (the text size at the end).
  size_t offset() const { return m_nextOffset; }
  // The line the reader stopped at, for a message about the end of the text.
  std::uint32_t line() const { return m_line; }
  std::string_view text() const { return m_text; }

 private:
  void advance();
  void readTag();
  std::string_view readLine();

  std::string_view m_text;
  size_t m_position = 0;
  std::uint32_t m_line;
  DxfTag m_next;
  size_t m_nextOffset = 0;
  bool m_hasNext = false;
};
