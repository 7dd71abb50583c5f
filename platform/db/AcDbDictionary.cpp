#include "AcDbDictionary.h"

#include <utility>

#include "AcDbDatabase.h"
#include "AcDbStub.h"
#include "UndoHistory.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"
#include "DxfText.h"

ACRX_DEFINE_MEMBERS(AcDbDictionary, AcDbObject, L"DICTIONARY")

namespace {
constexpr std::string_view kMarker = "AcDbDictionary";
}

AcDbDictionaryIterator::AcDbDictionaryIterator(std::vector<std::pair<std::wstring, AcDbObjectId>> entries)
    : m_entries(std::move(entries)) {}

bool AcDbDictionaryIterator::next() {
  if (!done()) ++m_index;
  return !done();
}

const ACHAR* AcDbDictionaryIterator::name() const { return done() ? nullptr : m_entries[m_index].first.c_str(); }

AcDbObjectId AcDbDictionaryIterator::objectId() const { return done() ? AcDbObjectId() : m_entries[m_index].second; }

Acad::ErrorStatus AcDbDictionaryIterator::getObject(AcDbObject*& object, AcDb::OpenMode mode) const {
  return acdbOpenAcDbObject(object, objectId(), mode);
}

AcDbDictionary::AcDbDictionary() = default;

AcDbDictionary::~AcDbDictionary() = default;

std::wstring AcDbDictionary::fold(const std::wstring& key) { return DxfText::foldCase(key); }

void AcDbDictionary::reindex() {
  m_index.clear();
  for (size_t i = 0; i < m_entries.size(); ++i) m_index.emplace(fold(m_entries[i].key), i);
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* key, AcDbObjectId& objectId) const {
  objectId.setNull();
  if (key == nullptr) return Acad::eInvalidKey;
  const auto found = m_index.find(fold(key));
  if (found == m_index.end()) return Acad::eKeyNotFound;
  objectId = m_entries[found->second].id;
  return objectId.isErased() ? Acad::eWasErased : Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::getAt(const ACHAR* key, AcDbObject*& object, AcDb::OpenMode mode) const {
  object = nullptr;
  AcDbObjectId id;
  const Acad::ErrorStatus status = getAt(key, id);
  return status == Acad::eOk ? acdbOpenAcDbObject(object, id, mode) : status;
}

bool AcDbDictionary::has(const ACHAR* key) const {
  AcDbObjectId id;
  return getAt(key, id) == Acad::eOk;
}

bool AcDbDictionary::has(AcDbObjectId objectId) const {
  for (const Entry& entry : m_entries)
    if (entry.id == objectId) return true;
  return false;
}

Acad::ErrorStatus AcDbDictionary::setAt(const ACHAR* key, AcDbObject* value, AcDbObjectId& objectId) {
  if (key == nullptr || *key == 0) return Acad::eInvalidKey;
  if (value == nullptr) return Acad::eNullObjectPointer;
  AcDbDatabase* db = database();
  if (db == nullptr) return Acad::eNotInDatabase;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  const bool owned = value->database() == nullptr;
  if (owned) {
    const Acad::ErrorStatus status = db->addAcDbObject(objectId, value);
    if (status != Acad::eOk) return status;
    value->setOwnerId(this->objectId());
  } else {
    objectId = value->objectId();
  }
  const auto found = m_index.find(fold(key));
  if (found != m_index.end()) {
    Entry& entry = m_entries[found->second];
    if (entry.hardOwner && entry.id.isValid() && entry.id != objectId) {
      AcDbObject* replaced = entry.id.stub()->object.get();
      db->undoHistory().noteWrite(*replaced);
      replaced->m_erased = true;
    }
    entry.id = objectId;
    return Acad::eOk;
  }
  m_entries.push_back({key, objectId, owned});
  m_index.emplace(fold(key), m_entries.size() - 1);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key) {
  AcDbObjectId ignored;
  return remove(key, ignored);
}

Acad::ErrorStatus AcDbDictionary::remove(const ACHAR* key, AcDbObjectId& objectId) {
  if (key == nullptr) return Acad::eInvalidKey;
  const auto found = m_index.find(fold(key));
  if (found == m_index.end()) return Acad::eKeyNotFound;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  objectId = m_entries[found->second].id;
  m_entries.erase(m_entries.begin() + static_cast<long>(found->second));
  reindex();
  return Acad::eOk;
}

std::unique_ptr<AcDbDictionaryIterator> AcDbDictionary::newIterator() const {
  std::vector<std::pair<std::wstring, AcDbObjectId>> entries;
  for (const Entry& entry : m_entries)
    if (entry.id.isValid() && !entry.id.isErased()) entries.emplace_back(entry.key, entry.id);
  return std::make_unique<AcDbDictionaryIterator>(std::move(entries));
}

void AcDbDictionary::dxfGroups(std::vector<DxfGroup>& groups) const { groups.push_back({kMarker, 0}); }

bool AcDbDictionary::dxfOwns(const DxfGroup& group, int code) const {
  return group.is(kMarker) && (code == 280 || code == 281 || code == 3 || code == 350 || code == 360);
}

void AcDbDictionary::dxfInField(const DxfGroup&, DxfInFiler& in) {
  switch (in.code()) {
    case 280:
      m_hardOwnerFlag = static_cast<Adesk::Int16>(in.integer());
      m_hasHardOwnerFlag = true;
      break;
    case 281:
      m_mergeStyle = static_cast<Adesk::Int16>(in.integer());
      break;
    case 3:
      m_entries.push_back({in.text(), AcDbObjectId(), false});
      m_pendingKey = true;
      break;
    case 350:
    case 360:
      if (!m_pendingKey) in.fail("dictionary entry without a key");
      m_entries.back().id = in.objectId();
      m_entries.back().hardOwner = in.code() == 360;
      m_pendingKey = false;
      break;
  }
}

void AcDbDictionary::dxfInDone(DxfInFiler& in) {
  if (m_pendingKey) in.fail("dictionary entry '" + std::string(in.raw()) + "' has no object");
  reindex();
}

void AcDbDictionary::dxfOutFields(const DxfGroup&, DxfOutFiler& out) const {
  if (m_hasHardOwnerFlag) out.integer(280, m_hardOwnerFlag);
  out.integer(281, m_mergeStyle);
  for (const Entry& entry : m_entries) {
    if (!entry.id.isValid() || entry.id.isErased()) continue;
    out.text(3, entry.key);
    out.objectId(entry.hardOwner ? 360 : 350, entry.id);
  }
}
