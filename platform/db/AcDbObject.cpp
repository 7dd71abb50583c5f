#include "AcDbObject.h"

#include <algorithm>
#include <array>
#include <utility>

#include "AcDbDatabase.h"
#include "AcDbDictionary.h"
#include "AcDbEntity.h"
#include "AcDbLayerTableRecord.h"
#include "AcDbRegAppTable.h"
#include "AcDbStub.h"
#include "DxfFile.h"
#include "DxfInFiler.h"
#include "DxfObjectTags.h"
#include "DxfOutFiler.h"
#include "DxfTagList.h"
#include "DxfTagReader.h"
#include "DxfXData.h"
#include "TextCodec.h"
#include "UndoHistory.h"

namespace {

bool onLockedLayer(const AcDbObject& object) {
  const auto* entity = AcDbEntity::cast(&object);
  const auto* layer = entity != nullptr ? residentObject<AcDbLayerTableRecord>(entity->layerId()) : nullptr;
  return layer != nullptr && layer->isLocked();
}

// Numbers repeated markers: TEXT's second "AcDbText" group is ordinal 1.
class GroupCounter {
 public:
  DxfGroup next(std::string_view marker) {
    for (size_t i = 0; i < m_count; ++i)
      if (m_seen[i].first == marker) return {marker, ++m_seen[i].second};
    if (m_count < m_seen.size()) m_seen[m_count++] = {marker, 0};
    return {marker, 0};
  }

 private:
  // Objects have a handful of subclass groups.
  std::array<std::pair<std::string_view, int>, 16> m_seen;
  size_t m_count = 0;
};

void writeHead(const AcDbObject& object, const std::vector<DxfTag>& tags, size_t& i, DxfOutFiler& out,
               const std::string& type) {
  out.tag(0, type);
  i = 1;
  for (; i < tags.size() && !DxfObjectTags::endsHead(tags[i].code) && !DxfObjectTags::isHandleCode(tags[i].code) &&
         tags[i].code != 102 && tags[i].code != 330;
       ++i)
    out.tag(tags[i].code, tags[i].value);
  out.handle(type == "DIMSTYLE" ? 105 : 5, object.handle());
  std::vector<DxfTag> rest;
  while (i < tags.size() && !DxfObjectTags::endsHead(tags[i].code)) {
    if (tags[i].code == 102 && tags[i].value != "{ACAD_XDICTIONARY") {
      const size_t end = std::min(DxfObjectTags::skipAppGroup(tags, i), tags.size());
      for (; i < end; ++i) out.tag(tags[i].code, tags[i].value);
      continue;
    }
    if (tags[i].code == 102) {
      i = DxfObjectTags::skipAppGroup(tags, i);
      continue;
    }
    if (!DxfObjectTags::isHandleCode(tags[i].code) && tags[i].code != 330) rest.push_back(tags[i]);
    ++i;
  }
  if (!object.extensionDictionary().isNull()) {
    out.tag(102, "{ACAD_XDICTIONARY");
    out.objectId(360, object.extensionDictionary());
    out.tag(102, "}");
  }
  out.objectId(330, object.ownerId());
  for (const DxfTag& tag : rest) out.tag(tag.code, tag.value);
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

bool AcDbObject::ownsTag(const DxfGroup& group, int code, std::vector<int>& seenOnce) const {
  if (!dxfOwns(group, code)) return false;
  if (!dxfOwnsOnce(group, code)) return true;
  if (std::find(seenOnce.begin(), seenOnce.end(), code) != seenOnce.end()) return false;
  seenOnce.push_back(code);
  return true;
}

void AcDbObject::dxfIn(const std::vector<DxfTag>& tags, std::string_view text, DxfInFiler& in) {
  setDxfText(text);
  size_t i = 1;
  bool ownerSeen = false;
  while (i < tags.size() && !DxfObjectTags::endsHead(tags[i].code)) {
    const DxfTag& tag = tags[i];
    if (tag.code == 102 && tag.value == "{ACAD_XDICTIONARY") {
      for (++i; i < tags.size() && tags[i].code != 102; ++i) {
        in.setTag(tags[i]);
        if (tags[i].code == 360) extras().extensionDictionary = in.objectId();
      }
      ++i;
      continue;
    }
    if (tag.code == 102) {
      i = DxfObjectTags::skipAppGroup(tags, i);
      continue;
    }
    if (tag.code == 330 && !ownerSeen) {
      in.setTag(tag);
      m_ownerId = in.objectId();
      ownerSeen = true;
    }
    ++i;
  }
  // Reused: reading is the hot path of loading.
  thread_local std::vector<DxfGroup> known;
  known.clear();
  dxfGroups(known);
  GroupCounter counter;
  std::vector<int> seenOnce;
  DxfGroup group;
  bool modelled = false;
  for (; i < tags.size() && tags[i].code != 1001; ++i) {
    const DxfTag& tag = tags[i];
    if (tag.code == 100) {
      group = counter.next(tag.value);
      modelled = std::find(known.begin(), known.end(), group) != known.end();
      seenOnce.clear();
      continue;
    }
    if (tag.code == 101) {
      // An embedded object runs to the next marker; it is carried whole.
      modelled = false;
      continue;
    }
    in.setTag(tag);
    if (modelled && ownsTag(group, tag.code, seenOnce)) dxfInField(group, in);
    // A carried tag is saved as read: it must be what its code says, or no other program reads the save.
    else in.check();
  }
  dxfInDone(in);
  // An object given a handle here must be written with it.
  if (DxfObjectTags::handleTag(tags) == nullptr) m_modified = true;
}

void AcDbObject::dxfOut(DxfOutFiler& out) const {
  if (!m_modified && m_dxfLength != 0) {
    out.raw(dxfText());
    return;
  }
  const std::vector<DxfTag> tags = dxfTags();
  size_t i = 0;
  writeHead(*this, tags, i, out, wideToUtf8(isA()->dxfName()));
  std::vector<DxfGroup> known;
  dxfGroups(known);
  std::vector<bool> written(known.size(), false);
  auto writeGroup = [&](size_t index) {
    out.tag(100, known[index].marker);
    dxfOutFields(known[index], out);
    written[index] = true;
  };
  GroupCounter counter;
  std::vector<int> seenOnce;
  DxfGroup group;
  bool modelled = false;
  for (; i < tags.size() && tags[i].code != 1001; ++i) {
    const DxfTag& tag = tags[i];
    if (tag.code == 100) {
      group = counter.next(tag.value);
      seenOnce.clear();
      const auto found = std::find(known.begin(), known.end(), group);
      modelled = found != known.end();
      if (!modelled) {
        out.tag(tag.code, tag.value);
        continue;
      }
      const auto index = static_cast<size_t>(found - known.begin());
      for (size_t k = 0; k <= index; ++k)
        if (!written[k]) writeGroup(k);
      continue;
    }
    if (tag.code == 101) modelled = false;
    if (!modelled || !ownsTag(group, tag.code, seenOnce)) out.tag(tag.code, tag.value);
  }
  for (size_t k = 0; k < known.size(); ++k)
    if (!written[k]) writeGroup(k);
  if (const DxfTagList* xdata = xdataSet()) {
    for (const DxfOwnedTag& tag : *xdata) out.tag(tag.code, tag.value);
  } else {
    for (; i < tags.size(); ++i) out.tag(tags[i].code, tags[i].value);
  }
}

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
