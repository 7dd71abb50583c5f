#include "AcDbObject.h"

#include "AcDbDatabase.h"
#include "AcDbDictionary.h"
#include "AcDbEntity.h"
#include "AcDbLayerTableRecord.h"
#include "AcDbRegAppTable.h"
#include "AcDbStub.h"
#include "DxfFile.h"
#include "DxfTagList.h"
#include "DxfTagReader.h"
#include "DxfXData.h"
#include "UndoHistory.h"

namespace {

bool onLockedLayer(const AcDbObject& object) {
  const auto* entity = AcDbEntity::cast(&object);
  const auto* layer = entity != nullptr ? residentObject<AcDbLayerTableRecord>(entity->layerId()) : nullptr;
  return layer != nullptr && layer->isLocked();
}

}  // namespace

AcDbObject::AcDbObject() = default;

AcDbObject::~AcDbObject() = default;

AcDbObject::AcDbObject(const AcDbObject& other)
    : AcRxObject(other),
      m_stub(other.m_stub),
      m_ownerId(other.m_ownerId),
      m_dxfOffset(other.m_dxfOffset),
      m_dxfLength(other.m_dxfLength),
      m_erased(other.m_erased),
      m_modified(other.m_modified) {
  if (other.m_extras) {
    m_extras = std::make_unique<Extras>();
    m_extras->extensionDictionary = other.m_extras->extensionDictionary;
    if (other.m_extras->xdata) m_extras->xdata = std::make_unique<DxfTagList>(*other.m_extras->xdata);
  }
}

AcDbObject* AcDbObject::undoCopy() const { return nullptr; }

void AcDbObject::noteUndo() {
  if (AcDbDatabase* owner = database()) owner->undoHistory().noteWrite(*this);
}

AcRxClass* AcDbObject::desc() {
  static AcRxClass descriptor(L"AcDbObject", nullptr);
  return &descriptor;
}

AcDbObject* AcDbObject::cast(const AcRxObject* object) {
  return const_cast<AcDbObject*>(dynamic_cast<const AcDbObject*>(object));
}

AcRxClass* AcDbObject::isA() const { return desc(); }

bool AcDbObject::isKindOf(const AcRxClass* aClass) const { return isA()->isDerivedFrom(aClass); }

std::string_view AcDbObject::dxfText() const {
  if (m_dxfLength == 0) return std::string_view();
  return std::string_view(database()->dxfFile().text).substr(m_dxfOffset, m_dxfLength);
}

std::vector<DxfTag> AcDbObject::dxfTags() const {
  std::vector<DxfTag> tags;
  DxfTagReader reader(dxfText());
  while (!reader.atEnd()) tags.push_back(reader.next());
  return tags;
}

void AcDbObject::setDxfText(std::string_view text) {
  const std::string& file = database()->dxfFile().text;
  m_dxfOffset = static_cast<Adesk::UInt32>(text.data() - file.data());
  m_dxfLength = static_cast<Adesk::UInt32>(text.size());
}

AcDbObjectId AcDbObject::objectId() const { return AcDbObjectId(m_stub); }

AcDbHandle AcDbObject::handle() const { return m_stub ? m_stub->handle : AcDbHandle(); }

AcDbDatabase* AcDbObject::database() const { return m_stub ? m_stub->database : nullptr; }

void AcDbObject::noteChange() const {
  if (AcDbDatabase* owner = database()) owner->noteChange(objectId());
}

bool AcDbObject::isNewObject() const { return m_dxfLength == 0; }

