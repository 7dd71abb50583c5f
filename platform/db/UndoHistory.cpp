#include "UndoHistory.h"

#include <algorithm>
#include <utility>

#include "AcDbDatabase.h"
#include "AcDbHandleTable.h"
#include "AcDbObject.h"
#include "AcDbStub.h"
#include "DxfFile.h"

UndoHistory::Entry::~Entry() = default;

// A change whose undo and redo are the same exchange of two states.
class UndoHistory::SwapEntry : public Entry {
 public:
  void undo() override { swap(); }
  void redo() override { swap(); }

 protected:
  virtual void swap() = 0;
};

// An object's state before the group, or its absence; undo and redo both
// swap it with what stands in the object's place.
class UndoHistory::ObjectEntry : public SwapEntry {
 public:
  ObjectEntry(AcDbStub& stub, std::unique_ptr<AcDbObject> other) : m_stub(stub), m_other(std::move(other)) {}

 private:
  void swap() override {
    std::swap(m_stub.object, m_other);
    // Whatever was left open when its command failed comes back closed.
    if (AcDbObject* object = m_stub.object.get()) {
      object->m_writer = false;
      object->m_readers = 0;
    }
  }
  AcDbStub& m_stub;
  std::unique_ptr<AcDbObject> m_other;
};

// A list that grew: undo cuts it back to its length, redo puts the cut
// items back.
class UndoHistory::TailEntry : public Entry {
 public:
  explicit TailEntry(AcDbObjectIdArray& list) : m_list(list), m_length(list.size()) {}
  void undo() override {
    const size_t length = std::min(m_length, m_list.size());
    m_tail.assign(m_list.begin() + static_cast<std::ptrdiff_t>(length), m_list.end());
    m_list.resize(length);
  }
  void redo() override {
    m_list.insert(m_list.end(), m_tail.begin(), m_tail.end());
    m_tail.clear();
  }

 private:
  AcDbObjectIdArray& m_list;
  size_t m_length;
  AcDbObjectIdArray m_tail;
};

// A list that lost or reordered items: kept whole, and swapped.
class UndoHistory::WholeListEntry : public SwapEntry {
 public:
  explicit WholeListEntry(AcDbObjectIdArray& list) : m_list(list), m_other(list) {}

 private:
  void swap() override { m_list.swap(m_other); }
  AcDbObjectIdArray& m_list;
  AcDbObjectIdArray m_other;
};

// One key of a name index: what it named before (or nothing), swapped.
class UndoHistory::KeyEntry : public SwapEntry {
 public:
  KeyEntry(std::unordered_map<std::string, AcDbObjectId>& map, std::string key) : m_map(map), m_key(std::move(key)) {
    const auto found = m_map.find(m_key);
    if (found != m_map.end()) m_other = found->second;
  }

 private:
  void swap() override {
    const auto found = m_map.find(m_key);
    const AcDbObjectId current = found != m_map.end() ? found->second : AcDbObjectId();
    if (m_other.isNull()) {
      if (found != m_map.end()) m_map.erase(found);
    } else {
      m_map[m_key] = m_other;
    }
    m_other = current;
  }
  std::unordered_map<std::string, AcDbObjectId>& m_map;
  std::string m_key;
  AcDbObjectId m_other;
};

// The header variables and the paper layout last made current.
class UndoHistory::HeaderEntry : public SwapEntry {
 public:
  HeaderEntry(DxfHeader& header, AcDbObjectId& layout)
      : m_header(header), m_layout(layout), m_otherHeader(header), m_otherLayout(layout) {}

 private:
  void swap() override {
    std::swap(m_header, m_otherHeader);
    std::swap(m_layout, m_otherLayout);
  }
  DxfHeader& m_header;
  AcDbObjectId& m_layout;
  DxfHeader m_otherHeader;
  AcDbObjectId m_otherLayout;
};

// The next free handle.
class UndoHistory::HandseedEntry : public SwapEntry {
 public:
  explicit HandseedEntry(AcDbHandleTable& handles) : m_handles(handles), m_other(handles.seed()) {}

