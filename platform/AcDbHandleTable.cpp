#include "AcDbHandleTable.h"

#include <utility>

AcDbStub* AcDbHandleTable::find(AcDbHandle handle) const {
  const auto found = m_index.find(handle.value());
  return found == m_index.end() ? nullptr : found->second;
}

AcDbStub* AcDbHandleTable::findOrCreate(AcDbHandle handle) {
  auto& slot = m_index[handle.value()];
  if (slot == nullptr) {
    m_stubs.push_back(AcDbStub{handle, m_database, nullptr});
    slot = &m_stubs.back();
    if (handle.value() >= m_seed) m_seed = handle.value() + 1;
  }
  return slot;
}

AcDbStub* AcDbHandleTable::createNew() { return findOrCreate(AcDbHandle(m_seed)); }

void AcDbHandleTable::attach(AcDbStub* stub, std::unique_ptr<AcDbObject> object) {
  object->m_stub = stub;
  stub->object = std::move(object);
}

void AcDbHandleTable::setSeed(AcDbHandle seed) {
  if (seed.value() > m_seed) m_seed = seed.value();
}
