#include "AcDbHyperlinkCollection.h"

#include <algorithm>

namespace {

std::unique_ptr<AcDbHyperlink> newHyperlink(const ACHAR* name, const ACHAR* description, const ACHAR* subLocation) {
  auto hyperlink = std::make_unique<AcDbHyperlink>();
  hyperlink->setName(name);
  hyperlink->setDescription(description);
  hyperlink->setSubLocation(subLocation);
  return hyperlink;
}

}  // namespace

void AcDbHyperlinkCollection::addHead(const ACHAR* name, const ACHAR* description, const ACHAR* subLocation) {
  addAt(0, name, description, subLocation);
}

void AcDbHyperlinkCollection::addTail(const ACHAR* name, const ACHAR* description, const ACHAR* subLocation) {
  addAt(count(), name, description, subLocation);
}

void AcDbHyperlinkCollection::addAt(int index, const ACHAR* name, const ACHAR* description,
                                    const ACHAR* subLocation) {
  index = std::clamp(index, 0, count());
  m_items.insert(m_items.begin() + index, newHyperlink(name, description, subLocation));
}

void AcDbHyperlinkCollection::removeHead() { removeAt(0); }

void AcDbHyperlinkCollection::removeTail() { removeAt(count() - 1); }

void AcDbHyperlinkCollection::removeAt(int index) {
  if (index >= 0 && index < count()) m_items.erase(m_items.begin() + index);
}

AcDbHyperlink* AcDbHyperlinkCollection::item(int index) const {
  if (index < 0 || index >= count()) return nullptr;
  return m_items[static_cast<std::size_t>(index)].get();
}
