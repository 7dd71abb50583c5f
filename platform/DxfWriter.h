// Writes a database as DXF text in its file's version, encoding and
// line-end style: modelled sections from the objects, the rest as read.
#pragma once

#include <string>

#include "DxfOutFiler.h"

class AcDbDatabase;
class AcDbBlockTableRecord;
class AcDbObject;
struct DxfFile;

class DxfWriter {
 public:
  explicit DxfWriter(const AcDbDatabase& database);
  std::string write();

 private:
  void writeSection(const std::string& name);
  void writeTables();
  void writeBlocks();
  void writeEntities(const AcDbBlockTableRecord* block);
  void writeEntity(const AcDbObject* entity);
  void writeObjects();
  void writeObject(const AcDbObject* object);

  const AcDbDatabase& m_database;
  DxfFile& m_file;
  std::string m_text;
  DxfOutFiler m_out;
};