Acad::ErrorStatus AcDbObject::setOwnerId(AcDbObjectId owner) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_ownerId = owner;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::open(AcDb::OpenMode mode, bool openErased) {
  if (m_erased && !openErased) return Acad::eWasErased;
  if (m_writer) return Acad::eWasOpenForWrite;
  if (mode == AcDb::kForWrite) {
    if (m_readers > 0) return Acad::eWasOpenForRead;
    noteUndo();
    m_writer = true;
    m_modified = true;
    noteChange();
  } else {
    ++m_readers;
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::close() {
  if (m_stub == nullptr) return Acad::eNotInDatabase;
  if (m_writer) {
    m_writer = false;
    noteChange();
  } else if (m_readers > 0) {
    --m_readers;
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::upgradeOpen() {
  if (m_writer) return Acad::eWasOpenForWrite;
  if (m_readers != 1) return m_readers == 0 ? Acad::eNotOpenForRead : Acad::eWasOpenForRead;
  if (onLockedLayer(*this)) return Acad::eOnLockedLayer;
  noteUndo();
  m_readers = 0;
  m_writer = true;
  m_modified = true;
  noteChange();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::downgradeOpen() {
  if (!m_writer) return Acad::eNotOpenForWrite;
  m_writer = false;
  m_readers = 1;
  return Acad::eOk;
}

bool AcDbObject::isReadEnabled() const { return m_stub == nullptr || m_writer || m_readers > 0; }

bool AcDbObject::isWriteEnabled() const { return m_stub == nullptr || m_writer; }

bool AcDbObject::assertWriteEnabled() {
  if (!isWriteEnabled()) return false;
  m_modified = true;
  return true;
}

Acad::ErrorStatus AcDbObject::erase(bool erasing) {
  if (m_stub == nullptr) return Acad::eNotInDatabase;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_erased = erasing;
  return Acad::eOk;
}

AcDbObject::Extras& AcDbObject::extras() {
  if (!m_extras) m_extras = std::make_unique<Extras>();
  return *m_extras;
}

resbuf* AcDbObject::xData(const ACHAR* regappName) const {
  if (const DxfTagList* set = xdataSet()) return DxfXData::toResbuf(*set, regappName);
  return DxfXData::toResbuf(DxfXData::viewsOf(dxfText()), regappName);
}

Acad::ErrorStatus AcDbObject::setXData(const resbuf* xdata) {
  if (!isWriteEnabled()) return Acad::eNotOpenForWrite;
  auto tags = std::make_unique<DxfTagList>(xdataSet() ? *xdataSet() : DxfXData::fromDxf(dxfText()));
  if (!DxfXData::merge(*tags, xdata)) return Acad::eInvalidResBuf;
  extras().xdata = std::move(tags);
  m_modified = true;
  // A file whose extended data names an unregistered application is damaged.
  if (database() != nullptr)
    for (const resbuf* rb = xdata; rb != nullptr; rb = rb->rbnext)
      if (rb->restype == 1001) acdbRegApp(rb->resval.rstring, database());
  return Acad::eOk;
}

Acad::ErrorStatus AcDbObject::createExtensionDictionary() {
  if (!extensionDictionary().isNull()) return Acad::eOk;
  AcDbDatabase* db = database();
  if (db == nullptr) return Acad::eNotInDatabase;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  auto dictionary = std::make_unique<AcDbDictionary>();
  const Acad::ErrorStatus status = db->addAcDbObject(extras().extensionDictionary, dictionary.get());
  if (status != Acad::eOk) return status;
  AcDbDictionary* added = dictionary.release();
  added->setOwnerId(objectId());
  added->close();
  return Acad::eOk;
}

void AcDbObject::dxfGroups(std::vector<DxfGroup>&) const {}

bool AcDbObject::dxfOwns(const DxfGroup&, int) const { return false; }

bool AcDbObject::dxfOwnsOnce(const DxfGroup&, int) const { return false; }

void AcDbObject::dxfInField(const DxfGroup&, DxfInFiler&) {}

void AcDbObject::dxfInDone(DxfInFiler&) {}

void AcDbObject::dxfOutFields(const DxfGroup&, DxfOutFiler&) const {}

Acad::ErrorStatus acdbOpenAcDbObject(AcDbObject*& object, AcDbObjectId id, AcDb::OpenMode mode, bool openErased) {
  object = nullptr;
  if (id.isNull()) return Acad::eNullObjectId;
  if (!id.isValid()) return Acad::eUnknownHandle;
  AcDbObject* target = id.stub()->object.get();
  if (mode == AcDb::kForWrite && !(target->isErased() && !openErased) && onLockedLayer(*target))
    return Acad::eOnLockedLayer;
  const Acad::ErrorStatus status = target->open(mode, openErased);
  if (status == Acad::eOk) object = target;
  return status;
}