 private:
  void swap() override {
    const AcDbHandle current = m_handles.seed();
    m_handles.restoreSeed(m_other);
    m_other = current;
  }
  AcDbHandleTable& m_handles;
  AcDbHandle m_other;
};

UndoHistory::UndoHistory(AcDbDatabase& database) : m_database(database) {}

UndoHistory::~UndoHistory() = default;

void UndoHistory::begin(const std::wstring& name) {
  if (m_levels.empty()) m_open.name = name;
  m_levels.push_back(Level{m_open.entries.size(), m_nextSerial++});
}

void UndoHistory::end() {
  if (m_levels.empty()) return;
  m_levels.pop_back();
  if (!m_levels.empty()) return;
  m_seen.clear();
  if (m_open.entries.empty()) return;
  m_undone.clear();
  m_done.push_back(std::move(m_open));
  m_open = Group();
  while (m_done.size() > m_limit) m_done.pop_front();
}

void UndoHistory::rollBack() {
  if (m_levels.empty()) return;
  auto& entries = m_open.entries;
  const size_t first = m_levels.back().firstEntry;
  for (size_t i = entries.size(); i > first; --i) entries[i - 1]->undo();
  entries.resize(first);
  changed();
  end();
}

bool UndoHistory::undo(std::wstring& name) {
  if (m_done.empty()) return false;
  Group& group = m_done.back();
  for (auto entry = group.entries.rbegin(); entry != group.entries.rend(); ++entry) (*entry)->undo();
  name = group.name;
  m_undone.push_back(std::move(group));
  m_done.pop_back();
  changed();
  return true;
}

bool UndoHistory::redo(std::wstring& name) {
  if (m_undone.empty()) return false;
  Group& group = m_undone.back();
  for (auto& entry : group.entries) entry->redo();
  name = group.name;
  m_done.push_back(std::move(group));
  m_undone.pop_back();
  changed();
  return true;
}

void UndoHistory::clear() {
  m_done.clear();
  m_undone.clear();
}

void UndoHistory::setLimit(size_t groups) {
  m_limit = std::max<size_t>(groups, 1);
  while (m_done.size() > m_limit) m_done.pop_front();
}

bool UndoHistory::seen(const void* thing) {
  const std::uint32_t serial = m_levels.back().serial;
  auto [found, added] = m_seen.emplace(thing, serial);
  if (added) return false;
  if (found->second == serial) return true;
  found->second = serial;
  return false;
}

void UndoHistory::noteWrite(AcDbObject& object) {
  if (!recording() || object.m_stub == nullptr || seen(object.m_stub)) return;
  std::unique_ptr<AcDbObject> copy(object.undoCopy());
  copy->m_writer = false;
  copy->m_readers = 0;
  add(std::make_unique<ObjectEntry>(*object.m_stub, std::move(copy)));
}

void UndoHistory::noteNew(AcDbObject& object) {
  if (!recording() || object.m_stub == nullptr) return;
  seen(object.m_stub);
  add(std::make_unique<ObjectEntry>(*object.m_stub, nullptr));
}

void UndoHistory::noteAppend(AcDbObjectIdArray& list) {
  if (recording() && !seen(&list)) add(std::make_unique<TailEntry>(list));
}

void UndoHistory::noteRewrite(AcDbObjectIdArray& list) {
  if (recording()) add(std::make_unique<WholeListEntry>(list));
}

void UndoHistory::noteKey(std::unordered_map<std::string, AcDbObjectId>& map, const std::string& key) {
  if (recording()) add(std::make_unique<KeyEntry>(map, key));
}

void UndoHistory::noteHeader() {
  DxfFile& file = m_database.dxfFile();
  if (recording() && !seen(&file.header))
    add(std::make_unique<HeaderEntry>(file.header, m_database.currentPaperLayoutSlot()));
}

void UndoHistory::noteHandseed() {
  AcDbHandleTable& handles = m_database.handleTable();
  if (recording() && !seen(&handles)) add(std::make_unique<HandseedEntry>(handles));
}

void UndoHistory::changed() { m_database.forgetModelSpaceIndex(); }
