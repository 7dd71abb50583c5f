#include "spaces/Attributes.h"

#include "spaces/ZelphAttribute.h"
#include "support/ZelphExceptions.h"

CAttributes::~CAttributes() = default;

bool CAttributes::add(std::unique_ptr<CAttribute> attribute, bool force) {
  ZELPH_TRY
    if (!attribute) return false;
    if (!force && getAtAttribute(attribute->getTag()) != nullptr) return false;
    m_items.push_back(std::move(attribute));
    return true;
  ZELPH_CATCH(L"CAttributes::add")
}

CAttribute* CAttributes::getAtAttribute(int kind) const {
  ZELPH_TRY
    for (const auto& item : m_items)
      if (item->getKind() == kind) return item.get();
    return nullptr;
  ZELPH_CATCH(L"CAttributes::getAtAttribute")
}

CAttribute* CAttributes::getAtAttribute(const std::wstring& tag) const {
  ZELPH_TRY
    for (const auto& item : m_items)
      if (item->getTag() == tag) return item.get();
    return nullptr;
  ZELPH_CATCH(L"CAttributes::getAtAttribute")
}

void CAttributes::deleteObjects() {
  ZELPH_TRY
    m_items.clear();
  ZELPH_CATCH(L"CAttributes::deleteObjects")
}

void CAttributes::copySettingsTo(CAttributes& target) const {
  target.m_textHeight = m_textHeight;
  target.m_rotation = m_rotation;
  target.m_widthFactor = m_widthFactor;
}

void CAttributes::copyAttributesTo(CAttributes& target) const {
  ZELPH_TRY
    copySettingsTo(target);
    for (const auto& item : m_items) target.add(item->CAttribute::clone(), false);
  ZELPH_CATCH(L"CAttributes::copyAttributesTo")
}

void CAttributes::copyZelphAttributesTo(CAttributes& target) const {
  ZELPH_TRY
    copySettingsTo(target);
    for (const auto& item : m_items) target.add(item->clone(), false);
  ZELPH_CATCH(L"CAttributes::copyZelphAttributesTo")
}

CAttribute* CAttributes::getAt(int index) const {
  if (index < 0 || index >= getCount()) return nullptr;
  return m_items[static_cast<std::size_t>(index)].get();
}
