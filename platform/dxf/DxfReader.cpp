#include "DxfReader.h"

#include <algorithm>

#include <cstdint>
#include <cstring>
#include <utility>

#include "AcDb2dPolyline.h"
#include "AcDbAttribute.h"
#include "AcDbBlockBegin.h"
#include "AcDbBlockEnd.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTable.h"
#include "AcDbDatabase.h"
#include "AcDbHandleTable.h"
#include "AcDbSequenceEnd.h"
#include "AcDbUnmodelledEntity.h"
#include "BlockNesting.h"
#include "DxfBinaryText.h"
#include "DxfError.h"
#include "DxfFile.h"
#include "DxfObjectTags.h"
#include "DxfText.h"
#include "DxfUpgrade.h"

namespace {

bool isTag(const DxfTag& tag, int code, std::string_view value) { return tag.code == code && tag.value == value; }

bool isAscii(const std::string& text) {
  // Eight bytes at a time: this runs over the whole file.
  std::uint64_t high = 0;
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    high |= word;
  }
  for (; i < text.size(); ++i) high |= static_cast<unsigned char>(text[i]);
  return (high & 0x8080808080808080ull) == 0;
}

bool isNameCharacter(char c) { return c > ' ' && c < 0x7f; }

// A damaged type would be saved as some other one, or as none.
void checkType(const DxfTag& tag) {
  // Only a section's first object can start with another group.
  if (tag.code != 0)
    throw DxfError(tag.line, "group code " + std::to_string(tag.code) + " where an object's type (group 0) belongs");
  const std::string_view type = tag.value;
  if (!type.empty() && std::all_of(type.begin(), type.end(), isNameCharacter)) return;
  std::string shown(type.substr(0, 40));
  std::replace_if(shown.begin(), shown.end(), [](char c) { return !isNameCharacter(c); }, '?');
  throw DxfError(tag.line, "'" + shown + "' is not an object type");
}

// Adds the section, empty, after the one named (else last) when the file lacks it.
void ensureSection(std::vector<DxfSection>& sections, const std::string& wanted, const std::string& after) {
  auto named = [](const std::string& name) { return [&name](const DxfSection& section) { return section.name == name; }; };
  if (std::any_of(sections.begin(), sections.end(), named(wanted))) return;
  auto previous = std::find_if(sections.begin(), sections.end(), named(after));
  if (previous != sections.end()) ++previous;
  sections.insert(previous, DxfSection{wanted, {}});
}

}  // namespace

DxfReader::DxfReader(AcDbDatabase& database)
    : m_database(database), m_file(database.dxfFile()), m_in(database) {}

void DxfReader::read(std::string text) {
  m_file.text = std::move(text);
  try {
    readText();
  } catch (const DxfError& error) {
    throw placed(error);
  }
}

DxfError DxfReader::placed(const DxfError& error) const {
  if (error.line() == 0 || (m_upgradeLines.empty() && m_byteOffsets.empty())) return error;
  // Every tag of a text made here takes two lines.
  std::uint32_t line = error.line();
  if (!m_upgradeLines.empty()) line = m_upgradeLines[std::min<size_t>((line - 1) / 2, m_upgradeLines.size() - 1)];
  if (m_byteOffsets.empty()) return DxfError(line, error.reason());
  const size_t tag = std::min<size_t>((line - 1) / 2, m_byteOffsets.size() - 1);
  return DxfError("byte " + std::to_string(m_byteOffsets[tag]), error.reason());
}

void DxfReader::readText() {
  prepareText();
  upgrade();
  m_database.handleTable().deferNewHandles();
  // A large drawing shows its progress, in kilobytes read.
  const size_t size = m_file.text.size();
  const ProgressMeter::Scope progress(L"Loading drawing", 0, size >= ProgressMeter::kLargeFile ? static_cast<int>(size >> 10) : 0);
  m_progress = &progress;
  DxfTagReader reader(m_file.text);
  while (true) {
    if (reader.atEnd()) throw DxfError(reader.line(), "the file ends without EOF");
    const size_t start = reader.offset();
    const DxfTag tag = reader.next();
    if (isTag(tag, 0, "EOF")) break;
    if (!isTag(tag, 0, "SECTION"))
      throw DxfError(tag.line, "expected SECTION or EOF, found '" + std::string(tag.value.substr(0, 40)) + "'");
    readSection(reader, start);
  }
  m_database.setStandardIds();
  completeDrawing(reader.line());
  m_progress = nullptr;
}

