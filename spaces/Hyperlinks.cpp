#include "spaces/Hyperlinks.h"

#include "AcDbBlockReference.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbEntityHyperlinkPE.h"
#include "AcDbObjectPointer.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

CHyperlinks::CHyperlinks(const AcDbEntity* entity) {
  ZELPH_TRY
    getBlockHyperlinks(entity, 0);
  ZELPH_CATCH(L"CHyperlinks::CHyperlinks")
}

CHyperlinks::~CHyperlinks() = default;

bool CHyperlinks::add(std::unique_ptr<CHyperlink> hyperlink) {
  ZELPH_TRY
    if (!hyperlink || !m_addresses.insert(hyperlink->getAddress()).second) return false;
    m_items.push_back(std::move(hyperlink));
    return true;
  ZELPH_CATCH(L"CHyperlinks::add")
}

void CHyperlinks::copyTo(CHyperlinks& other) const {
  ZELPH_TRY
    for (const auto& item : m_items) {
      auto copy = std::make_unique<CHyperlink>();
      item->copyTo(*copy);
      other.add(std::move(copy));
    }
  ZELPH_CATCH(L"CHyperlinks::copyTo")
}

void CHyperlinks::deleteObjects() {
  ZELPH_TRY
    m_items.clear();
    m_addresses.clear();
  ZELPH_CATCH(L"CHyperlinks::deleteObjects")
}

const CHyperlink* CHyperlinks::getAt(int index) const {
  if (index < 0 || index >= getCount()) return nullptr;
  return m_items[static_cast<std::size_t>(index)].get();
}

void CHyperlinks::deSerialize(pugi::xml_node node) {
  ZELPH_TRY
    CXMLUtilities::readItems<CHyperlink>(node, "hyperlink",
                                         [this](std::unique_ptr<CHyperlink> hyperlink) { add(std::move(hyperlink)); });
  ZELPH_CATCH(L"CHyperlinks::deSerialize")
}

void CHyperlinks::getEntityHyperlinks(const AcDbEntity* entity) {
  ZELPH_TRY
    if (entity == nullptr) return;
    std::unique_ptr<AcDbHyperlinkCollection> links;
    ZELPH_CHECK_STATUS(AcDbEntityHyperlinkPE().getHyperlinkCollection(entity, links), L"CHyperlinks::getEntityHyperlinks",
                       L"");
    for (int index = 0; index < links->count(); ++index) {
      const AcDbHyperlink* link = links->item(index);
      add(std::make_unique<CHyperlink>(link->name(), link->description()));
    }
  ZELPH_CATCH(L"CHyperlinks::getEntityHyperlinks")
}

void CHyperlinks::getBlockHyperlinks(const AcDbEntity* entity, int definition) {
  ZELPH_TRY
    if (definition == 0) {
      getEntityHyperlinks(entity);
      return;
    }
    const auto* reference = AcDbBlockReference::cast(entity);
    if (reference == nullptr) return;
    AcDbObjectPointer<AcDbBlockTableRecord> block(reference->blockTableRecord(), AcDb::kForRead);
    if (!block) return;
    const AcDbObjectIdArray entities = block->entityIds();
    block.close();
    for (const AcDbObjectId& id : entities) {
      const AcDbObjectPointer<AcDbEntity> part(id, AcDb::kForRead);
      if (part) getEntityHyperlinks(part.object());
    }
  ZELPH_CATCH(L"CHyperlinks::getBlockHyperlinks")
}

void CHyperlinks::applyToEntity(AcDbEntity* entity) const {
  ZELPH_TRY
    if (entity == nullptr) return;
    AcDbHyperlinkCollection links;
    for (const auto& item : m_items) links.addTail(item->getAddress().c_str(), item->getDescription().c_str());
    ZELPH_CHECK_STATUS(AcDbEntityHyperlinkPE().setHyperlinkCollection(entity, &links), L"CHyperlinks::applyToEntity",
                       L"");
  ZELPH_CATCH(L"CHyperlinks::applyToEntity")
}

void CHyperlinks::applyToEntity(AcDbObjectId entityId) const {
  ZELPH_TRY
    AcDbObjectPointer<AcDbEntity> entity(entityId, AcDb::kForWrite);
    if (entity) applyToEntity(entity.object());
  ZELPH_CATCH(L"CHyperlinks::applyToEntity")
}
