// A record of a table the platform does not model (VPORT, VIEW, UCS,
// DIMSTYLE): its name is known, everything else is carried as read.
#pragma once

#include "DxfKind.h"
#include "AcDbSymbolTableRecord.h"

class AcDbUnmodelledRecord : public AcDbSymbolTableRecord {
 public:
  static AcRxClass* desc();
  static AcDbUnmodelledRecord* cast(const AcRxObject* object);
  static AcDbUnmodelledRecord* cast(const AcDbObject* object);
  // The class named after the file's type, derived from this one.
  AcRxClass* isA() const override;

 protected:
  AcDbObject* undoCopy() const override;

 public:
  explicit AcDbUnmodelledRecord(const DxfKind* kind);
  const DxfKind* kind() const { return m_kind; }

 protected:
  std::string_view recordMarker() const override;

 private:
  const DxfKind* m_kind;
};
