#include "AcDbBlockTableRecord.h"

#include <algorithm>
#include <utility>

#include "AcDbAttributeDefinition.h"
#include "AcDbBlockBegin.h"
#include "AcDbDatabase.h"
#include "AcDbStub.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"
#include "DxfText.h"
#include "UndoHistory.h"

ACRX_DEFINE_MEMBERS(AcDbBlockTableRecord, AcDbSymbolTableRecord, L"BLOCK_RECORD")

namespace {

AcDbBlockBegin* beginOf(AcDbObjectId id) {
  return residentObject<AcDbBlockBegin>(id);
}

bool startsWithIgnoringCase(std::wstring_view text, std::wstring_view prefix) {
  return DxfText::sameFolded(text.substr(0, prefix.size()), prefix);
}

}  // namespace

AcDbBlockTableRecordIterator::AcDbBlockTableRecordIterator(AcDbObjectIdArray entities)
    : m_entities(std::move(entities)) {}

void AcDbBlockTableRecordIterator::start(bool atBeginning) { m_index = atBeginning ? 0 : m_entities.size() - 1; }

bool AcDbBlockTableRecordIterator::done() const { return m_index >= m_entities.size(); }

void AcDbBlockTableRecordIterator::step(bool forward) { m_index = forward ? m_index + 1 : m_index - 1; }

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntityId(AcDbObjectId& entityId) const {
  if (done()) return Acad::eInvalidInput;
  entityId = m_entities[m_index];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbBlockTableRecordIterator::getEntity(AcDbEntity*& entity, AcDb::OpenMode mode,
                                                          bool openErased) const {
  entity = nullptr;
  if (done()) return Acad::eInvalidInput;
  return acdbOpenAcDbEntity(entity, m_entities[m_index], mode, openErased);
}

AcDbBlockTableRecord::AcDbBlockTableRecord() = default;

AcDbBlockTableRecord::~AcDbBlockTableRecord() = default;

std::string_view AcDbBlockTableRecord::recordMarker() const { return "AcDbBlockTableRecord"; }

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbEntity* entity) {
  AcDbObjectId ignored;
  return appendAcDbEntity(ignored, entity);
}

Acad::ErrorStatus AcDbBlockTableRecord::appendAcDbEntity(AcDbObjectId& entityId, AcDbEntity* entity) {
  if (entity == nullptr) return Acad::eNullEntityPointer;
  AcDbDatabase* db = database();
  if (db == nullptr) return Acad::eNotInDatabase;
  if (entity->database() != nullptr) return Acad::eInvalidInput;
  if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
  if (entity->layerId().isNull()) entity->setDatabaseDefaults(db);
  const Acad::ErrorStatus status = db->addAcDbObject(entityId, entity);
  if (status != Acad::eOk) return status;
  adopt(entity);
  return Acad::eOk;
}

void AcDbBlockTableRecord::adopt(AcDbEntity* entity) {
  // One the file put in this block but named another owner is saved naming
  // this one, or read back it would move.
  if (entity->m_ownerId != objectId()) entity->m_modified = true;
  entity->m_ownerId = objectId();
  if (AcDbDatabase* db = database()) db->undoHistory().noteAppend(m_contents->entities);
  m_contents->entities.push_back(entity->objectId());
}

void AcDbBlockTableRecord::adoptMarkers(AcDbObject* begin, AcDbObject* end) {
  m_begin = begin->objectId();
  m_end = end->objectId();
  begin->setOwnerAsRead(objectId());
  end->setOwnerAsRead(objectId());
}

