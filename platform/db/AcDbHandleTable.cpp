#include "AcDbHandleTable.h"

#include <utility>

size_t AcDbHandleTable::slotOf(Adesk::UInt64 handle) const {
  const size_t mask = m_slots.size() - 1;
  // Handles are mostly consecutive: keeping their low bits puts neighbours
  // side by side in memory; the high bits are folded in against strides.
  size_t slot = static_cast<size_t>(handle ^ (handle >> 17) ^ (handle >> 31)) & mask;
  const std::uint32_t low = lowHalf(handle);
  while (m_slots[slot].place != 0 && (m_slots[slot].low != low || stubIn(m_slots[slot]).handle.value() != handle))
    slot = (slot + 1) & mask;
  return slot;
}

void AcDbHandleTable::grow(size_t slots) {
  size_t size = m_slots.size();
  while (size < slots) size *= 2;
  if (size == m_slots.size()) return;
  std::vector<Slot> old(size, Slot{0, 0});
  old.swap(m_slots);
  for (const Slot& entry : old)
    if (entry.place != 0) m_slots[slotOf(stubIn(entry).handle.value())] = entry;
}

void AcDbHandleTable::reserve(size_t objects) { grow(objects * 4 / 3 + 1); }

AcDbStub* AcDbHandleTable::find(AcDbHandle handle) const {
  const Slot& slot = m_slots[slotOf(handle.value())];
  return slot.place != 0 ? &stubIn(slot) : nullptr;
}

AcDbStub* AcDbHandleTable::newStub(AcDbHandle handle) {
  m_stubs.push_back(AcDbStub{handle, m_database, nullptr});
  return &m_stubs.back();
}

AcDbStub* AcDbHandleTable::findOrCreate(AcDbHandle handle) {
  if (AcDbStub* known = find(handle)) return known;
  AcDbStub* stub = newStub(handle);
  index(static_cast<std::uint32_t>(m_stubs.size()));
  return stub;
}

void AcDbHandleTable::index(std::uint32_t place) {
  if (m_stubs.size() * 4 > m_slots.size() * 3) grow(m_slots.size() * 2);
  const Adesk::UInt64 value = m_stubs[place - 1].handle.value();
  m_slots[slotOf(value)] = Slot{lowHalf(value), place};
  if (m_seed != 0 && value >= m_seed) m_seed = value + 1;
}

AcDbStub* AcDbHandleTable::createNew() {
  if (m_deferring) {
    AcDbStub* stub = newStub(AcDbHandle());
    m_deferred.push_back(static_cast<std::uint32_t>(m_stubs.size()));
    return stub;
  }
  if (exhausted()) return nullptr;
  const Adesk::UInt64 handle = m_seed;
  AcDbStub* stub = findOrCreate(AcDbHandle(handle));
  // A stub left without its object by an undo is taken again; indexing
  // did not move the seed past it.
  if (m_seed == handle) m_seed = handle + 1;
  return stub;
}

bool AcDbHandleTable::hasRoomFor(size_t objects) const {
  return m_seed != 0 && kLast - m_seed >= objects;
}

bool AcDbHandleTable::assignDeferredHandles() {
  m_deferring = false;
  for (const std::uint32_t place : m_deferred) {
    if (exhausted()) return false;
    m_stubs[place - 1].handle = AcDbHandle(m_seed);
    index(place);
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
  if (m_seed != 0 && seed.value() > m_seed) m_seed = seed.value();
}
