#include "AcDbObjectId.h"

#include "AcDbStub.h"

const AcDbObjectId AcDbObjectId::kNull;

bool AcDbObjectId::isValid() const { return m_stub != nullptr && m_stub->object != nullptr; }

bool AcDbObjectId::isErased() const { return isValid() && m_stub->object->isErased(); }

AcDbHandle AcDbObjectId::handle() const { return m_stub ? m_stub->handle : AcDbHandle(); }

AcDbDatabase* AcDbObjectId::database() const { return m_stub ? m_stub->database : nullptr; }

AcRxClass* AcDbObjectId::objectClass() const { return isValid() ? m_stub->object->isA() : nullptr; }

bool AcDbObjectId::operator<(const AcDbObjectId& other) const {
  // By handle, so sorted ids follow the drawing's order of creation.
  return handle() < other.handle() || (handle() == other.handle() && m_stub < other.m_stub);
}
