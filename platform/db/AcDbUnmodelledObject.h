// A non-graphical object of a kind the platform does not model (XRECORD,
// LAYOUT, SORTENTSTABLE ...) or a record of a table it does not model
// (VPORT, DIMSTYLE ...): carried as read; isA() names its class as the
// file does ("AcDbXrecord").
#pragma once

#include "DxfKind.h"
#include "AcDbObject.h"

class AcDbUnmodelledObject : public AcDbObject {
 public:
  static AcRxClass* desc();
  static AcDbUnmodelledObject* cast(const AcRxObject* object);
  static AcDbUnmodelledObject* cast(const AcDbObject* object);
  // The class named after the file's type, derived from this one.
  AcRxClass* isA() const override;

 protected:
  AcDbObject* undoCopy() const override;

 public:
  explicit AcDbUnmodelledObject(const DxfKind* kind);
  const DxfKind* kind() const { return m_kind; }

 private:
  const DxfKind* m_kind;
};