Acad::ErrorStatus AcDbBlockTableRecord::assumeOwnershipOf(const AcDbObjectIdArray& entities) {
  if (database() == nullptr) return Acad::eNotInDatabase;
  if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
  for (const AcDbObjectId& id : entities) {
    auto* entity = id.database() == database() ? residentObject<AcDbEntity>(id) : nullptr;
    if (entity == nullptr) return Acad::eInvalidInput;
  }
  for (const AcDbObjectId& id : entities) {
    auto* entity = AcDbEntity::cast(id.stub()->object.get());
    const AcDbObjectId oldOwner = entity->ownerId();
    if (oldOwner == objectId()) continue;
    database()->undoHistory().noteWrite(*entity);
    if (auto* previous = residentObject<AcDbBlockTableRecord>(oldOwner)) {
      ++previous->m_contents->departed;
      previous->compact();
    }
    entity->m_modified = true;
    entity->noteChange();
    adopt(entity);
  }
  return Acad::eOk;
}

void AcDbBlockTableRecord::compact() const {
  // Entities that moved away are dropped in bulk, keeping moves linear.
  AcDbObjectIdArray& entities = m_contents->entities;
  if (m_contents->departed * 2 < entities.size() + 16) return;
  if (AcDbDatabase* db = database()) db->undoHistory().noteRewrite(entities);
  const AcDbObjectId self = objectId();
  entities.erase(std::remove_if(entities.begin(), entities.end(),
                                [&](const AcDbObjectId& id) {
                                  return !id.isValid() || id.stub()->object->ownerId() != self;
                                }),
                 entities.end());
  m_contents->departed = 0;
}

AcDbObjectIdArray AcDbBlockTableRecord::entityIds(bool skipDeleted) const {
  AcDbObjectIdArray ids;
  ids.reserve(m_contents->entities.size());
  const AcDbObjectId self = objectId();
  for (const AcDbObjectId& id : m_contents->entities) {
    if (!id.isValid() || id.stub()->object->ownerId() != self) continue;
    if (skipDeleted && id.isErased()) continue;
    ids.push_back(id);
  }
  return ids;
}

Acad::ErrorStatus AcDbBlockTableRecord::newIterator(std::unique_ptr<AcDbBlockTableRecordIterator>& iterator,
                                                    bool atBeginning, bool skipDeleted) const {
  iterator = std::make_unique<AcDbBlockTableRecordIterator>(entityIds(skipDeleted));
  iterator->start(atBeginning);
  return Acad::eOk;
}

AcGePoint3d AcDbBlockTableRecord::origin() const {
  const AcDbBlockBegin* begin = beginOf(m_begin);
  return begin ? begin->origin() : AcGePoint3d::kOrigin;
}

Acad::ErrorStatus AcDbBlockTableRecord::setOrigin(const AcGePoint3d& origin) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  AcDbBlockBegin* begin = beginOf(m_begin);
  if (begin == nullptr) return Acad::eNotInDatabase;
  database()->undoHistory().noteWrite(*begin);
  begin->m_modified = true;
  begin->m_origin = origin;
  return Acad::eOk;
}

bool AcDbBlockTableRecord::hasAttributeDefinitions() const {
  for (const AcDbObjectId& id : entityIds())
    if (id.objectClass()->isDerivedFrom(AcDbAttributeDefinition::desc())) return true;
  return false;
}

bool AcDbBlockTableRecord::isAnonymous() const { return !name().empty() && name()[0] == L'*' && !isLayout(); }

bool AcDbBlockTableRecord::isFromExternalReference() const {
  const AcDbBlockBegin* begin = beginOf(m_begin);
  return begin != nullptr && (begin->blockFlags() & 4) != 0;
}

bool AcDbBlockTableRecord::isLayout() const {
  return startsWithIgnoringCase(name(), L"*Model_Space") || startsWithIgnoringCase(name(), L"*Paper_Space");
}

bool AcDbBlockTableRecord::dxfOwns(const DxfGroup& group, int code) const {
  // Group 70 of a block record holds its insertion units, not flags.
  return group.is(recordMarker()) && (code == 2 || code == 340);
}

void AcDbBlockTableRecord::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (in.code() == 340) m_layout = in.objectId();
  else AcDbSymbolTableRecord::dxfInField(group, in);
}

void AcDbBlockTableRecord::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  AcDbSymbolTableRecord::dxfOutFields(group, out);
  if (group.is(recordMarker())) out.objectId(340, m_layout);
}