void DxfReader::completeDrawing(std::uint32_t lastLine) {
  // Without model space there is nowhere to keep the drawing's entities.
  if (m_database.modelSpaceId().isNull()) throw DxfError(lastLine, "the drawing has no model space (*Model_Space)");
  if (!m_database.handleTable().assignDeferredHandles())
    throw DxfError(lastLine, "no handle is left for the objects the file gives none");
  // Definitions and model space are written in their sections: a file
  // without them would have its entities dropped when saved.
  ensureSection(m_file.sections, "BLOCKS", "TABLES");
  ensureSection(m_file.sections, "ENTITIES", "BLOCKS");
  auto* table = residentObject<AcDbBlockTable>(m_database.blockTableId());
  if (table != nullptr && !table->addMissingMarkers())
    throw DxfError(lastLine, "no handle is left for the BLOCK and ENDBLK of a block definition");
  AcDbObjectId faulty;
  const std::string nesting = BlockNesting::fault(m_database, faulty);
  if (!nesting.empty()) throw DxfError(lineOf(faulty, lastLine), nesting);
}

std::uint32_t DxfReader::lineOf(AcDbObjectId id, std::uint32_t fallback) const {
  const AcDbObject* object = id.isValid() ? id.stub()->object.get() : nullptr;
  const std::string_view text = object != nullptr ? object->dxfText() : std::string_view();
  if (text.empty()) return fallback;
  const char* start = m_file.text.data();
  return 1 + static_cast<std::uint32_t>(std::count(start, text.data(), '\n'));
}

void DxfReader::prepareText() {
  if (m_file.text.empty()) throw DxfError(1, "the file is empty");
  if (m_file.text.size() >= 0xFFFFFFFFull) throw DxfError(1, "files of 4 GiB or more are not read");
  if (DxfBinaryText::isBinary(m_file.text)) {
    m_file.text = DxfBinaryText::toAscii(m_file.text, m_byteOffsets);
    m_file.readBinary = true;
  }
  const std::string& text = m_file.text;
  if (text.size() >= 0xFFFFFFFFull) throw DxfError(1, "files of 4 GiB or more are not read");
  const size_t newline = text.find('\n');
  if (newline != std::string::npos && newline > 0 && text[newline - 1] == '\r') m_file.lineEnd = "\r\n";
  // Objects take some 150 bytes of text each.
  m_database.handleTable().reserve(text.size() / 150);
  if (isAscii(text)) return;
  // Before AC1021 a file is in its code page; from then on in UTF-8.
  const size_t version = text.find("$ACADVER");
  if (version == std::string::npos) return;
  DxfTagReader probe(std::string_view(text).substr(text.find('\n', version) + 1));
  if (!probe.atEnd() && probe.peek().value < std::string_view("AC1021")) m_file.text = DxfText::ansiToUtf8(text);
}

void DxfReader::upgrade() {
  if (!DxfUpgrade::needed(m_file.text)) return;
  std::string version;
  m_file.text = DxfUpgrade::upgrade(m_file.text, version, m_upgradeLines);
  if (!version.empty() && version < "AC1015") m_file.versionRead = version;
}

bool DxfReader::atSectionEnd(DxfTagReader& reader, const std::string& name) const {
  if (reader.atEnd()) throw DxfError(reader.line(), "section " + name + " is not ended (no ENDSEC)");
  if (isTag(reader.peek(), 0, "EOF"))
    throw DxfError(reader.peek().line, "section " + name + " is not ended (no ENDSEC)");
  return isTag(reader.peek(), 0, "ENDSEC");
}

void DxfReader::readSection(DxfTagReader& reader, size_t start) {
  if (reader.atEnd() || reader.peek().code != 2) throw DxfError(reader.line(), "SECTION without a name");
  const std::string name(reader.next().value);
  if (name == "HEADER") readHeader(reader);
  else if (name == "TABLES") readTables(reader);
  else if (name == "BLOCKS") readBlocks(reader);
  else if (name == "ENTITIES") readEntities(reader);
  else if (name == "OBJECTS") readObjects(reader);
  else return carrySection(reader, name, start);
  reader.next();
  // A section given twice is written once, holding what both held.
  ensureSection(m_file.sections, name, "");
}

