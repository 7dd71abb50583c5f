// An entity of a kind the platform does not model (HATCH, MTEXT, SPLINE,
// DIMENSION ...): its common entity properties are read and can be
// changed; everything else is carried as read.  isA() names its class as
// the file does ("AcDbHatch").
#pragma once

#include "AcDbEntity.h"

class AcDbUnmodelledEntity : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbUnmodelledEntity)

 public:
  // Class descriptor and DXF type name, shared by all entities of that type.
  AcDbUnmodelledEntity(const AcRxClass* kind);
  const AcRxClass* kind() const { return m_kind; }

 private:
  const AcRxClass* m_kind;
};
