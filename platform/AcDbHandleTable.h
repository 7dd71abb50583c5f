// Every object id of a database: stubs by handle in a hash map, and the
// next free handle ($HANDSEED).
#pragma once

#include <deque>
#include <memory>
#include <unordered_map>

#include "AcDbStub.h"

class AcDbHandleTable {
 public:
  explicit AcDbHandleTable(AcDbDatabase* database) : m_database(database) {}

  AcDbStub* find(AcDbHandle handle) const;
  AcDbStub* findOrCreate(AcDbHandle handle);
  // A stub with a new handle above every handle in use.
  AcDbStub* createNew();
  // Gives the object to the stub; the object learns its id.
  void attach(AcDbStub* stub, std::unique_ptr<AcDbObject> object);
  AcDbHandle seed() const { return m_seed; }
  void setSeed(AcDbHandle seed);

 private:
  AcDbDatabase* m_database;
  std::deque<AcDbStub> m_stubs;
  std::unordered_map<Adesk::UInt64, AcDbStub*> m_index;
  Adesk::UInt64 m_seed = 1;
};