void DxfReader::carrySection(DxfTagReader& reader, const std::string& name, size_t start) {
  const std::string_view text(m_file.text);
  while (!atSectionEnd(reader, name)) reader.next();
  reader.next();
  m_file.sections.push_back({name, text.substr(start, reader.offset() - start)});
}

void DxfReader::readHeader(DxfTagReader& reader) {
  while (!atSectionEnd(reader, "HEADER")) {
    const DxfTag tag = reader.next();
    if (tag.code != 9) throw DxfError(tag.line, "header variable expected, found group code " + std::to_string(tag.code));
    const size_t start = reader.offset();
    while (!reader.atEnd() && reader.peek().code != 9 && reader.peek().code != 0) {
      m_in.setTag(reader.next());
      m_in.check();
    }
    m_file.header.add(tag.value, std::string_view(m_file.text).substr(start, reader.offset() - start));
  }
  m_file.handseedRead = m_file.header.value("$HANDSEED");
  m_database.handleTable().setSeed(AcDbHandle(m_file.handseedRead.c_str()));
}

void DxfReader::collect(DxfTagReader& reader) {
  m_tags.clear();
  const size_t start = reader.offset();
  m_tags.push_back(reader.next());
  while (!reader.atEnd() && reader.peek().code != 0) m_tags.push_back(reader.next());
  m_span = std::string_view(m_file.text).substr(start, reader.offset() - start);
  if (m_progress != nullptr) m_progress->move(static_cast<int>(reader.offset() >> 10));
}

AcDbObject* DxfReader::make(DxfClassRegistry::Place place) {
  checkType(m_tags.front());
  std::unique_ptr<AcDbObject> object = DxfClassRegistry::create(m_tags, place);
  AcDbHandleTable& handles = m_database.handleTable();
  const DxfTag* handleTag = DxfObjectTags::handleTag(m_tags);
  AcDbStub* stub;
  if (handleTag != nullptr) {
    m_in.setTag(*handleTag);
    const AcDbHandle handle = m_in.handle();
    if (handle.isNull()) throw DxfError(handleTag->line, "an object has the null handle");
    stub = handles.findOrCreate(handle);
    if (stub->object) throw DxfError(handleTag->line, "duplicate handle '" + std::string(handleTag->value) + "'");
  } else {
    stub = handles.createNew();
  }
  AcDbObject* result = object.get();
  handles.attach(stub, std::move(object));
  result->dxfIn(m_tags, m_span, m_in);
  return result;
}

void DxfReader::readTables(DxfTagReader& reader) {
  while (!atSectionEnd(reader, "TABLES")) {
    if (!isTag(reader.peek(), 0, "TABLE"))
      throw DxfError(reader.peek().line, "expected TABLE, found '" + std::string(reader.peek().value.substr(0, 40)) + "'");
    collect(reader);
    auto* table = static_cast<AcDbSymbolTable*>(make(DxfClassRegistry::Place::Table));
    m_file.tables.push_back(table->objectId());
    // A layer's linetype is found by name in the table read before it.
    m_database.setStandardIds();
    while (!atSectionEnd(reader, "TABLES") && !isTag(reader.peek(), 0, "ENDTAB")) {
      collect(reader);
      auto* record = AcDbSymbolTableRecord::cast(make(DxfClassRegistry::Place::Record));
      if (record == nullptr || !table->adoptRecord(record))
        throw DxfError(m_tags.front().line, "a " + std::string(m_tags.front().value.substr(0, 40)) +
                                                " record does not belong in this table");
    }
    if (isTag(reader.peek(), 0, "ENDTAB")) reader.next();
  }
  m_database.setStandardIds();
}

