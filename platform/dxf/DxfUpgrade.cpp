#include "DxfUpgrade.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "DxfCodeTable.h"
#include "DxfDefaultDrawing.h"
#include "DxfError.h"
#include "DxfOutFiler.h"
#include "DxfTagReader.h"

namespace {

struct Tag {
  int code;
  std::string value;
  // In the file read; 0 for a tag the upgrade adds.
  std::uint32_t line = 0;
};
using Object = std::vector<Tag>;

struct Section {
  std::string name;
  std::vector<Object> objects;
};

struct Table {
  Object head;
  std::vector<Object> records;
};

constexpr std::string_view kFirstModernVersion = "AC1015";
constexpr std::string_view kFirstBlockRecordVersion = "AC1012";

std::string folded(std::string_view text) {
  std::string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return result;
}

const std::string* find(const Object& object, int code) {
  for (size_t i = 1; i < object.size(); ++i)
    if (object[i].code == code) return &object[i].value;
  return nullptr;
}

std::string valueOf(const Object& object, int code) {
  const std::string* value = find(object, code);
  return value ? *value : std::string();
}

int handleCode(const Object& object) { return object.front().value == "DIMSTYLE" ? 105 : 5; }

bool endsHead(int code) { return code == 100 || code == 1001; }

std::uint64_t parseHex(std::string_view text) {
  std::uint64_t value = 0;
  for (char c : text) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (digit < 0 || value >> 60) return 0;
    value = value << 4 | static_cast<unsigned>(digit);
  }
  return value;
}

std::string hex(std::uint64_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value & 15]);
    value >>= 4;
  } while (value != 0);
  return text;
}

bool isPointer(int code) { return DxfCodeTable::kind(code) == DxfValueKind::Handle && code != 105; }

// Sections split into objects at group 0 (at group 9 in the header).  A
// file whose sections are broken is refused as the reader refuses it.
std::vector<Section> parse(std::string_view text) {
  std::vector<Section> sections;
  DxfTagReader reader(text);
  while (true) {
    if (reader.atEnd()) throw DxfError(reader.line(), "the file ends without EOF");
    const DxfTag tag = reader.next();
    if (tag.code == 0 && tag.value == "EOF") break;
    if (tag.code != 0 || tag.value != "SECTION")
      throw DxfError(tag.line, "expected SECTION or EOF, found '" + std::string(tag.value.substr(0, 40)) + "'");
    if (reader.atEnd() || reader.peek().code != 2) throw DxfError(reader.line(), "SECTION without a name");
    sections.push_back({std::string(reader.next().value), {}});
    Section& section = sections.back();
    const int splitter = section.name == "HEADER" ? 9 : 0;
    while (true) {
      if (reader.atEnd() || (reader.peek().code == 0 && reader.peek().value == "EOF"))
        throw DxfError(reader.atEnd() ? reader.line() : reader.peek().line,
                       "section " + section.name + " is not ended (no ENDSEC)");
      const DxfTag item = reader.next();
      if (item.code == 0 && item.value == "ENDSEC") break;
      if (item.code == splitter || section.objects.empty()) section.objects.emplace_back();
      section.objects.back().push_back({item.code, std::string(item.value), item.line});
    }
  }
  return sections;
}

Section* sectionNamed(std::vector<Section>& sections, std::string_view name) {
  for (Section& section : sections)
    if (section.name == name) return &section;
  return nullptr;
}

std::vector<Table> tablesOf(const Section* section) {
  std::vector<Table> tables;
  if (section == nullptr) return tables;
  for (const Object& object : section->objects) {
    if (object.front().code != 0 || object.front().value == "ENDTAB") continue;
    if (object.front().value == "TABLE") tables.push_back({object, {}});
    else if (!tables.empty()) tables.back().records.push_back(object);
  }
  return tables;
}

// The subclass groups of an entity of a version without them: the first
// group takes every tag no later group names.
struct Group {
  std::string_view marker;
  std::vector<int> codes;
};

std::vector<int> points(std::initializer_list<int> xs) {
  std::vector<int> codes;
  for (int x : xs) codes.insert(codes.end(), {x, x + 10, x + 20});
  return codes;
}

