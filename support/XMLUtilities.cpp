#include "support/XMLUtilities.h"

#include <algorithm>
#include <fstream>
#include <iterator>

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

// Reports are a few levels deep; more than this is no report.
constexpr size_t kMostDepth = 1000;

bool isXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool preservesSpace(pugi::xml_node node) {
  for (; node; node = node.parent())
    if (const pugi::xml_attribute space = node.attribute("xml:space")) return std::strcmp(space.value(), "preserve") == 0;
  return false;
}

std::string trimmed(const std::string& text) {
  const auto first = std::find_if_not(text.begin(), text.end(), isXmlSpace);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), isXmlSpace).base();
  return first < last ? std::string(first, last) : std::string();
}

// The node after this one in document order, within root; a walk with no
// recursion, whatever the depth of the file.
pugi::xml_node nextWithin(pugi::xml_node node, pugi::xml_node root) {
  if (node.first_child()) return node.first_child();
  for (; node && node != root; node = node.parent())
    if (node.next_sibling()) return node.next_sibling();
  return pugi::xml_node();
}

void appendText(pugi::xml_node element, std::string& text) {
  for (pugi::xml_node node = nextWithin(element, element); node; node = nextWithin(node, element))
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) text += node.value();
}

// The first element nested deeper than the limit; empty when none is.
pugi::xml_node tooDeep(pugi::xml_node root, size_t limit) {
  size_t depth = 0;
  pugi::xml_node node = root;
  while (node) {
    if (node.first_child()) {
      node = node.first_child();
      if (++depth > limit) return node;
      continue;
    }
    for (; node && node != root && !node.next_sibling(); --depth) node = node.parent();
    node = node && node != root ? node.next_sibling() : pugi::xml_node();
  }
  return pugi::xml_node();
}

}  // namespace

CXMLUtilities::~CXMLUtilities() = default;

pugi::xml_node CXMLUtilities::createXMLDoc(const std::wstring& rootName, const std::wstring& nameSpace,
                                           const std::wstring& stylesheet) {
  ZELPH_TRY
    m_document.reset();
    m_lineStarts.clear();
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
    const auto fail = [&path](const std::wstring& why) {
      throw new CEXUnhandled(ZELPH_BANNER, ZELPH_SOURCE, L"CXMLUtilities::load",
                             L"Unable to read the XML file " + path + why + L".", 0);
    };
    std::ifstream file(CFileUtilities::nativePath(path), std::ios::binary);
    if (!file) fail(L"");
    const std::string buffer{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) fail(L"");
    m_lineStarts.assign(1, 0);
    for (size_t at = buffer.find('\n'); at != std::string::npos; at = buffer.find('\n', at + 1))
      m_lineStarts.push_back(at + 1);
    // A lone blank value stays, so that xml:space="preserve" can keep it.
    const pugi::xml_parse_result result =
        m_document.load_buffer(buffer.data(), buffer.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    const auto failAt = [&](std::ptrdiff_t offset, const std::wstring& why) {
      const auto [line, column] = lineAndColumn(offset);
      fail(L": line " + std::to_wstring(line) + L", column " + std::to_wstring(column) + L": " + why);
    };
    if (!result) failAt(result.offset, utf8ToWide(result.description()));
    if (const pugi::xml_node deep = tooDeep(m_document, kMostDepth))
      failAt(deep.offset_debug() - 1, L"elements nested more than " + std::to_wstring(kMostDepth) + L" deep");
    // The parser lets a second one pass; an element's offset is that of its name, after the '<'.
    for (pugi::xml_node node = m_document.document_element().next_sibling(); node; node = node.next_sibling())
      if (node.type() == pugi::node_element) failAt(node.offset_debug() - 1, L"a second document element");
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

std::pair<size_t, size_t> CXMLUtilities::lineAndColumn(std::ptrdiff_t offset) const {
  const size_t at = static_cast<size_t>(std::max<std::ptrdiff_t>(offset, 0));
  const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), at);
  const size_t line = static_cast<size_t>(std::distance(m_lineStarts.begin(), next));
  return {line, at - m_lineStarts[line - 1] + 1};
}

std::wstring CXMLUtilities::location(pugi::xml_node node) const {
  ZELPH_TRY
    const std::ptrdiff_t offset = node.offset_debug();
    if (offset < 0 || m_lineStarts.empty()) return L"";
    return L"line " + std::to_wstring(lineAndColumn(offset).first);
  ZELPH_CATCH(L"CXMLUtilities::location")
}

std::wstring CXMLUtilities::text(pugi::xml_node element) {
  ZELPH_TRY
    std::string text;
    appendText(element, text);
    return utf8ToWide(preservesSpace(element) ? text : trimmed(text));
  ZELPH_CATCH(L"CXMLUtilities::text")
}
