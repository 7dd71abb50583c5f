#include "spaces/Attribute.h"

#include "support/ZelphExceptions.h"

CAttribute::CAttribute(const std::wstring& tag, const std::wstring& value, const std::wstring& layer)
    : m_tag(tag), m_value(value), m_layer(layer) {}

CAttribute::~CAttribute() = default;

std::unique_ptr<CAttribute> CAttribute::clone() const {
  ZELPH_TRY
    return std::make_unique<CAttribute>(m_tag, m_value, m_layer);
  ZELPH_CATCH(L"CAttribute::clone")
}
