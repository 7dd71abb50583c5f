// The hyperlinks a space, asset or category carries, in order.  Addresses
// are unique: a second link to the same address (exact comparison) is dropped.
#pragma once

#include <memory>
#include <unordered_set>
#include <vector>

#include "AcDbObjectId.h"
#include "spaces/Hyperlink.h"

class AcDbEntity;

class CHyperlinks {
 public:
  CHyperlinks() = default;
  // The links the host keeps on the entity itself.
  explicit CHyperlinks(const AcDbEntity* entity);
  virtual ~CHyperlinks();
  CHyperlinks(const CHyperlinks&) = delete;
  CHyperlinks& operator=(const CHyperlinks&) = delete;

  // Takes the link; returns false when its address was held already (the link is freed).
  bool add(std::unique_ptr<CHyperlink> hyperlink);
  void copyTo(CHyperlinks& other) const;
  void deleteObjects();
  // Reads the "hyperlink" children of a graphic report's "hyperlinks" element.
  void deSerialize(pugi::xml_node node);

  // Appends the links the host keeps on the entity, not looking into a block definition.
  void getEntityHyperlinks(const AcDbEntity* entity);
  // definition 0: the entity's own links; 1 and a block reference: the
  // links of every entity of its block definition, in definition order.
  void getBlockHyperlinks(const AcDbEntity* entity, int definition);
  // Replaces the entity's links, which must be open for write, by this
  // list's (no sub-locations).
  void applyToEntity(AcDbEntity* entity) const;
  // The same for an entity not open yet.
  void applyToEntity(AcDbObjectId entityId) const;

  int getCount() const { return static_cast<int>(m_items.size()); }
  const CHyperlink* getAt(int index) const;

 private:
  std::vector<std::unique_ptr<CHyperlink>> m_items;
  std::unordered_set<std::wstring> m_addresses;
};
