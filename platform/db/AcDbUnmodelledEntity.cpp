#include "AcDbUnmodelledEntity.h"

AcRxClass* AcDbUnmodelledEntity::desc() {
  static AcRxClass descriptor(L"AcDbUnmodelledEntity", AcDbEntity::desc());
  return &descriptor;
}

AcDbUnmodelledEntity* AcDbUnmodelledEntity::cast(const AcRxObject* object) { return cast(dynamic_cast<const AcDbObject*>(object)); }

AcDbUnmodelledEntity* AcDbUnmodelledEntity::cast(const AcDbObject* dbObject) {
  return dbObject && dbObject->isKindOf(desc()) ? const_cast<AcDbUnmodelledEntity*>(static_cast<const AcDbUnmodelledEntity*>(dbObject))
                                                : nullptr;
}

AcDbUnmodelledEntity::AcDbUnmodelledEntity(const DxfKind* kind) : m_kind(kind) {}

AcRxClass* AcDbUnmodelledEntity::isA() const { return const_cast<AcRxClass*>(&m_kind->rxClass); }

AcDbObject* AcDbUnmodelledEntity::undoCopy() const { return acrxCopyOf(*this); }

void AcDbUnmodelledEntity::adoptFollower(AcDbObjectId follower, bool) { m_followers.push_back(follower); }