std::vector<Group> dimensionGroups(const Object& entity) {
  std::vector<Group> groups{{"AcDbDimension", {}}};
  switch (std::atoi(valueOf(entity, 70).c_str()) & 7) {
    case 0:
      groups.push_back({"AcDbAlignedDimension", points({12, 13, 14})});
      groups.push_back({"AcDbRotatedDimension", {50, 52}});
      break;
    case 1: {
      std::vector<int> codes = points({12, 13, 14});
      codes.push_back(50);
      groups.push_back({"AcDbAlignedDimension", codes});
      break;
    }
    case 2: groups.push_back({"AcDb2LineAngularDimension", points({13, 14, 15, 16})}); break;
    case 3: groups.push_back({"AcDbDiametricDimension", {15, 25, 35, 40}}); break;
    case 4: groups.push_back({"AcDbRadialDimension", {15, 25, 35, 40}}); break;
    case 5: groups.push_back({"AcDb3PointAngularDimension", points({13, 14, 15})}); break;
    default: groups.push_back({"AcDbOrdinateDimension", points({13, 14})}); break;
  }
  return groups;
}

std::string_view polylineMarker(const Object& polyline) {
  const int flags = std::atoi(valueOf(polyline, 70).c_str());
  if (flags & 8) return "AcDb3dPolyline";
  if (flags & 16) return "AcDbPolygonMesh";
  if (flags & 64) return "AcDbPolyFaceMesh";
  return "AcDb2dPolyline";
}

std::string_view vertexMarker(const Object& vertex) {
  const int flags = std::atoi(valueOf(vertex, 70).c_str());
  if ((flags & 128) && !(flags & 64)) return "AcDbFaceRecord";
  if (flags & 128) return "AcDbPolyFaceMeshVertex";
  if (flags & 64) return "AcDbPolygonMeshVertex";
  if (flags & 32) return "AcDb3dPolylineVertex";
  return "AcDb2dVertex";
}

// A grid of copies (MINSERT) has a subclass of its own.
std::string_view insertMarker(const Object& insert) {
  const bool grid = std::atoi(valueOf(insert, 70).c_str()) > 1 || std::atoi(valueOf(insert, 71).c_str()) > 1;
  return grid ? "AcDbMInsertBlock" : "AcDbBlockReference";
}

std::vector<Group> entityGroups(const Object& entity) {
  const std::string& type = entity.front().value;
  if (type == "LINE") return {{"AcDbLine", {}}};
  if (type == "POINT") return {{"AcDbPoint", {}}};
  if (type == "CIRCLE") return {{"AcDbCircle", {}}};
  if (type == "ARC") return {{"AcDbCircle", {}}, {"AcDbArc", {50, 51}}};
  if (type == "TRACE" || type == "SOLID") return {{"AcDbTrace", {}}};
  if (type == "3DFACE") return {{"AcDbFace", {}}};
  if (type == "SHAPE") return {{"AcDbShape", {}}};
  if (type == "TEXT") return {{"AcDbText", {}}, {"AcDbText", {73}}};
  if (type == "ATTDEF") return {{"AcDbText", {}}, {"AcDbAttributeDefinition", {3, 2, 70, 73, 74, 280}}};
  if (type == "ATTRIB") return {{"AcDbText", {}}, {"AcDbAttribute", {2, 70, 73, 74, 280}}};
  if (type == "INSERT") return {{insertMarker(entity), {}}};
  if (type == "POLYLINE") return {{polylineMarker(entity), {}}};
  if (type == "VERTEX") return {{"AcDbVertex", {-1}}, {vertexMarker(entity), {}}};
  if (type == "VIEWPORT") return {{"AcDbViewport", {}}};
  if (type == "DIMENSION") return dimensionGroups(entity);
  if (type == "BLOCK") return {{"AcDbBlockBegin", {}}};
  if (type == "ENDBLK") return {{"AcDbBlockEnd", {-1}}};
  return {};
}

