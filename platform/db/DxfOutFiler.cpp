#include "DxfOutFiler.h"

#include <charconv>
#include <cmath>

#include "DxfText.h"

void DxfOutFiler::tag(int code, std::string_view value) {
  char buffer[16];
  auto end = std::to_chars(buffer, buffer + sizeof buffer, code).ptr;
  const int width = static_cast<int>(end - buffer);
  // Codes right-aligned in three columns, as CAD programs write them.
  if (width < 3) m_out.append(3 - width, ' ');
  m_out.append(buffer, end);
  m_out.append(m_lineEnd);
  m_out.append(value);
  m_out.append(m_lineEnd);
}

void DxfOutFiler::text(int code, const std::wstring& value) { tag(code, DxfText::encode(value)); }

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
