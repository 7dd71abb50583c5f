#include "reports/Categories.h"

#include <algorithm>

#include "CException.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

CCategories::CCategories() = default;

CCategories::~CCategories() = default;

bool CCategories::add(std::unique_ptr<CCategory> category) {
  ZELPH_TRY
    if (category == nullptr) return false;
    std::vector<const CCategory*>& sameTitle = m_byTitle[category->getTitle()];
    if (std::any_of(sameTitle.begin(), sameTitle.end(),
                    [&category](const CCategory* held) { return category->duplicates(*held); }))
      return false;
    sameTitle.push_back(category.get());
    m_items.push_back(std::move(category));
    return true;
  ZELPH_CATCH(L"CCategories::add")
}

CCategory* CCategories::getAt(int index) const {
  ZELPH_TRY
    if (index < 0 || index >= getCount()) AfxThrowInvalidArgException();
    return m_items[static_cast<size_t>(index)].get();
  ZELPH_CATCH(L"CCategories::getAt")
}

void CCategories::deSerialize(pugi::xml_node node) {
  ZELPH_TRY
    CXMLUtilities::readItems<CCategory>(node, "category",
                                        [this](std::unique_ptr<CCategory> category) { add(std::move(category)); });
  ZELPH_CATCH(L"CCategories::deSerialize")
}

void CCategories::deleteObjects() {
  ZELPH_TRY
    m_byTitle.clear();
    m_items.clear();
  ZELPH_CATCH(L"CCategories::deleteObjects")
}
