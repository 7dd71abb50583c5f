// Writes a database as DXF text in its file's version, encoding and
// line-end style: modelled sections from the objects, the rest as read.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "DxfOutFiler.h"
#include "ProgressMeter.h"

class AcDbDatabase;
class AcDbBlockTableRecord;
class AcDbObject;
struct DxfFile;

class DxfWriter {
 public:
  // The text goes to the sink in pieces, so a save needs little memory of
  // its own; false from the sink stops the writing.
  using Sink = std::function<bool(std::string_view)>;
  DxfWriter(const AcDbDatabase& database, Sink sink);
  bool write();

 private:
  void writeSection(const std::string& name);
  void writeTables();
  void writeBlocks();
  void writeEntities(const AcDbBlockTableRecord* block);
  void writeEntity(const AcDbObject* entity);
  void writeObjects();
  void writeObject(const AcDbObject* object);
  void flush(bool always);

  const AcDbDatabase& m_database;
  DxfFile& m_file;
  Sink m_sink;
  bool m_ansi;
  bool m_failed = false;
  std::string m_text;
  size_t m_written = 0;
  const ProgressMeter::Scope* m_progress = nullptr;
  DxfOutFiler m_out;
};
