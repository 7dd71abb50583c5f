// The blocks a command works on: the spaces of a drawing, all its block
// references, or the spaces a graphic report names.  The collection owns
// every entry and frees each exactly once; lookups by handle go through an
// index, so a drawing with many thousands of spaces stays fast.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "Acad.h"

class AcDbBlockReference;
class CAcadDrawing;
class CBlock;
class CHatch;

namespace pugi {
class xml_node;
}

class CBlocks {
 public:
  CBlocks();
  virtual ~CBlocks();
  CBlocks(const CBlocks&) = delete;
  CBlocks& operator=(const CBlocks&) = delete;

  // Takes the block over; it is freed as what it is (a room, a floor ...).
  template <class Block>
  void addBlock(std::unique_ptr<Block> block) {
    append(Entry(block.release(), &destroy<Block>));
  }
  // Throws the framework's invalid-argument exception outside 0..count-1.
  CBlock* getAt(int index) const;
  // The first entry with exactly that handle text, else null.
  CBlock* getAt(const std::wstring& handle) const;
  template <class Block>
  void replaceAt(int index, std::unique_ptr<Block> block) {
    replace(index, Entry(block.release(), &destroy<Block>));
  }
  // Keeps, in order, the entries whose position keep(index) accepts; the
  // others are freed.
  template <class Keep>
  void keepOnly(Keep keep) {
    std::vector<Entry> kept;
    kept.reserve(m_entries.size());
    for (size_t index = 0; index < m_entries.size(); ++index)
      if (keep(static_cast<int>(index))) kept.push_back(std::move(m_entries[index]));
    m_entries = std::move(kept);
    m_indexStale = true;
  }
  // Position of the first entry with exactly that handle text, else -1.
  int indexOf(const std::wstring& handle) const;
  int getCount() const;
  void deleteObjects();
  // By the numeric value of the handles; equal handles keep their order.
  void sortBlocksByHandle(bool ascending);

  // The number after "ROOM-" for the drawing's next space: one more than
  // the highest any block definition has, so the first is ROOM-1; 1 when
  // the drawing is not open.
  static int nextRoomNumber(const CAcadDrawing& drawing);
  // The space name kept in the reference's extended data, or empty text.
  static std::wstring readNameFromXData(const AcDbBlockReference* reference);

  // Whole-drawing selections; the host's result code.
  static int getAcadBlockSS(ads_name selection);
  static int getZelphBlockSS(ads_name selection);
  static int getLegendBlockSS(ads_name selection);
  static int getPieBlockSS(ads_name selection);

  // One plain space per block reference of the drawing.
  void getAcadBlocks(CAcadDrawing& drawing);
  // One space per space block of the drawing: rooms and the floor with the
  // kind letter 'f', buildings and the site with any other.  withOutline:
  // rooms also collect the assets standing in their outline.
  void getZelphDWGBlocks_SS(CAcadDrawing& drawing, bool withOutline, wchar_t kind);
  // One marker per legend marker or pie chart marker of the drawing.
  void getLegendBlock_SS(CAcadDrawing& drawing);
  void getPieBlock_SS(CAcadDrawing& drawing);
  // One space per "zelphBlock" child of a graphic report's "zelphBlocks"
  // element, each given a copy of the category's hatch (may be null).
  void deSerialize(pugi::xml_node node, const CHatch* hatch);

 private:
  typedef void (*Destroy)(CBlock*);
  template <class Block>
  static void destroy(CBlock* block) {
    delete static_cast<Block*>(block);
  }
  class Entry {
   public:
    Entry(CBlock* block, Destroy destroy) : m_block(block), m_destroy(destroy) {}
    ~Entry() { if (m_block != nullptr) m_destroy(m_block); }
    Entry(Entry&& other) noexcept : m_block(other.m_block), m_destroy(other.m_destroy) { other.m_block = nullptr; }
    Entry& operator=(Entry&& other) noexcept;
    CBlock* get() const { return m_block; }

   private:
    CBlock* m_block;
    Destroy m_destroy;
  };

  void append(Entry entry);
  void replace(int index, Entry entry);
  void checkIndex(int index) const;
  void rebuildIndex() const;
  // Lists the selection's block references through makeBlock, between a
  // lock of the drawing and the view put back.
  template <class Make>
  void listSelection(CAcadDrawing& drawing, int (*select)(ads_name), Make makeBlock);
  // Room for count more entries, in the list and in its index.
  void reserveMore(size_t count);

  std::vector<Entry> m_entries;
  // Handle text, in UTF-8 so that a handle needs no allocation of its own,
  // to the position of its first entry; rebuilt when stale.
  mutable std::unordered_map<std::string, size_t> m_byHandle;
  mutable bool m_indexStale = false;
};
