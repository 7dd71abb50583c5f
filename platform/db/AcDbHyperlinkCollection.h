// The hyperlinks of an entity in order; the collection owns them.
#pragma once

#include <memory>
#include <vector>

#include "AcDbHyperlink.h"

class AcDbHyperlinkCollection {
 public:
  void addHead(const ACHAR* name, const ACHAR* description, const ACHAR* subLocation = nullptr);
  void addTail(const ACHAR* name, const ACHAR* description, const ACHAR* subLocation = nullptr);
  void addAt(int index, const ACHAR* name, const ACHAR* description, const ACHAR* subLocation = nullptr);
  void removeHead();
  void removeTail();
  void removeAt(int index);
  void removeAll() { m_items.clear(); }
  int count() const { return static_cast<int>(m_items.size()); }
  // Null outside the collection.
  AcDbHyperlink* item(int index) const;

 private:
  std::vector<std::unique_ptr<AcDbHyperlink>> m_items;
};