bool isCommon(int code) {
  switch (code) {
    case 8: case 6: case 62: case 67: case 48: case 60: case 370: case 420: case 430: case 440:
      return true;
    default:
      return false;
  }
}

// Where the head (type, handle, application groups, owner) ends.
size_t headEnd(const Object& object) {
  size_t i = 1;
  while (i < object.size() && (object[i].code == 5 || object[i].code == 105 || object[i].code == 102 ||
                               object[i].code == 330 || object[i].code == 360 ||
                               (object[i].code == 2 && object.front().value == "TABLE")))
    ++i;
  return i;
}

bool hasMarkers(const Object& object) {
  return std::any_of(object.begin(), object.end(), [](const Tag& tag) { return tag.code == 100; });
}

// Tags after the head: the entity's common ones, then each group's.
Object markedBody(const Object& entity, size_t start) {
  const std::vector<Group> groups = entityGroups(entity);
  Object common{{100, "AcDbEntity"}};
  std::vector<Object> bodies(groups.size());
  Object trailing;
  for (size_t i = start; i < entity.size(); ++i) {
    const Tag& tag = entity[i];
    if (tag.code == 1001 || !trailing.empty()) {
      trailing.push_back(tag);
      continue;
    }
    if (isCommon(tag.code) || groups.empty()) {
      common.push_back(tag);
      continue;
    }
    size_t target = 0;
    for (size_t g = 1; g < groups.size(); ++g)
      if (std::find(groups[g].codes.begin(), groups[g].codes.end(), tag.code) != groups[g].codes.end()) target = g;
    if (target == 0 && !groups[0].codes.empty() && groups[0].codes.front() == -1) target = groups.size() - 1;
    bodies[target].push_back(tag);
  }
  Object body = common;
  for (size_t g = 0; g < groups.size(); ++g) {
    body.push_back({100, std::string(groups[g].marker)});
    body.insert(body.end(), bodies[g].begin(), bodies[g].end());
  }
  body.insert(body.end(), trailing.begin(), trailing.end());
  return body;
}

std::string_view recordMarker(std::string_view type) {
  static const std::pair<std::string_view, std::string_view> kMarkers[] = {
      {"LAYER", "AcDbLayerTableRecord"},     {"LTYPE", "AcDbLinetypeTableRecord"},
      {"STYLE", "AcDbTextStyleTableRecord"}, {"VIEW", "AcDbViewTableRecord"},
      {"UCS", "AcDbUCSTableRecord"},         {"APPID", "AcDbRegAppTableRecord"},
      {"DIMSTYLE", "AcDbDimStyleTableRecord"}, {"VPORT", "AcDbViewportTableRecord"},
      {"BLOCK_RECORD", "AcDbBlockTableRecord"}};
  for (const auto& [name, marker] : kMarkers)
    if (name == type) return marker;
  return std::string_view();
}

class Upgrader {
 public:
  Upgrader(std::string_view text, std::string& version, std::vector<std::uint32_t>& lines)
      : m_file(parse(text)), m_default(parse(DxfDefaultDrawing::text())), m_version(version), m_lines(&lines) {
    for (Section& section : m_default)
      for (Object& object : section.objects)
        for (Tag& tag : object) tag.line = 0;
  }

  std::string run() {
    m_version = headerValue(m_file, "$ACADVER");
    if (!m_version.empty() && m_version < kFirstBlockRecordVersion) dropLaterStructure();
    startHandles();
    mergeTables();
    mergeBlocks();
    upgradeEntities();
    addNamedRecords();
    mergeObjects();
    mergeHeader();
    return write();
  }

 private:
  static std::string headerValue(std::vector<Section>& sections, std::string_view name) {
    Section* header = sectionNamed(sections, "HEADER");
    if (header == nullptr) return std::string();
    for (const Object& variable : header->objects)
      if (variable.front().value == name && variable.size() > 1) return variable[1].value;
    return std::string();
  }

