// What a space stands on, read from the drawing: its outline where its
// reference draws it, the polylines subtracted from it as voids and those
// added to it as further areas, with the gross measurements (outline and
// added areas) in the units of the space's record.
#pragma once

#include <vector>

#include "Acad.h"
#include "AcDbHandle.h"
#include "ifc/IfcOutline.h"

class AcDbDatabase;
class AcDbPolyline;
class AcGeMatrix3d;
class CBlockDWG;

class CIfcFootprint {
 public:
  // Empty when the reference or the polyline of its definition is missing.
  CIfcFootprint(const CBlockDWG& space, AcDbDatabase* database);

  bool empty() const { return m_outlines.empty(); }
  // The space's own outline; only when not empty.
  const CIfcOutline& outline() const { return m_outlines.front(); }
  const std::vector<CIfcOutline>& voids() const { return m_voids; }
  // The outline first, then the added areas.
  const std::vector<CIfcOutline>& outlines() const { return m_outlines; }
  double grossArea() const { return m_grossArea; }
  double grossPerimeter() const { return m_grossPerimeter; }

 private:
  void readOwnOutline(const CBlockDWG& space, Adesk::Int16 lunits);
  void readAddedAreas(const CBlockDWG& space, AcDbDatabase* database);
  void readVoids(const CBlockDWG& space, AcDbDatabase* database);
  // Each listed polyline that can be opened, as it lies in the drawing.
  template <class Take>
  static void forEachListedPolyline(const std::vector<AcDbHandle>& handles, AcDbDatabase* database, Take take);

  std::vector<CIfcOutline> m_outlines;
  std::vector<CIfcOutline> m_voids;
  double m_grossArea = 0.0;
  double m_grossPerimeter = 0.0;
};
