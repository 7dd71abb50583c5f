#include "AcDbEntityHyperlinkPE.h"

#include <string>
#include <vector>

#include "AcDbObject.h"
#include "resbuf.h"

namespace {

// The texts of the record: the address outside any group, then the texts
// of each group at the outer level (nested groups are another program's).
struct HyperlinkTexts {
  std::wstring address;
  bool hasAddress = false;
  std::vector<std::vector<std::wstring>> groups;
};

HyperlinkTexts readTexts(const resbuf* record) {
  HyperlinkTexts texts;
  int depth = 0;
  for (const resbuf* rb = record; rb != nullptr; rb = rb->rbnext) {
    if (rb->restype == 1002 && rb->resval.rstring != nullptr) {
      const std::wstring brace = rb->resval.rstring;
      if (brace == L"{" && ++depth == 1) texts.groups.emplace_back();
      if (brace == L"}" && depth > 0) --depth;
      continue;
    }
    if (rb->restype != 1000 || rb->resval.rstring == nullptr) continue;
    if (depth == 0 && !texts.hasAddress) {
      texts.address = rb->resval.rstring;
      texts.hasAddress = true;
    } else if (depth == 1) {
      texts.groups.back().push_back(rb->resval.rstring);
    }
  }
  return texts;
}

std::wstring textAt(const std::vector<std::wstring>& texts, std::size_t index) {
  return index < texts.size() ? texts[index] : std::wstring();
}

void appendItem(resbuf*& tail, int type, const std::wstring& text) {
  resbuf* rb = acutBuildList(type, text.c_str(), 0);
  tail->rbnext = rb;
  tail = rb;
}

// One group: the first link's (description, sub-location) or a further link's (address first).
void appendGroup(resbuf*& tail, const std::vector<std::wstring>& texts) {
  appendItem(tail, 1002, L"{");
  for (const std::wstring& text : texts) appendItem(tail, 1000, text);
  appendItem(tail, 1002, L"}");
}

resbuf* buildRecord(const AcDbHyperlinkCollection* collection) {
  resbuf* record = acutBuildList(1001, AcDbEntityHyperlinkPE::kApplication, 0);
  if (collection == nullptr || collection->count() == 0) return record;
  resbuf* tail = record;
  const AcDbHyperlink* first = collection->item(0);
  appendItem(tail, 1000, first->name());
  // The first group is written whenever anything follows the address, with
  // both texts, so a reader of one link never takes the next address for a sub-location.
  if (!first->description().empty() || !first->subLocation().empty() || collection->count() > 1)
    appendGroup(tail, {first->description(), first->subLocation()});
  for (int i = 1; i < collection->count(); ++i) {
    const AcDbHyperlink* link = collection->item(i);
    appendGroup(tail, {link->name(), link->description(), link->subLocation()});
  }
  return record;
}

}  // namespace

Acad::ErrorStatus AcDbEntityHyperlinkPE::getHyperlinkCollection(
    const AcDbObject* object, std::unique_ptr<AcDbHyperlinkCollection>& collection, bool oneOnly) const {
  if (object == nullptr) return Acad::eNullObjectPointer;
  collection = std::make_unique<AcDbHyperlinkCollection>();
  resbuf* record = object->xData(kApplication);
  const HyperlinkTexts texts = readTexts(record);
  acutRelRb(record);
  if (!texts.hasAddress) return Acad::eOk;
  const std::vector<std::wstring> none;
  const std::vector<std::wstring>& own = texts.groups.empty() ? none : texts.groups.front();
  collection->addTail(texts.address.c_str(), textAt(own, 0).c_str(), textAt(own, 1).c_str());
  for (std::size_t i = 1; i < texts.groups.size() && !oneOnly; ++i) {
    const std::vector<std::wstring>& group = texts.groups[i];
    if (group.empty()) continue;
    collection->addTail(group[0].c_str(), textAt(group, 1).c_str(), textAt(group, 2).c_str());
  }
  return Acad::eOk;
}

Acad::ErrorStatus AcDbEntityHyperlinkPE::setHyperlinkCollection(AcDbObject* object,
                                                                const AcDbHyperlinkCollection* collection) const {
  if (object == nullptr) return Acad::eNullObjectPointer;
  resbuf* record = buildRecord(collection);
  const Acad::ErrorStatus status = object->setXData(record);
  acutRelRb(record);
  return status;
}

Acad::ErrorStatus AcDbEntityHyperlinkPE::getHyperlinkCount(const AcDbObject* object, unsigned int& count) const {
  std::unique_ptr<AcDbHyperlinkCollection> collection;
  const Acad::ErrorStatus status = getHyperlinkCollection(object, collection);
  count = collection ? static_cast<unsigned int>(collection->count()) : 0;
  return status;
}

Acad::ErrorStatus AcDbEntityHyperlinkPE::hasHyperlink(const AcDbObject* object, bool& has) const {
  unsigned int count = 0;
  const Acad::ErrorStatus status = getHyperlinkCount(object, count);
  has = count > 0;
  return status;
}
