#include "spaces/Hyperlink.h"

#include "support/XMLUtilities.h"
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

void CHyperlink::deSerialize(pugi::xml_node node) {
  ZELPH_TRY
    CXMLUtilities::readElement(node, "hyperlink", [this](pugi::xml_node child) {
      if (CXMLUtilities::isNamed(child, "bhHref"))
        m_address = CXMLUtilities::text(child);
      else if (CXMLUtilities::isNamed(child, "bhDescription"))
        m_description = CXMLUtilities::text(child);
    });
  ZELPH_CATCH(L"CHyperlink::deSerialize")
}