  // The file keeps its handles; the default drawing's are moved above them.
  void startHandles() {
    std::uint64_t highest = parseHex(headerValue(m_file, "$HANDSEED"));
    for (Section& section : m_file) {
      if (section.name == "HEADER") continue;
      for (const Object& object : section.objects) {
        const std::string* handle = find(object, handleCode(object));
        if (handle != nullptr) highest = std::max(highest, parseHex(*handle) + 1);
      }
    }
    const std::uint64_t base = highest;
    m_next = base + parseHex(headerValue(m_default, "$HANDSEED"));
    for (Section& section : m_default) {
      if (section.name == "HEADER") continue;
      for (Object& object : section.objects)
        for (Tag& tag : object)
          if ((tag.code == handleCode(object) || isPointer(tag.code)) && tag.value != "0")
            tag.value = hex(parseHex(tag.value) + base);
    }
  }

  // R12 knows no block records, classes or objects: what a file of its
  // version holds of them is some program's guess, and is made anew.
  void dropLaterStructure() {
    m_file.erase(std::remove_if(m_file.begin(), m_file.end(),
                                [](const Section& section) {
                                  return section.name == "OBJECTS" || section.name == "CLASSES";
                                }),
                 m_file.end());
    Section* tables = sectionNamed(m_file, "TABLES");
    if (tables == nullptr) return;
    bool dropping = false;
    auto& objects = tables->objects;
    objects.erase(std::remove_if(objects.begin(), objects.end(),
                                 [&dropping](const Object& object) {
                                   if (object.front().value == "TABLE") dropping = valueOf(object, 2) == "BLOCK_RECORD";
                                   return dropping;
                                 }),
                  objects.end());
  }

  std::string fresh() { return hex(m_next++); }

  std::string handleOf(Object& object) {
    const int code = handleCode(object);
    if (const std::string* handle = find(object, code)) return *handle;
    const std::string handle = fresh();
    object.insert(object.begin() + 1, {code, handle});
    return handle;
  }

  // The owner is where the object stands in the file, whatever it names.
  void setOwner(Object& object, const std::string& owner) {
    bool inGroup = false;
    for (size_t i = 1; i < object.size() && !endsHead(object[i].code); ++i) {
      // Reactors in an application group are not the owner.
      if (object[i].code == 102) inGroup = !object[i].value.empty() && object[i].value.front() == '{';
      if (object[i].code == 330 && !inGroup) {
        object[i].value = owner;
        return;
      }
    }
    object.insert(object.begin() + static_cast<std::ptrdiff_t>(headEnd(object)), {330, owner});
  }

  // Handle, owner and subclass markers, as a later version writes them.
  std::string upgradeEntity(Object& entity, const std::string& owner) {
    const std::string handle = handleOf(entity);
    setOwner(entity, owner);
    if (hasMarkers(entity)) return handle;
    const size_t start = headEnd(entity);
    Object body = markedBody(entity, start);
    entity.resize(start);
    entity.insert(entity.end(), body.begin(), body.end());
    return handle;
  }

  std::string upgradeRecord(Object& record, const std::string& owner, std::string_view marker) {
    const std::string handle = handleOf(record);
    setOwner(record, owner);
    if (hasMarkers(record)) return handle;
    const auto start = static_cast<std::ptrdiff_t>(headEnd(record));
    record.insert(record.begin() + start, {{100, "AcDbSymbolTableRecord"}, {100, std::string(marker)}});
    return handle;
  }

  std::string upgradeTable(Object& head) {
    const std::string handle = handleOf(head);
    setOwner(head, "0");
    if (!hasMarkers(head))
      head.insert(head.begin() + static_cast<std::ptrdiff_t>(headEnd(head)), {100, "AcDbSymbolTable"});
    return handle;
  }

  void mergeTables() {
    std::vector<Table> theirs = tablesOf(sectionNamed(m_file, "TABLES"));
    for (Table& mine : tablesOf(sectionNamed(m_default, "TABLES"))) {
      const std::string name = valueOf(mine.head, 2);
      auto match = std::find_if(theirs.begin(), theirs.end(),
                                [&](const Table& table) { return folded(valueOf(table.head, 2)) == folded(name); });
      if (match == theirs.end()) {
        m_tables.push_back(mine);
        continue;
      }
      m_tables.push_back(*match);
      theirs.erase(match);
      mergeTable(m_tables.back(), mine);
    }
    for (Table& other : theirs) {
      m_tables.push_back(other);
      mergeTable(m_tables.back(), Table{});
    }
  }

