// Writes tags to the output text in the file's line-end style.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "AcDbHandle.h"
#include "AcDbObjectId.h"
#include "AcGePoint3d.h"
#include "AcGeVector3d.h"

class DxfOutFiler {
 public:
  DxfOutFiler(std::string& out, std::string_view lineEnd) : m_out(out), m_lineEnd(lineEnd) {}
  // Called whenever the output has grown by a piece, also within a long
  // value (between its characters), so that a writer can pass it on and
  // clear it: no value is then held twice whole.
  void onPiece(std::function<void()> full) { m_full = std::move(full); }
  static constexpr size_t kPiece = 1 << 20;

  void tag(int code, std::string_view value);
  void text(int code, const std::wstring& value);
  void utf8Text(int code, std::string_view value);
  void real(int code, double value);
  // The shortest text that reads back as the value, always with a point or exponent.
  static std::string realText(double value);
  void integer(int code, long long value);
  // The x code; y and z follow at code + 10 and code + 20.
  void point(int code, const AcGePoint3d& point);
  void point2d(int code, double x, double y);
  void vector(int code, const AcGeVector3d& vector);
  void handle(int code, AcDbHandle handle);
  void objectId(int code, AcDbObjectId id);
  // Tags already in file form.
  void raw(std::string_view text);
  std::string_view lineEnd() const { return m_lineEnd; }

 private:
  // The group code's line.
  void code(int code);
  // Appends the text (encoded when a value) a piece at a time.
  void append(std::string_view text, bool encoded);

  std::string& m_out;
  std::string_view m_lineEnd;
  std::function<void()> m_full;
};
