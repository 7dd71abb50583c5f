#include "spaces/Hyperlinks.h"

#include "reports/XMLUtilities.h"
#include "support/ZelphExceptions.h"

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