  // The file's table keeps its records, and gains the default's it lacks.
  void mergeTable(Table& table, const Table& defaults) {
    const std::string tableHandle = upgradeTable(table.head);
    const std::string type = valueOf(table.head, 2);
    std::unordered_map<std::string, Object*> byName;
    for (Object& record : table.records) {
      upgradeRecord(record, tableHandle, recordMarker(type));
      byName.emplace(folded(valueOf(record, 2)), &record);
    }
    std::vector<Object> added;
    for (const Object& record : defaults.records) {
      const auto found = byName.find(folded(valueOf(record, 2)));
      if (found == byName.end()) {
        added.push_back(record);
        for (Tag& tag : added.back())
          if (tag.code == 330) tag.value = tableHandle;
        continue;
      }
      m_remap[valueOf(record, handleCode(record))] = valueOf(*found->second, handleCode(*found->second));
      // Model and paper space lead to their layouts.
      if (find(*found->second, 340) == nullptr && find(record, 340) != nullptr)
        found->second->push_back({340, valueOf(record, 340)});
    }
    table.records.insert(table.records.end(), added.begin(), added.end());
  }

  static std::string spaceName(const std::string& name) {
    if (folded(name) == "$model_space") return "*Model_Space";
    if (folded(name) == "$paper_space") return "*Paper_Space";
    return name;
  }

  // The record of a block by name, made when the file has none.
  std::string blockRecord(const std::string& name) {
    auto table = std::find_if(m_tables.begin(), m_tables.end(),
                              [](const Table& t) { return valueOf(t.head, 2) == "BLOCK_RECORD"; });
    for (const Object& record : table->records)
      if (folded(valueOf(record, 2)) == folded(name)) return valueOf(record, 5);
    const std::string handle = fresh();
    table->records.push_back({{0, "BLOCK_RECORD"}, {5, handle}, {330, valueOf(table->head, 5)},
                              {100, "AcDbSymbolTableRecord"}, {100, "AcDbBlockTableRecord"}, {2, name}});
    return handle;
  }

  void mergeBlocks() {
    Section* blocks = sectionNamed(m_file, "BLOCKS");
    std::unordered_set<std::string> names;
    std::string record;
    if (blocks != nullptr) {
      for (Object& object : blocks->objects) {
        if (object.front().code == 0 && object.front().value == "BLOCK") {
          for (Tag& tag : object)
            if (tag.code == 2 || tag.code == 3) tag.value = spaceName(tag.value);
          record = blockRecord(valueOf(object, 2));
          names.insert(folded(valueOf(object, 2)));
        }
        if (!record.empty()) placeEntity(object, record);
        m_blocks.push_back(object);
      }
    }
    const Section* defaults = sectionNamed(m_default, "BLOCKS");
    bool adding = false;
    for (const Object& object : defaults->objects) {
      if (object.front().value == "BLOCK") adding = names.count(folded(valueOf(object, 2))) == 0;
      if (adding) m_blocks.push_back(object);
    }
  }

  void upgradeEntities() {
    const std::string model = blockRecord("*Model_Space");
    const std::string paper = blockRecord("*Paper_Space");
    Section* entities = sectionNamed(m_file, "ENTITIES");
    if (entities == nullptr) return;
    for (Object& entity : entities->objects) {
      placeEntity(entity, std::atoi(valueOf(entity, 67).c_str()) == 1 ? paper : model);
      m_entities.push_back(entity);
    }
  }

  // Vertices, attributes and their SEQEND belong to the entity before them.
  void placeEntity(Object& entity, const std::string& block) {
    const std::string type = entity.front().value;
    const bool follows = type == "VERTEX" || type == "ATTRIB" || type == "SEQEND";
    const std::string handle = upgradeEntity(entity, follows && !m_parent.empty() ? m_parent : block);
    if (type == "INSERT" || type == "POLYLINE") m_parent = handle;
    else if (!follows || type == "SEQEND") m_parent.clear();
  }

