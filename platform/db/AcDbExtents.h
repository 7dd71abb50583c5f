// An axis-aligned box in world coordinates.  A new box is empty (invalid)
// until a point is added.
#pragma once

#include "Acad.h"
#include "AcGeMatrix3d.h"
#include "AcGePoint3d.h"

class AcDbExtents {
 public:
  AcDbExtents();
  AcDbExtents(const AcGePoint3d& minimum, const AcGePoint3d& maximum);

  const AcGePoint3d& minPoint() const { return m_min; }
  const AcGePoint3d& maxPoint() const { return m_max; }
  bool isValid() const;
  Acad::ErrorStatus set(const AcGePoint3d& minimum, const AcGePoint3d& maximum);
  void addPoint(const AcGePoint3d& point);
  void addExt(const AcDbExtents& other);
  void expandBy(const AcGeVector3d& vector);
  // The box around the eight transformed corners.
  void transformBy(const AcGeMatrix3d& matrix);

 private:
  AcGePoint3d m_min;
  AcGePoint3d m_max;
};
