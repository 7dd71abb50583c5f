#include "DxfWriter.h"

#include "AcDbBlockBegin.h"
#include "AcDb2dPolyline.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTable.h"
#include "AcDbDatabase.h"
#include "AcDbStub.h"
#include "AcDbUnmodelledEntity.h"
#include "DxfFile.h"
#include "DxfText.h"

#include <utility>

namespace {

const AcDbObject* live(AcDbObjectId id) {
  return id.isValid() && !id.stub()->object->isErased() ? id.stub()->object.get() : nullptr;
}

}  // namespace

DxfWriter::DxfWriter(const AcDbDatabase& database, Sink sink)
    : m_database(database), m_file(database.dxfFile()), m_sink(std::move(sink)), m_out(m_text, m_file.lineEnd) {
  const std::string version = m_file.header.value("$ACADVER");
  m_ansi = !version.empty() && version < "AC1021";
  m_out.onPiece([this] { flush(false); });
}

void DxfWriter::flush(bool always) {
  if (!always && m_text.size() < DxfOutFiler::kPiece) return;
  // Pieces end between characters, so none is split; after a failure
  // the rest is dropped, not gathered.
  if (!m_failed) m_failed = !m_sink(m_ansi ? DxfText::utf8ToAnsi(m_text) : m_text);
  m_written += m_text.size();
  if (m_progress != nullptr) m_progress->move(static_cast<int>(m_written >> 10));
  m_text.clear();
}

bool DxfWriter::write() {
  // A large drawing shows its progress, measured against the size it was read at.
  const size_t expected = m_file.text.size();
  const ProgressMeter::Scope progress(L"Saving drawing", 0, expected >= ProgressMeter::kLargeFile ? static_cast<int>(expected >> 10) : 0);
  m_progress = &progress;
  m_text.reserve(2 * DxfOutFiler::kPiece);
  for (const DxfSection& section : m_file.sections) {
    if (!section.text.empty()) {
      m_out.raw(section.text);
      flush(false);
      continue;
    }
    m_out.tag(0, "SECTION");
    m_out.tag(2, section.name);
    writeSection(section.name);
    m_out.tag(0, "ENDSEC");
  }
  m_out.tag(0, "EOF");
  flush(true);
  m_progress = nullptr;
  return !m_failed;
}

void DxfWriter::writeSection(const std::string& name) {
  if (name == "HEADER") m_file.header.write(m_out);
  else if (name == "TABLES") writeTables();
  else if (name == "BLOCKS") writeBlocks();
  else if (name == "ENTITIES") {
    writeEntities(AcDbBlockTableRecord::cast(live(m_database.modelSpaceId())));
    writeEntities(AcDbBlockTableRecord::cast(live(m_database.paperSpaceId())));
  } else if (name == "OBJECTS") writeObjects();
}

void DxfWriter::writeObject(const AcDbObject* object) {
  if (object == nullptr) return;
  object->dxfOut(m_out);
  flush(false);
}

void DxfWriter::writeTables() {
  for (const AcDbObjectId& id : m_file.tables) {
    const auto* table = AcDbSymbolTable::cast(live(id));
    if (table == nullptr) continue;
    writeObject(table);
    for (const AcDbObjectId& record : table->recordIds())
      if (const AcDbObject* object = live(record); object && object->ownerId() == id) writeObject(object);
    m_out.tag(0, "ENDTAB");
  }
}

void DxfWriter::writeBlocks() {
  const auto* table = AcDbBlockTable::cast(live(m_database.blockTableId()));
  if (table == nullptr) return;
  for (const AcDbObjectId& id : table->recordIds()) {
    const auto* block = AcDbBlockTableRecord::cast(live(id));
    if (block == nullptr) continue;
    writeObject(live(block->blockBeginId()));
    // Model space and the active paper space hold their entities in ENTITIES.
    if (id != m_database.modelSpaceId() && id != m_database.paperSpaceId()) writeEntities(block);
    writeObject(live(block->blockEndId()));
  }
}

void DxfWriter::writeEntities(const AcDbBlockTableRecord* block) {
  if (block == nullptr) return;
  for (const AcDbObjectId& id : block->entityIds()) writeEntity(live(id));
}

void DxfWriter::writeEntity(const AcDbObject* entity) {
  if (entity == nullptr) return;
  writeObject(entity);
  if (const auto* reference = AcDbBlockReference::cast(entity)) {
    bool any = false;
    for (const AcDbObjectId& id : reference->attributeIds())
      if (const AcDbObject* attribute = live(id)) {
        writeObject(attribute);
        any = true;
      }
    if (any) writeObject(live(reference->sequenceEnd()));
  } else if (const auto* polyline = AcDb2dPolyline::cast(entity)) {
    for (const AcDbObjectId& id : polyline->vertexIds()) writeObject(live(id));
    writeObject(live(polyline->sequenceEnd()));
  } else if (const auto* carried = AcDbUnmodelledEntity::cast(entity)) {
    for (const AcDbObjectId& id : carried->followers()) writeObject(live(id));
  }
}

void DxfWriter::writeObjects() {
  for (const AcDbObjectId& id : m_file.objects) writeObject(live(id));
}