  Table* tableNamed(std::string_view name) {
    for (Table& table : m_tables)
      if (valueOf(table.head, 2) == name) return &table;
    return nullptr;
  }

  // A record an entity names but the file lacks is made, plain.
  void ensureRecord(std::string_view type, const std::string& name, Object fields) {
    Table* table = tableNamed(type);
    if (table == nullptr || name.empty()) return;
    const std::string key = folded(name);
    if (std::any_of(table->records.begin(), table->records.end(),
                    [&](const Object& record) { return folded(valueOf(record, 2)) == key; }))
      return;
    Object record{{0, std::string(type)}, {5, fresh()}, {330, valueOf(table->head, 5)},
                  {100, "AcDbSymbolTableRecord"}, {100, std::string(recordMarker(type))}, {2, name}, {70, "0"}};
    record.insert(record.end(), fields.begin(), fields.end());
    table->records.push_back(std::move(record));
  }

  void addNamedRecords() {
    for (const std::vector<Object>* objects : {&m_blocks, &m_entities})
      for (const Object& entity : *objects) {
        const std::string& type = entity.front().value;
        ensureRecord("LAYER", valueOf(entity, 8), {{62, "7"}, {6, "Continuous"}});
        ensureRecord("LTYPE", valueOf(entity, 6), {{3, ""}, {72, "65"}, {73, "0"}, {40, "0.0"}});
        if (type == "TEXT" || type == "ATTDEF" || type == "ATTRIB" || type == "MTEXT")
          ensureRecord("STYLE", valueOf(entity, 7),
                       {{40, "0.0"}, {41, "1.0"}, {50, "0.0"}, {71, "0"}, {42, "2.5"}, {3, "txt"}, {4, ""}});
        // A definition the file lacks is saved empty, with its record.
        if (type == "INSERT" && !valueOf(entity, 2).empty()) blockRecord(valueOf(entity, 2));
      }
  }

  // The file's root dictionary gains the default's entries it lacks, with
  // what they hold; entries it has are its own.
  void mergeObjects() {
    Section* objects = sectionNamed(m_file, "OBJECTS");
    const Section* defaults = sectionNamed(m_default, "OBJECTS");
    if (objects == nullptr || objects->objects.empty()) {
      m_objects = defaults->objects;
      return;
    }
    m_objects = objects->objects;
    Object& root = m_objects.front();
    const Object& defaultRoot = defaults->objects.front();
    m_remap[valueOf(defaultRoot, 5)] = valueOf(root, 5);
    std::unordered_set<std::string> skipped{valueOf(defaultRoot, 5)};
    for (size_t i = 1; i + 1 < defaultRoot.size(); ++i) {
      if (defaultRoot[i].code != 3) continue;
      const std::string entry = defaultRoot[i + 1].value;
      const std::string* theirs = nullptr;
      for (size_t k = 1; k + 1 < root.size(); ++k)
        if (root[k].code == 3 && root[k].value == defaultRoot[i].value) theirs = &root[k + 1].value;
      if (theirs != nullptr) {
        m_remap[entry] = *theirs;
        skipped.insert(entry);
      } else {
        root.push_back(defaultRoot[i]);
        root.push_back(defaultRoot[i + 1]);
      }
    }
    for (size_t i = 1; i < defaults->objects.size(); ++i) {
      const Object& object = defaults->objects[i];
      if (skipped.count(valueOf(object, 5)) || skipped.count(valueOf(object, 330))) {
        skipped.insert(valueOf(object, 5));
        continue;
      }
      m_objects.push_back(object);
    }
  }

