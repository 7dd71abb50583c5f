#include "ifc/IfcFootprint.h"

#include "dbmain.h"
#include "host/AcadUtilities.h"
#include "spaces/BlockDWG.h"

CIfcFootprint::CIfcFootprint(const CBlockDWG& space, AcDbDatabase* database) {
  readOwnOutline(space, database->lunits());
  if (empty()) return;
  readAddedAreas(space, database);
  readVoids(space, database);
}

void CIfcFootprint::readOwnOutline(const CBlockDWG& space, Adesk::Int16 lunits) {
  AcDbObjectPointer<AcDbBlockReference> reference(space.getObjectId(), AcDb::kForRead);
  if (!reference) return;
  AcDbObjectPointer<AcDbBlockTableRecord> definition(reference->blockTableRecord(), AcDb::kForRead);
  if (!definition) return;
  const AcDbObjectIdArray entities = definition->entityIds();
  definition.close();
  for (const AcDbObjectId& id : entities) {
    AcDbObjectPointer<AcDbPolyline> polyline(id, AcDb::kForRead);
    if (!polyline) continue;
    CIfcOutline outline(*polyline.object(), reference->blockTransform());
    if (outline.empty()) return;
    m_outlines.push_back(std::move(outline));
    m_grossArea = CAcadUtilities::recalculateBlockArea(reference.object(), polyline.object(), lunits, space.getUnits());
    m_grossPerimeter =
        CAcadUtilities::recalculateBlockPerimeter(reference.object(), polyline.object(), lunits, space.getUnits());
    return;
  }
}

template <class Take>
void CIfcFootprint::forEachListedPolyline(const std::vector<AcDbHandle>& handles, AcDbDatabase* database, Take take) {
  for (const AcDbHandle& handle : handles) {
    AcDbObjectId id;
    if (database->getAcDbObjectId(id, false, handle) != Acad::eOk) continue;
    AcDbObjectPointer<AcDbPolyline> polyline(id, AcDb::kForRead);
    if (polyline) take(*polyline.object());
  }
}

void CIfcFootprint::readAddedAreas(const CBlockDWG& space, AcDbDatabase* database) {
  const Adesk::Int16 lunits = database->lunits();
  forEachListedPolyline(space.getHandlesToAdd(), database, [&](const AcDbPolyline& polyline) {
    m_grossArea += CAcadUtilities::calculatePolylineArea(&polyline, lunits, space.getUnits());
    m_grossPerimeter += CAcadUtilities::calculatePolylinePerimeter(&polyline, lunits, space.getUnits());
    CIfcOutline outline(polyline, AcGeMatrix3d::kIdentity);
    if (!outline.empty()) m_outlines.push_back(std::move(outline));
  });
}

void CIfcFootprint::readVoids(const CBlockDWG& space, AcDbDatabase* database) {
  forEachListedPolyline(space.getHandlesToMinus(), database, [&](const AcDbPolyline& polyline) {
    // Only a hole in the outline can be a void of its profile.
    CIfcOutline outline(polyline, AcGeMatrix3d::kIdentity);
    if (!outline.empty() && this->outline().contains(outline.interiorPoint())) m_voids.push_back(std::move(outline));
  });
}
