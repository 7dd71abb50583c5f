#include "AcDbSymbolTable.h"

#include "AcDbDatabase.h"
#include "AcDbStub.h"
#include "AcDbSymbolTableRecord.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"
#include "DxfText.h"
#include "TextCodec.h"
#include "UndoHistory.h"

ACRX_DEFINE_MEMBERS(AcDbSymbolTable, AcDbObject, L"TABLE")

AcDbSymbolTable::AcDbSymbolTable() = default;

AcDbSymbolTable::~AcDbSymbolTable() = default;

std::string AcDbSymbolTable::key(std::wstring_view name) {
  // Reused: every name met while reading a drawing is looked up.
  thread_local std::wstring folded;
  folded.assign(name);
  for (wchar_t& c : folded) c = DxfText::foldChar(c);
  return wideToUtf8(folded);
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbObjectId& recordId, bool getErased) const {
  recordId.setNull();
  if (name == nullptr) return Acad::eInvalidInput;
  const auto found = m_contents->byName.find(key(name));
  if (found == m_contents->byName.end()) return Acad::eKeyNotFound;
  if (found->second.isErased() && !getErased) return Acad::eWasErased;
  recordId = found->second;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::getAt(const ACHAR* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                                         bool openErased) const {
  record = nullptr;
  AcDbObjectId recordId;
  const Acad::ErrorStatus status = getAt(name, recordId, openErased);
  return status == Acad::eOk ? acdbOpenObject(record, recordId, mode, openErased) : status;
}

bool AcDbSymbolTable::has(const ACHAR* name) const {
  AcDbObjectId recordId;
  return getAt(name, recordId) == Acad::eOk;
}

bool AcDbSymbolTable::has(AcDbObjectId recordId) const {
  const auto* record = residentObject<AcDbSymbolTableRecord>(recordId);
  return record != nullptr && !record->isErased() && record->ownerId() == objectId();
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbSymbolTableRecord* record) {
  AcDbObjectId ignored;
  return add(ignored, record);
}

Acad::ErrorStatus AcDbSymbolTable::add(AcDbObjectId& recordId, AcDbSymbolTableRecord* record) {
  if (record == nullptr) return Acad::eNullObjectPointer;
  if (database() == nullptr || record->database() != nullptr) return Acad::eInvalidInput;
  if (!record->isKindOf(recordClass()) || record->name().empty()) return Acad::eInvalidInput;
  if (has(record->name().c_str())) return Acad::eDuplicateRecordName;
  if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
  if (!database()->hasHandlesFor(objectsPerRecord())) return Acad::eNullHandle;
  const Acad::ErrorStatus status = database()->addAcDbObject(recordId, record);
  if (status != Acad::eOk) return status;
  assertWriteEnabled();
  record->setOwnerId(objectId());
  insert(record);
  recordAdded(record);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSymbolTable::newIterator(std::unique_ptr<AcDbSymbolTableIterator>& iterator, bool atBeginning,
                                               bool skipDeleted) const {
  iterator = std::make_unique<AcDbSymbolTableIterator>(skipDeleted ? recordIds() : m_contents->records);
  iterator->start(!atBeginning);
  return Acad::eOk;
}

AcDbObjectIdArray AcDbSymbolTable::recordIds() const {
  AcDbObjectIdArray ids;
  ids.reserve(m_contents->records.size());
  for (const AcDbObjectId& id : m_contents->records)
    if (id.isValid() && !id.isErased()) ids.push_back(id);
  return ids;
}

const AcRxClass* AcDbSymbolTable::recordClass() const { return AcDbSymbolTableRecord::desc(); }

void AcDbSymbolTable::recordAdded(AcDbSymbolTableRecord*) {}

bool AcDbSymbolTable::adoptRecord(AcDbSymbolTableRecord* record) {
  if (!record->isKindOf(recordClass())) return false;
  record->setOwnerAsRead(objectId());
  insert(record);
  return true;
}

void AcDbSymbolTable::insert(AcDbSymbolTableRecord* record) {
  if (AcDbDatabase* db = database()) db->undoHistory().noteAppend(m_contents->records);
  m_contents->records.push_back(record->objectId());
  const std::string name = key(record->name());
  // The first of two records of one name keeps it.
  if (m_contents->byName.count(name) == 0) index(name, record->objectId());
}

void AcDbSymbolTable::renamed(AcDbSymbolTableRecord* record, const std::wstring& oldName) {
  const std::string old = key(oldName);
  const auto found = m_contents->byName.find(old);
  if (found != m_contents->byName.end() && found->second == record->objectId()) index(old, AcDbObjectId());
  index(key(record->name()), record->objectId());
}

void AcDbSymbolTable::index(const std::string& name, AcDbObjectId record) {
  if (AcDbDatabase* db = database()) db->undoHistory().noteKey(m_contents->byName, name);
  if (record.isNull()) m_contents->byName.erase(name);
  else m_contents->byName[name] = record;
}

void AcDbSymbolTable::dxfGroups(std::vector<DxfGroup>& groups) const { groups.push_back({"AcDbSymbolTable", 0}); }

bool AcDbSymbolTable::dxfOwns(const DxfGroup& group, int code) const {
  return group.is("AcDbSymbolTable") && code == 70;
}

void AcDbSymbolTable::dxfInField(const DxfGroup&, DxfInFiler&) {}

void AcDbSymbolTable::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (group.is("AcDbSymbolTable")) out.integer(70, static_cast<long long>(recordIds().size()));
}