  void mergeHeader() {
    Section* header = sectionNamed(m_file, "HEADER");
    if (header != nullptr)
      for (Object& variable : header->objects)
        if (variable.front().value != "$HANDLING") m_header.push_back(variable);
    std::unordered_set<std::string> names;
    for (const Object& variable : m_header) names.insert(variable.front().value);
    // A header without a drawing unit says none: the display format decides.
    if (header != nullptr && names.insert("$INSUNITS").second) m_header.push_back({{9, "$INSUNITS"}, {70, "0"}});
    for (const Object& variable : sectionNamed(m_default, "HEADER")->objects) {
      const std::string& name = variable.front().value;
      const bool older = name == "$ACADVER" && (m_version.empty() || m_version < kFirstModernVersion);
      if (older || name == "$HANDSEED" || names.count(name) == 0) {
        m_header.erase(std::remove_if(m_header.begin(), m_header.end(),
                                      [&](const Object& v) { return v.front().value == name; }),
                       m_header.end());
        m_header.push_back(variable);
      }
    }
    for (Object& variable : m_header)
      if (variable.front().value == "$HANDSEED" && variable.size() > 1) variable[1].value = hex(m_next);
  }

  // A tag the upgrade adds answers for the file's tag before it.
  void put(DxfOutFiler& out, int code, std::string_view value, std::uint32_t line) {
    if (line != 0) m_line = line;
    m_lines->push_back(m_line);
    out.tag(code, value);
  }

  void writeObject(DxfOutFiler& out, const Object& object) {
    for (const Tag& tag : object) {
      const auto remapped = isPointer(tag.code) ? m_remap.find(tag.value) : m_remap.end();
      put(out, tag.code, remapped == m_remap.end() ? tag.value : remapped->second, tag.line);
    }
  }

  void writeSection(DxfOutFiler& out, std::string_view name, const std::vector<Object>& objects) {
    put(out, 0, "SECTION", 0);
    put(out, 2, name, 0);
    for (const Object& object : objects) writeObject(out, object);
    put(out, 0, "ENDSEC", 0);
  }

  std::string write() {
    std::string text;
    DxfOutFiler out(text, "\n");
    writeSection(out, "HEADER", m_header);
    const Section* classes = sectionNamed(m_file, "CLASSES");
    writeSection(out, "CLASSES", classes ? classes->objects : sectionNamed(m_default, "CLASSES")->objects);
    put(out, 0, "SECTION", 0);
    put(out, 2, "TABLES", 0);
    for (const Table& table : m_tables) {
      writeObject(out, table.head);
      for (const Object& record : table.records) writeObject(out, record);
      put(out, 0, "ENDTAB", 0);
    }
    put(out, 0, "ENDSEC", 0);
    writeSection(out, "BLOCKS", m_blocks);
    writeSection(out, "ENTITIES", m_entities);
    writeSection(out, "OBJECTS", m_objects);
    for (const Section& section : m_file)
      if (section.name != "HEADER" && section.name != "CLASSES" && section.name != "TABLES" &&
          section.name != "BLOCKS" && section.name != "ENTITIES" && section.name != "OBJECTS")
        writeSection(out, section.name, section.objects);
    put(out, 0, "EOF", 0);
    return text;
  }

  std::vector<Section> m_file;
  std::vector<Section> m_default;
  std::string& m_version;
  std::vector<std::uint32_t>* m_lines;
  std::uint32_t m_line = 1;
  std::uint64_t m_next = 1;
  // The INSERT or POLYLINE whose followers come next.
  std::string m_parent;
  std::unordered_map<std::string, std::string> m_remap;
  std::vector<Object> m_header;
  std::vector<Table> m_tables;
  std::vector<Object> m_blocks;
  std::vector<Object> m_entities;
  std::vector<Object> m_objects;
};

}  // namespace

bool DxfUpgrade::needed(std::string_view text) {
  // The header comes first; its version within the first lines.
  const size_t found = text.substr(0, 4096).find("$ACADVER");
  if (found == std::string_view::npos) return true;
  DxfTagReader reader(text.substr(text.find('\n', found) + 1));
  if (reader.atEnd() || reader.peek().value < kFirstModernVersion) return true;
  // The block records are among the tables, before every block and entity.
  return text.find("BLOCK_RECORD") == std::string_view::npos;
}

std::string DxfUpgrade::upgrade(std::string_view text, std::string& version, std::vector<std::uint32_t>& lines) {
  lines.clear();
  return Upgrader(text, version, lines).run();
}
