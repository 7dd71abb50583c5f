#include "AcDbHandleTable.h"

#include <utility>

size_t AcDbHandleTable::slotOf(Adesk::UInt64 handle) const {
  const size_t mask = m_slots.size() - 1;
  // Handles are mostly consecutive: keeping their low bits puts neighbours
  // side by side in memory; the high bits are folded in against strides.
  size_t slot = static_cast<size_t>(handle ^ (handle >> 17) ^ (handle >> 31)) & mask;
  while (m_slots[slot].stub != nullptr && m_slots[slot].handle != handle) slot = (slot + 1) & mask;
  return slot;
}

void AcDbHandleTable::grow(size_t slots) {
  size_t size = m_slots.size();
  while (size < slots) size *= 2;
  if (size == m_slots.size()) return;
  std::vector<Slot> old(size, Slot{0, nullptr});
  old.swap(m_slots);
  for (const Slot& entry : old)
    if (entry.stub != nullptr) m_slots[slotOf(entry.handle)] = entry;
}

void AcDbHandleTable::reserve(size_t objects) { grow(objects * 4 / 3 + 1); }

AcDbStub* AcDbHandleTable::find(AcDbHandle handle) const { return m_slots[slotOf(handle.value())].stub; }

AcDbStub* AcDbHandleTable::findOrCreate(AcDbHandle handle) {
  const size_t slot = slotOf(handle.value());
  if (m_slots[slot].stub != nullptr) return m_slots[slot].stub;
  m_stubs.push_back(AcDbStub{handle, m_database, nullptr});
  index(&m_stubs.back());
  return &m_stubs.back();
}

void AcDbHandleTable::index(AcDbStub* stub) {
  if (m_stubs.size() * 4 > m_slots.size() * 3) grow(m_slots.size() * 2);
  const Adesk::UInt64 value = stub->handle.value();
  m_slots[slotOf(value)] = Slot{value, stub};
  if (!exhausted() && value >= m_seed) m_seed = value + 1;
}

AcDbStub* AcDbHandleTable::createNew() {
  if (m_deferring) {
    m_stubs.push_back(AcDbStub{AcDbHandle(), m_database, nullptr});
    m_deferred.push_back(&m_stubs.back());
    return &m_stubs.back();
  }
  return exhausted() ? nullptr : findOrCreate(AcDbHandle(m_seed));
}

bool AcDbHandleTable::assignDeferredHandles() {
  m_deferring = false;
  for (AcDbStub* stub : m_deferred) {
    if (exhausted()) return false;
    stub->handle = AcDbHandle(m_seed);
    index(stub);
  }
  m_deferred.clear();
  m_deferred.shrink_to_fit();
  return true;
}

void AcDbHandleTable::attach(AcDbStub* stub, std::unique_ptr<AcDbObject> object) {
  object->m_stub = stub;
  stub->object = std::move(object);
}

void AcDbHandleTable::setSeed(AcDbHandle seed) {
  if (!exhausted() && seed.value() > m_seed) m_seed = seed.value();
}
