// A non-graphical object of a kind the platform does not model (XRECORD,
// LAYOUT, SORTENTSTABLE ...) or a record of a table it does not model
// (VPORT, DIMSTYLE ...): carried as read; isA() names its class as the
// file does ("AcDbXrecord").
#pragma once

#include "AcDbObject.h"

class AcDbUnmodelledObject : public AcDbObject {
  ACRX_DECLARE_MEMBERS(AcDbUnmodelledObject)

 public:
  AcDbUnmodelledObject(const AcRxClass* kind);
  const AcRxClass* kind() const { return m_kind; }

 private:
  const AcRxClass* m_kind;
};
