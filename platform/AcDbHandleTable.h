// Every object id of a database: stubs by handle in a hash map, and the
// next free handle ($HANDSEED).
#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "AcDbStub.h"

class AcDbHandleTable {
 public:
  explicit AcDbHandleTable(AcDbDatabase* database) : m_database(database) {}

  AcDbStub* find(AcDbHandle handle) const;
  AcDbStub* findOrCreate(AcDbHandle handle);
  // A stub with a new handle above every handle in use; null once the
  // drawing has used the highest handle there is.
  AcDbStub* createNew();
  // Gives the object to the stub; the object learns its id.
  void attach(AcDbStub* stub, std::unique_ptr<AcDbObject> object);
  AcDbHandle seed() const { return m_seed; }
  bool exhausted() const { return m_seed == 0; }
  void setSeed(AcDbHandle seed);
  // Room for this many objects without rehashing.
  void reserve(size_t objects);
  // While a file is read, new stubs get their handles only at its end,
  // above every handle the file uses: one made for an object the file
  // gives none must not take a handle an object further on has.
  void deferNewHandles() { m_deferring = true; }
  // False when no handle was left for some of them.
  bool assignDeferredHandles();

 private:
  AcDbDatabase* m_database;
  std::deque<AcDbStub> m_stubs;
  // Open addressing on the handle: a power-of-two table at most three quarters full.
  size_t slotOf(Adesk::UInt64 handle) const;
  void grow(size_t slots);
  void index(AcDbStub* stub);
  // The handle beside its stub, so probing reads no stub.
  struct Slot {
    Adesk::UInt64 handle;
    AcDbStub* stub;
  };
  std::vector<Slot> m_slots = std::vector<Slot>(64, Slot{0, nullptr});
  // 0 once FFFFFFFFFFFFFFFF is in use: no handle is left above it.
  Adesk::UInt64 m_seed = 1;
  bool m_deferring = false;
  std::vector<AcDbStub*> m_deferred;
};
