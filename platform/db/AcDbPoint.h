// A point: drawn as a dot, or as the drawing's point style says.
#pragma once

#include "AcDbEntity.h"
#include "AcGePoint3d.h"

class AcDbPoint : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbPoint)

 public:
  AcDbPoint();
  explicit AcDbPoint(const AcGePoint3d& position);

  AcGePoint3d position() const { return m_position; }
  Acad::ErrorStatus setPosition(const AcGePoint3d& position);
  AcGeVector3d normal() const { return m_normal; }

  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  Acad::ErrorStatus transformBy(const AcGeMatrix3d& transform) override;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  AcGePoint3d m_position;  // in world coordinates, as the file gives it
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
};
