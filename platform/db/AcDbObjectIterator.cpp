#include "AcDbObjectIterator.h"

#include <utility>

AcDbObjectIterator::AcDbObjectIterator(AcDbObjectIdArray ids) : m_ids(std::move(ids)) { start(); }

void AcDbObjectIterator::start(bool atEnd) {
  m_index = atEnd ? static_cast<long>(m_ids.size()) - 1 : 0;
  skipErasedFrom(atEnd);
}

bool AcDbObjectIterator::done() const { return m_index < 0 || m_index >= static_cast<long>(m_ids.size()); }

void AcDbObjectIterator::step(bool backwards, bool skipErased) {
  m_index += backwards ? -1 : 1;
  if (skipErased) skipErasedFrom(backwards);
}

AcDbObjectId AcDbObjectIterator::objectId() const { return done() ? AcDbObjectId() : m_ids[m_index]; }

void AcDbObjectIterator::skipErasedFrom(bool backwards) {
  while (!done() && m_ids[m_index].isErased()) m_index += backwards ? -1 : 1;
}