AcDbBlockTableRecord* DxfReader::blockNamed(const std::wstring& name) {
  auto* table = residentObject<AcDbBlockTable>(m_database.blockTableId());
  if (table == nullptr) throw DxfError(m_tags.front().line, "the drawing has no block table");
  AcDbObjectId id;
  if (table->getAt(name.c_str(), id, true) == Acad::eOk) return residentObject<AcDbBlockTableRecord>(id);
  // A definition without its record: the record is made, so nothing is lost.
  auto record = std::make_unique<AcDbBlockTableRecord>();
  record->setName(name.c_str());
  m_database.addAcDbObject(id, record.get());
  AcDbBlockTableRecord* added = record.release();
  table->adoptRecord(added);
  added->close();
  // The table holds one record more: opened for write, it is saved anew.
  AcDbBlockTable* changed = nullptr;
  if (acdbOpenObject(changed, table->objectId(), AcDb::kForWrite) == Acad::eOk) changed->close();
  return added;
}

void DxfReader::readBlocks(DxfTagReader& reader) {
  while (!atSectionEnd(reader, "BLOCKS")) {
    if (!isTag(reader.peek(), 0, "BLOCK"))
      throw DxfError(reader.peek().line, "expected BLOCK, found '" + std::string(reader.peek().value.substr(0, 40)) + "'");
    collect(reader);
    auto* begin = static_cast<AcDbBlockBegin*>(make(DxfClassRegistry::Place::Entity));
    AcDbBlockTableRecord* block = blockNamed(begin->name());
    while (!atSectionEnd(reader, "BLOCKS") && !isTag(reader.peek(), 0, "ENDBLK")) readEntity(reader, block);
    if (!isTag(reader.peek(), 0, "ENDBLK")) throw DxfError(reader.peek().line, "block definition without ENDBLK");
    collect(reader);
    block->adoptMarkers(begin, make(DxfClassRegistry::Place::Entity));
  }
}

void DxfReader::readEntities(DxfTagReader& reader) {
  while (!atSectionEnd(reader, "ENTITIES")) readEntity(reader, nullptr);
}

AcDbEntity* DxfReader::readEntity(DxfTagReader& reader, AcDbBlockTableRecord* block) {
  collect(reader);
  auto* entity = AcDbEntity::cast(make(DxfClassRegistry::Place::Entity));
  if (entity == nullptr) throw DxfError(m_tags.front().line, std::string(m_tags.front().value) + " is not an entity");
  // Taken for an entity, a definition's marker would be saved as one and
  // the file would not read back the same.
  if (AcDbBlockBegin::cast(entity) != nullptr || AcDbBlockEnd::cast(entity) != nullptr)
    throw DxfError(m_tags.front().line, std::string(m_tags.front().value) + " where an entity belongs");
  if (block == nullptr) {
    block = residentObject<AcDbBlockTableRecord>(entity->ownerId());
    if (block == nullptr) block = residentObject<AcDbBlockTableRecord>(m_database.modelSpaceId());
    if (block == nullptr) throw DxfError(m_tags.front().line, "the drawing has no model space");
  }
  block->adopt(entity);
  readFollowers(reader, entity);
  return entity;
}

void DxfReader::readFollowers(DxfTagReader& reader, AcDbEntity* entity) {
  auto* reference = AcDbBlockReference::cast(entity);
  auto* polyline = AcDb2dPolyline::cast(entity);
  auto* carried = AcDbUnmodelledEntity::cast(entity);
  if (carried != nullptr && carried->kind()->dxfType != "POLYLINE") carried = nullptr;
  if (reference == nullptr && polyline == nullptr && carried == nullptr) return;
  const std::string_view follower = reference ? "ATTRIB" : "VERTEX";
  // A polyline's SEQEND ends it even without vertices; a reference's only after its attributes.
  bool any = reference == nullptr;
  while (!reader.atEnd() && (isTag(reader.peek(), 0, follower) || (any && isTag(reader.peek(), 0, "SEQEND")))) {
    const bool last = reader.peek().value == "SEQEND";
    collect(reader);
    AcDbObject* made = make(DxfClassRegistry::Place::Entity);
    made->setOwnerAsRead(entity->objectId());
    entity->adoptFollower(made->objectId(), last);
    any = true;
    if (last) break;
  }
}

void DxfReader::readObjects(DxfTagReader& reader) {
  while (!atSectionEnd(reader, "OBJECTS")) {
    collect(reader);
    m_file.objects.push_back(make(DxfClassRegistry::Place::Object)->objectId());
  }
  m_database.setStandardIds();
}
