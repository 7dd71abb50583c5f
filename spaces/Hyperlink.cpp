#include "spaces/Hyperlink.h"

#include "support/ZelphExceptions.h"

CHyperlink::CHyperlink(const std::wstring& address, const std::wstring& description)
    : m_address(address), m_description(description) {}

CHyperlink::~CHyperlink() = default;

void CHyperlink::copyTo(CHyperlink& other) const {
  ZELPH_TRY
    other.m_address = m_address;
    other.m_description = m_description;
  ZELPH_CATCH(L"CHyperlink::copyTo")
}
