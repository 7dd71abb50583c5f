// The hyperlinks a space, asset or category carries, in order.  Addresses
// are unique: a second link to the same address (exact comparison) is dropped.
#pragma once

#include <memory>
#include <unordered_set>
#include <vector>

#include "spaces/Hyperlink.h"

class CHyperlinks {
 public:
  CHyperlinks() = default;
  virtual ~CHyperlinks();
  CHyperlinks(const CHyperlinks&) = delete;
  CHyperlinks& operator=(const CHyperlinks&) = delete;

  // Takes the link; returns false when its address was held already (the link is freed).
  bool add(std::unique_ptr<CHyperlink> hyperlink);
  void copyTo(CHyperlinks& other) const;
  void deleteObjects();
  // Reads the "hyperlink" children of a graphic report's "hyperlinks" element.
  void deSerialize(pugi::xml_node node);

  int getCount() const { return static_cast<int>(m_items.size()); }
  const CHyperlink* getAt(int index) const;

 private:
  std::vector<std::unique_ptr<CHyperlink>> m_items;
  std::unordered_set<std::wstring> m_addresses;
};
