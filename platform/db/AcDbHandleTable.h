// Every object id of a database: stubs by handle in a hash map, and the
// next free handle ($HANDSEED).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "AcDbStub.h"

class AcDbHandleTable {
 public:
  explicit AcDbHandleTable(AcDbDatabase* database) : m_database(database) {}

  AcDbStub* find(AcDbHandle handle) const;
  AcDbStub* findOrCreate(AcDbHandle handle);
  // A stub with a new handle above every handle in use; null once no
  // handle is left below the highest one, which stays the seed.
  AcDbStub* createNew();
  // Whether so many new objects can still have handles.
  bool hasRoomFor(size_t objects) const;
  // Gives the object to the stub; the object learns its id.
  void attach(AcDbStub* stub, std::unique_ptr<AcDbObject> object);
  AcDbHandle seed() const { return m_seed; }
  bool exhausted() const { return m_seed == 0 || m_seed == kLast; }
  void setSeed(AcDbHandle seed);
  // The seed as it was before some handles were given out (undo): their
  // stubs are given out again.
  void restoreSeed(AcDbHandle seed) { m_seed = seed.value(); }
  // Room for this many objects without rehashing.
  void reserve(size_t objects);
  // While a file is read, new stubs get their handles only at its end,
  // above every handle the file uses: one made for an object the file
  // gives none must not take a handle an object further on has.
  void deferNewHandles() { m_deferring = true; }
  // False when no handle was left for some of them.
  bool assignDeferredHandles();

 private:
  // Open addressing on the handle: a power-of-two table at most three
  // quarters full.  A slot holds the handle's low half beside the stub's
  // place, so probing reads no stub until the halves agree, in eight bytes:
  // a drawing of a million objects keeps its table in 16 MB.  A file under
  // 4 GiB cannot name 2^32 objects.
  struct Slot {
    std::uint32_t low;
    std::uint32_t place;  // in m_stubs, counting from 1; 0 for an empty slot
  };
  static std::uint32_t lowHalf(Adesk::UInt64 handle) { return static_cast<std::uint32_t>(handle); }
  AcDbStub& stubIn(const Slot& slot) const { return m_stubs[slot.place - 1]; }
  AcDbStub* newStub(AcDbHandle handle);
  size_t slotOf(Adesk::UInt64 handle) const;
  void grow(size_t slots);
  void index(std::uint32_t place);

  AcDbDatabase* m_database;
  mutable std::deque<AcDbStub> m_stubs;
  std::vector<Slot> m_slots = std::vector<Slot>(64, Slot{0, 0});
  // The highest handle is never given out: it stays the seed, so the
  // saved $HANDSEED is still above every handle in use.
  static constexpr Adesk::UInt64 kLast = ~Adesk::UInt64{0};
  // 0 once a file uses FFFFFFFFFFFFFFFF itself: no handle is left above it.
  Adesk::UInt64 m_seed = 1;
  bool m_deferring = false;
  std::vector<std::uint32_t> m_deferred;
};
