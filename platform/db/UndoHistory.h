// What the commands run on a drawing changed, group by group, so that the
// last ones can be undone and redone exactly, and a failing command rolled
// back to where it started.
//
// An object is recorded when it is first opened for write in a group: a
// copy of its state, which undo swaps back into the object's place; the
// object it takes out is what redo swaps in again.  A new object is
// recorded as absent.  Lists that grow with the drawing (a block's
// entities, a table's records, the OBJECTS section) are not copied: their
// growth is recorded as the length they had.  So a record grows with what
// a command changed, not with the drawing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "AcDbObjectId.h"

class AcDbDatabase;
class AcDbObject;

class UndoHistory {
 public:
  // Groups kept when nothing else is said, as CAD programs keep them.
  static constexpr size_t kDefaultLimit = 100;

  // One change, undone and redone in place.
  class Entry {
   public:
    virtual ~Entry();
    virtual void undo() = 0;
    virtual void redo() = 0;
  };

  explicit UndoHistory(AcDbDatabase& database);
  ~UndoHistory();
  UndoHistory(const UndoHistory&) = delete;
  UndoHistory& operator=(const UndoHistory&) = delete;

  // Nested: the outermost begin opens a group named after its command, an
  // inner one a mark in it.
  void begin(const std::wstring& name = std::wstring());
  // Closes the innermost; the outermost keeps its group when it changed the
  // drawing, and what was undone before can no longer be redone.
  void end();
  // Undoes what changed since the innermost begin, and closes it.
  void rollBack();
  // Open begins.
  size_t depth() const { return m_levels.size(); }
  bool recording() const { return !m_levels.empty(); }

  // Undoes the newest group and names it; false when there is none.
  bool undo(std::wstring& name);
  // Redoes the group undone last and names it; false when there is none.
  bool redo(std::wstring& name);
  size_t undoable() const { return m_done.size(); }
  size_t redoable() const { return m_undone.size(); }
  // Forgets every group (a drawing opened anew).
  void clear();
  // The oldest groups are forgotten beyond this many (at least one).
  void setLimit(size_t groups);
  size_t limit() const { return m_limit; }

  // What the database and its objects tell while a group is open, each
  // before the change it names.
  void noteWrite(AcDbObject& object);
  void noteNew(AcDbObject& object);
  void noteAppend(AcDbObjectIdArray& list);
  // The list is about to lose or reorder items, not only grow.
  void noteRewrite(AcDbObjectIdArray& list);
  void noteKey(std::unordered_map<std::string, AcDbObjectId>& map, const std::string& key);
  void noteHeader();
  void noteHandseed();

 private:
  struct Level {
    size_t firstEntry;
    std::uint32_t serial;
  };
  struct Group {
    std::wstring name;
    std::vector<std::unique_ptr<Entry>> entries;
  };
  class SwapEntry;
  class ObjectEntry;
  class TailEntry;
  class WholeListEntry;
  class KeyEntry;
  class HeaderEntry;
  class HandseedEntry;

  // True when the thing was recorded already in the innermost level.
  bool seen(const void* thing);
  void add(std::unique_ptr<Entry> entry) { m_open.entries.push_back(std::move(entry)); }
  // The drawing's caches after objects changed places.
  void changed();

  AcDbDatabase& m_database;
  Group m_open;
  std::vector<Level> m_levels;
  std::unordered_map<const void*, std::uint32_t> m_seen;
  std::uint32_t m_nextSerial = 1;
  std::deque<Group> m_done;
  std::vector<Group> m_undone;
  size_t m_limit = kDefaultLimit;
};
