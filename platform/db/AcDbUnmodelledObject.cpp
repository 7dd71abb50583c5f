#include "AcDbUnmodelledObject.h"

AcRxClass* AcDbUnmodelledObject::desc() {
  static AcRxClass descriptor(L"AcDbUnmodelledObject", AcDbObject::desc());
  return &descriptor;
}

AcDbUnmodelledObject* AcDbUnmodelledObject::cast(const AcRxObject* object) { return cast(dynamic_cast<const AcDbObject*>(object)); }

AcDbUnmodelledObject* AcDbUnmodelledObject::cast(const AcDbObject* dbObject) {
  return dbObject && dbObject->isKindOf(desc()) ? const_cast<AcDbUnmodelledObject*>(static_cast<const AcDbUnmodelledObject*>(dbObject))
                                                : nullptr;
}

AcDbUnmodelledObject::AcDbUnmodelledObject(const DxfKind* kind) : m_kind(kind) {}

AcRxClass* AcDbUnmodelledObject::isA() const { return const_cast<AcRxClass*>(&m_kind->rxClass); }

AcDbObject* AcDbUnmodelledObject::undoCopy() const { return acrxCopyOf(*this); }
