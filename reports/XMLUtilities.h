// Writing small XML documents: a declaration, an optional stylesheet, a root
// element and child elements in a namespace.
#pragma once

#include <pugixml.hpp>
#include <string>

class CXMLUtilities {
 public:
  virtual ~CXMLUtilities();

  // Returns the new root element.
  pugi::xml_node createXMLDoc(const std::wstring& rootName, const std::wstring& nameSpace,
                              const std::wstring& stylesheet);
  // Appends an element holding the text to the parent and returns it.
  pugi::xml_node createNode(pugi::xml_node parent, const std::wstring& name, const std::wstring& nameSpace,
                            const std::wstring& text);
  // Both raise an error record when the file cannot be read or written.
  void load(const std::wstring& path);
  void save(const std::wstring& path);
  // The root element, "/*".
  pugi::xml_node documentElement() const;

 private:
  pugi::xml_document m_document;
};
