// An entity of a kind the platform does not model (HATCH, MTEXT, SPLINE,
// DIMENSION ...): its common entity properties are read and can be
// changed; everything else is carried as read.  isA() names its class as
// the file does ("AcDbHatch").
#pragma once

#include "DxfKind.h"
#include "AcDbEntity.h"

class AcDbUnmodelledEntity : public AcDbEntity {
 public:
  static AcRxClass* desc();
  static AcDbUnmodelledEntity* cast(const AcRxObject* object);
  static AcDbUnmodelledEntity* cast(const AcDbObject* object);
  // The class named after the file's type, derived from this one.
  AcRxClass* isA() const override;

 protected:
  AcDbObject* undoCopy() const override;

 public:
  // Class descriptor and DXF type name, shared by all entities of that type.
  explicit AcDbUnmodelledEntity(const DxfKind* kind);
  const DxfKind* kind() const { return m_kind; }
  // The VERTEX entities and the SEQEND that follow a POLYLINE it carries.
  const AcDbObjectIdArray& followers() const { return m_followers; }
  void adoptFollower(AcDbObjectId follower, bool sequenceEnd) override;

 private:
  const DxfKind* m_kind;
  AcDbObjectIdArray m_followers;
};
