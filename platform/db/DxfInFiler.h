// Hands an object the tag it is reading, with checked conversions: a value
// that is not what its group code says fails naming the line.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "AcDbHandle.h"
#include "AcDbObjectId.h"
#include "DxfTag.h"

class AcDbDatabase;

class DxfInFiler {
 public:
  explicit DxfInFiler(AcDbDatabase& database);

  void setTag(const DxfTag& tag) { m_tag = tag; }
  int code() const { return m_tag.code; }
  std::string_view raw() const { return m_tag.value; }
  std::uint32_t line() const { return m_tag.line; }

  double real() const;
  long long integer() const;
  bool flag() const { return integer() != 0; }
  // Fails unless the value is of the kind its group code says.
  void check() const;
  std::wstring text() const;
  // The text as UTF-8, at the end of out.
  void appendText(std::string& out) const;
  AcDbHandle handle() const;
  // The object the handle names, made known when it comes later; null for "0".
  AcDbObjectId objectId() const;
  // A record of a table by the tag's name; null when there is none.
  AcDbObjectId record(AcDbObjectId table) const;
  // The layer of the tag's name, made when the drawing lacks it.
  AcDbObjectId layer();

  AcDbDatabase& database() const { return m_database; }
  [[noreturn]] void fail(const std::string& message) const;

 private:
  AcDbDatabase& m_database;
  DxfTag m_tag;
  std::unordered_map<std::string_view, AcDbObjectId> m_layers;
  mutable std::string_view m_lastHandleText;
  mutable AcDbObjectId m_lastId;
};
