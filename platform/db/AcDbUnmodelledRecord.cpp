#include "AcDbUnmodelledRecord.h"

AcRxClass* AcDbUnmodelledRecord::desc() {
  static AcRxClass descriptor(L"AcDbUnmodelledRecord", AcDbSymbolTableRecord::desc());
  return &descriptor;
}

AcDbUnmodelledRecord* AcDbUnmodelledRecord::cast(const AcRxObject* object) { return cast(dynamic_cast<const AcDbObject*>(object)); }

AcDbUnmodelledRecord* AcDbUnmodelledRecord::cast(const AcDbObject* dbObject) {
  return dbObject && dbObject->isKindOf(desc()) ? const_cast<AcDbUnmodelledRecord*>(static_cast<const AcDbUnmodelledRecord*>(dbObject))
                                                : nullptr;
}

AcDbUnmodelledRecord::AcDbUnmodelledRecord(const DxfKind* kind) : m_kind(kind) {}

AcRxClass* AcDbUnmodelledRecord::isA() const { return const_cast<AcRxClass*>(&m_kind->rxClass); }

AcDbObject* AcDbUnmodelledRecord::undoCopy() const { return acrxCopyOf(*this); }

std::string_view AcDbUnmodelledRecord::recordMarker() const { return m_kind->marker; }
