#include "reports/XMLUtilities.h"

#include "TextCodec.h"
#include "support/FileUtilities.h"
#include "support/ZelphExceptions.h"

namespace {

std::string utf8(const std::wstring& text) { return wideToUtf8(text); }

// The default namespace an element inherits from its ancestors.
std::string inheritedNamespace(pugi::xml_node node) {
  for (; node; node = node.parent())
    if (const pugi::xml_attribute xmlns = node.attribute("xmlns")) return xmlns.value();
  return "";
}

// Names the namespace on the element unless it is inherited already.
pugi::xml_node appendElement(pugi::xml_node parent, const std::wstring& name, const std::wstring& nameSpace) {
  pugi::xml_node element = parent.append_child(utf8(name).c_str());
  if (utf8(nameSpace) != inheritedNamespace(parent)) element.append_attribute("xmlns") = utf8(nameSpace).c_str();
  return element;
}

}  // namespace

CXMLUtilities::~CXMLUtilities() = default;

pugi::xml_node CXMLUtilities::createXMLDoc(const std::wstring& rootName, const std::wstring& nameSpace,
                                           const std::wstring& stylesheet) {
  ZELPH_TRY
    m_document.reset();
    pugi::xml_node declaration = m_document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    if (!stylesheet.empty()) {
      pugi::xml_node instruction = m_document.append_child(pugi::node_pi);
      instruction.set_name("xml-stylesheet");
      instruction.set_value(("type=\"text/xsl\" href=\"" + utf8(stylesheet) + "\"").c_str());
    }
    return appendElement(m_document, rootName, nameSpace);
  ZELPH_CATCH(L"CXMLUtilities::createXMLDoc")
}

pugi::xml_node CXMLUtilities::createNode(pugi::xml_node parent, const std::wstring& name,
                                         const std::wstring& nameSpace, const std::wstring& text) {
  ZELPH_TRY
    pugi::xml_node element = appendElement(parent, name, nameSpace);
    element.text().set(utf8(text).c_str());
    return element;
  ZELPH_CATCH(L"CXMLUtilities::createNode")
}

void CXMLUtilities::load(const std::wstring& path) {
  ZELPH_TRY
    const pugi::xml_parse_result result = m_document.load_file(CFileUtilities::nativePath(path).c_str());
    if (!result)
      throw new CEXUnhandled(ZELPH_BANNER, ZELPH_SOURCE, L"CXMLUtilities::load",
                             L"Unable to read the XML file " + path + L": " + utf8ToWide(result.description()) + L".",
                             0);
  ZELPH_CATCH(L"CXMLUtilities::load")
}

void CXMLUtilities::save(const std::wstring& path) {
  ZELPH_TRY
    if (!m_document.save_file(CFileUtilities::nativePath(path).c_str(), "\t", pugi::format_default, pugi::encoding_utf8))
      throw new CEXUnhandled(ZELPH_BANNER, ZELPH_SOURCE, L"CXMLUtilities::save",
                             L"Unable to write the XML file " + path + L".", 0);
  ZELPH_CATCH(L"CXMLUtilities::save")
}

pugi::xml_node CXMLUtilities::documentElement() const { return m_document.document_element(); }
