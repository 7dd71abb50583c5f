#include "DxfOutFiler.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "DxfText.h"

namespace {

// Where a piece from start may end: past a whole character, and not just
// after a caret, whose meaning depends on what follows it.
size_t pieceEnd(std::string_view text, size_t start) {
  size_t end = std::min(text.size(), start + DxfOutFiler::kPiece);
  while (end < text.size() && ((static_cast<unsigned char>(text[end]) & 0xC0) == 0x80 || text[end - 1] == '^')) ++end;
  return end;
}

}  // namespace

void DxfOutFiler::append(std::string_view text, bool encoded) {
  for (size_t start = 0, end = 0; start < text.size(); start = end) {
    end = pieceEnd(text, start);
    if (encoded) DxfText::appendEncoded(text.substr(start, end - start), m_out);
    else m_out.append(text.substr(start, end - start));
    if (m_full && m_out.size() >= kPiece) m_full();
  }
}

void DxfOutFiler::raw(std::string_view text) { append(text, false); }

void DxfOutFiler::code(int code) {
  char buffer[16];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, code).ptr;
  const int width = static_cast<int>(end - buffer);
  // Codes right-aligned in three columns, as CAD programs write them.
  if (width < 3) m_out.append(3 - width, ' ');
  m_out.append(buffer, end);
  m_out.append(m_lineEnd);
}

void DxfOutFiler::tag(int code, std::string_view value) {
  this->code(code);
  append(value, false);
  m_out.append(m_lineEnd);
}

void DxfOutFiler::text(int code, const std::wstring& value) { tag(code, DxfText::encode(value)); }

void DxfOutFiler::utf8Text(int code, std::string_view value) {
  this->code(code);
  append(value, true);
  m_out.append(m_lineEnd);
}

std::string DxfOutFiler::realText(double value) { return DxfText::realText(value); }

void DxfOutFiler::real(int code, double value) { tag(code, realText(value)); }

void DxfOutFiler::integer(int code, long long value) {
  char buffer[24];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  tag(code, std::string_view(buffer, end - buffer));
}

void DxfOutFiler::point(int code, const AcGePoint3d& point) {
  real(code, point.x);
  real(code + 10, point.y);
  real(code + 20, point.z);
}

void DxfOutFiler::point2d(int code, double x, double y) {
  real(code, x);
  real(code + 10, y);
}

void DxfOutFiler::vector(int code, const AcGeVector3d& vector) { point(code, AcGePoint3d(vector.x, vector.y, vector.z)); }

void DxfOutFiler::handle(int code, AcDbHandle handle) { tag(code, handle.asciiUtf8()); }

void DxfOutFiler::objectId(int code, AcDbObjectId id) { handle(code, id.handle()); }
