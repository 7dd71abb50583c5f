#include "AcDbUnmodelledEntity.h"

AcRxClass* AcDbUnmodelledEntity::desc() {
  static AcRxClass descriptor(L"AcDbUnmodelledEntity", AcDbEntity::desc());
  return &descriptor;
}

AcDbUnmodelledEntity* AcDbUnmodelledEntity::cast(const AcRxObject* object) {
  auto* dbObject = dynamic_cast<const AcDbObject*>(object);
  return dbObject && dbObject->isKindOf(desc()) ? const_cast<AcDbUnmodelledEntity*>(static_cast<const AcDbUnmodelledEntity*>(dbObject))
                                                : nullptr;
}

AcDbUnmodelledEntity::AcDbUnmodelledEntity(const DxfKind* kind) : m_kind(kind) {}

AcRxClass* AcDbUnmodelledEntity::isA() const { return const_cast<AcRxClass*>(&m_kind->rxClass); }
