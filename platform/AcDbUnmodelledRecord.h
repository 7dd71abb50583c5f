// A record of a table the platform does not model (VPORT, VIEW, UCS,
// DIMSTYLE): its name is known, everything else is carried as read.
#pragma once

#include "AcDbSymbolTableRecord.h"

class AcDbUnmodelledRecord : public AcDbSymbolTableRecord {
  ACRX_DECLARE_MEMBERS(AcDbUnmodelledRecord)

 public:
  AcDbUnmodelledRecord(const AcRxClass* kind);
  const AcRxClass* kind() const { return m_kind; }

 private:
  const AcRxClass* m_kind;
};
