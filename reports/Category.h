// One category of a graphic report: the spaces and assets it groups and the
// hatch they are drawn with.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "spaces/Assets.h"
#include "spaces/Blocks.h"
#include "spaces/Hatch.h"

namespace pugi {
class xml_node;
}

class CCategory {
 public:
  CCategory();
  virtual ~CCategory();
  CCategory(const CCategory&) = delete;
  CCategory& operator=(const CCategory&) = delete;

  // Reads a "category" element.  The spaces and assets take the hatch as it
  // stands when their element is read, so the hatch elements come first.
  void deSerialize(pugi::xml_node node);
  // Same title and, when both have a hatch, the same colour, pattern, angle
  // and scale; a category with a hatch never duplicates one without.
  bool duplicates(const CCategory& other) const;

  std::int32_t getID() const { return m_id; }
  void setID(std::int32_t id) { m_id = id; }
  const std::wstring& getTitle() const { return m_title; }
  void setTitle(const std::wstring& title) { m_title = title; }
  // Null while the category has none.
  CHatch* getHatch() const { return m_hatch.get(); }
  void setHatch(std::unique_ptr<CHatch> hatch) { m_hatch = std::move(hatch); }
  CBlocks* getBlocks() const { return m_blocks.get(); }
  void setBlocks(std::unique_ptr<CBlocks> blocks) { m_blocks = std::move(blocks); }
  // The spaces, which the category no longer holds.
  std::unique_ptr<CBlocks> takeBlocks() { return std::move(m_blocks); }
  // Null while the category has none.
  CAssets* getAssets() const { return m_assets.get(); }

 private:
  // The hatch the hatch elements write into, made by the first of them.
  CHatch& hatch();

  std::int32_t m_id = 0;
  std::wstring m_title;
  std::unique_ptr<CHatch> m_hatch;
  std::unique_ptr<CBlocks> m_blocks;
  std::unique_ptr<CAssets> m_assets;
};
