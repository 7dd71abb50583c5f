// Small XML documents: writing a declaration, an optional stylesheet, a root
// element and child elements in a namespace; reading a file with the line
// each node stands on, element texts as a DOM gives them, and item elements.
#pragma once

#include <pugixml.hpp>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

class CXMLUtilities {
 public:
  virtual ~CXMLUtilities();

  // Returns the new root element.
  pugi::xml_node createXMLDoc(const std::wstring& rootName, const std::wstring& nameSpace,
                              const std::wstring& stylesheet);
  // Appends an element holding the text to the parent and returns it.
  pugi::xml_node createNode(pugi::xml_node parent, const std::wstring& name, const std::wstring& nameSpace,
                            const std::wstring& text);
  // Both raise an error record when the file cannot be read or written; a
  // file that is not well-formed XML is named with the line and column.
  void load(const std::wstring& path);
  void save(const std::wstring& path);
  // The root element, "/*".
  pugi::xml_node documentElement() const;
  // "line 12" for a node of the loaded file; empty text when not known.
  std::wstring location(pugi::xml_node node) const;

  // The text of every text and CDATA descendant in document order, trimmed of
  // blanks, tabs and line ends at both ends unless xml:space="preserve" holds.
  static std::wstring text(pugi::xml_node element);
  // An item element is read only when it has that name and child nodes:
  // read(child) then sees every element child in document order.  False
  // when nothing was read.
  template <class Read>
  static bool readElement(pugi::xml_node node, const char* name, Read read) {
    if (std::strcmp(node.name(), name) != 0 || !node.first_child()) return false;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
      if (child.type() == pugi::node_element) read(child);
    return true;
  }
  // For every child of the container named item, in order: a new Item
  // reads it (deSerialize(child, more...)) and is given to add.
  template <class Item, class Add, class... More>
  static void readItems(pugi::xml_node container, const char* item, Add add, const More&... more) {
    for (pugi::xml_node child = container.first_child(); child; child = child.next_sibling()) {
      if (child.type() != pugi::node_element || std::strcmp(child.name(), item) != 0) continue;
      auto read = std::make_unique<Item>();
      read->deSerialize(child, more...);
      add(std::move(read));
    }
  }
  static bool isNamed(pugi::xml_node node, const char* name) { return std::strcmp(node.name(), name) == 0; }

 private:
  // Line and column (both from 1) of an offset into the loaded text.
  std::pair<size_t, size_t> lineAndColumn(std::ptrdiff_t offset) const;

  pugi::xml_document m_document;
  // Offsets at which the lines of the loaded text start.
  std::vector<size_t> m_lineStarts;
};
