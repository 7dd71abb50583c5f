#include "AcRxClass.h"

#include <utility>

AcRxClass::AcRxClass(std::wstring name, const AcRxClass* parent, std::wstring dxfName)
    : m_name(std::move(name)), m_dxfName(std::move(dxfName)), m_parent(parent) {}

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
  for (const AcRxClass* c = this; c != nullptr; c = c->m_parent)
    if (c == other) return true;
  return false;
}
