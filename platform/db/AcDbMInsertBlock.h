// A block reference placed as a grid (MINSERT): rows by columns of the
// block, the columns spaced along the reference's rotated x axis and the
// rows along its y axis, the spacing not scaled with the block.
#pragma once

#include "AcDbBlockReference.h"

class AcDbMInsertBlock : public AcDbBlockReference {
  ACRX_DECLARE_MEMBERS(AcDbMInsertBlock)

 public:
  AcDbMInsertBlock();

  Adesk::Int16 rows() const { return m_rows; }
  Adesk::Int16 columns() const { return m_columns; }
  double rowSpacing() const { return m_rowSpacing; }
  double columnSpacing() const { return m_columnSpacing; }
  // World offset of the copy in that row and column from the first.
  AcGeVector3d cellOffset(int row, int column) const;

  // Every copy of the grid.
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  Adesk::Int16 m_rows = 1;
  Adesk::Int16 m_columns = 1;
  double m_rowSpacing = 0.0;
  double m_columnSpacing = 0.0;
};
