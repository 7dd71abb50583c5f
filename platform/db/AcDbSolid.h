// A filled triangle or quadrilateral in its own plane.  Its corners run
// first, second, fourth, third round the outline, as CAD programs store them.
#pragma once

#include "AcDbEntity.h"
#include "AcGePoint3d.h"

class AcDbSolid : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbSolid)

 public:
  AcDbSolid();
  AcDbSolid(const AcGePoint3d& first, const AcGePoint3d& second, const AcGePoint3d& third,
            const AcGePoint3d& fourth);

  // Corners 0 to 3 in the solid's own plane.
  Acad::ErrorStatus getPointAt(int index, AcGePoint3d& point) const;
  Acad::ErrorStatus setPointAt(int index, const AcGePoint3d& point);
  AcGeVector3d normal() const { return m_normal; }

  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  AcGePoint3d m_corners[4];
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
  double m_thickness = 0.0;
};
