#include "spaces/ZelphAttribute.h"

#include "support/ZelphExceptions.h"

CZelphAttribute::CZelphAttribute(int kind, const std::wstring& value, const std::wstring& layer)
    : CAttribute(L"", value, layer) {
  setKind(kind);
}

std::wstring CZelphAttribute::tagOfKind(int kind) {
  switch (kind) {
    case kName: return L"NAME";
    case kArea: return L"AREA";
    case kAux: return L"AUX";
    default: return L"";
  }
}

std::unique_ptr<CAttribute> CZelphAttribute::clone() const {
  ZELPH_TRY
    auto copy = std::make_unique<CZelphAttribute>();
    copy->setTag(getTag());
    copy->setValue(getValue());
    copy->setLayer(getLayer());
    copy->m_kind = m_kind;
    return copy;
  ZELPH_CATCH(L"CZelphAttribute::clone")
}

void CZelphAttribute::setKind(int kind) {
  ZELPH_TRY
    m_kind = kind;
    const std::wstring tag = tagOfKind(kind);
    if (!tag.empty()) setTag(tag);
  ZELPH_CATCH(L"CZelphAttribute::setKind")
}
