// The categories of a graphic report, in document order, owned.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "reports/Category.h"

namespace pugi {
class xml_node;
}

class CCategories {
 public:
  CCategories();
  virtual ~CCategories();
  CCategories(const CCategories&) = delete;
  CCategories& operator=(const CCategories&) = delete;

  // Takes the category unless it duplicates one held (it is freed then);
  // true when it was kept.
  bool add(std::unique_ptr<CCategory> category);
  int getCount() const { return static_cast<int>(m_items.size()); }
  // Throws the framework's invalid-argument exception outside 0..count-1.
  CCategory* getAt(int index) const;
  // Reads the "category" children of a "categories" element.
  void deSerialize(pugi::xml_node node);
  void deleteObjects();

 private:
  std::vector<std::unique_ptr<CCategory>> m_items;
  // Title to the categories of that title, for the duplicate check.
  std::unordered_map<std::wstring, std::vector<const CCategory*>> m_byTitle;
};
