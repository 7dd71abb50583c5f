// Reads a whole DXF text into an empty database: the header, tables,
// block definitions, entities and objects it models, every other section
// carried as text.  A malformed file throws DxfError naming the line.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DxfClassRegistry.h"
#include "DxfError.h"
#include "DxfInFiler.h"
#include "DxfTag.h"
#include "DxfTagReader.h"
#include "ProgressMeter.h"

class AcDbDatabase;
class AcDbObject;
class AcDbBlockTableRecord;
class AcDbEntity;
struct DxfFile;

class DxfReader {
 public:
  explicit DxfReader(AcDbDatabase& database);
  void read(std::string text);

 private:
  void readText();
  // The error as the file's own lines (or bytes) place it, when the text read was made from it.
  DxfError placed(const DxfError& error) const;
  void prepareText();
  // An older or partial drawing is brought into this version's structure first.
  void upgrade();
  // start: where the section's "0 SECTION" begins.
  void readSection(DxfTagReader& reader, size_t start);
  // Refuses a drawing without model space, and gives the one read the
  // sections and block markers its saved file needs.
  void completeDrawing(std::uint32_t lastLine);
  // The line an object read from the file starts on.
  std::uint32_t lineOf(AcDbObjectId id, std::uint32_t fallback) const;
  void readHeader(DxfTagReader& reader);
  void readTables(DxfTagReader& reader);
  void readBlocks(DxfTagReader& reader);
  void readEntities(DxfTagReader& reader);
  void readObjects(DxfTagReader& reader);
  void carrySection(DxfTagReader& reader, const std::string& name, size_t start);
  // The tags of the next object, up to the next group 0.
  void collect(DxfTagReader& reader);
  AcDbObject* make(DxfClassRegistry::Place place);
  AcDbEntity* readEntity(DxfTagReader& reader, AcDbBlockTableRecord* block);
  void readFollowers(DxfTagReader& reader, AcDbEntity* entity);
  AcDbBlockTableRecord* blockNamed(const std::wstring& name);
  bool atSectionEnd(DxfTagReader& reader, const std::string& name) const;

  AcDbDatabase& m_database;
  DxfFile& m_file;
  DxfInFiler m_in;
  std::vector<DxfTag> m_tags;
  std::string_view m_span;
  const ProgressMeter::Scope* m_progress = nullptr;
  // For each tag of the text read: where it stands in the file.
  std::vector<std::uint32_t> m_byteOffsets;
  std::vector<std::uint32_t> m_upgradeLines;
};
