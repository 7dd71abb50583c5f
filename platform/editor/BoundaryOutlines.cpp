#include "BoundaryOutlines.h"

#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbPolyline.h"
#include "BoundaryLinework.h"
#include "acutads.h"

BoundaryOutlines::BoundaryOutlines(AcDbDatabase& database, const BoundaryOptions& options)
    : m_database(database),
      m_options(options),
      m_finder(BoundaryLinework(options.layers, options.ignored).collect(database), options.gapTolerance) {}

AcDbObjectId BoundaryOutlines::make(const BoundaryLoop& loop) {
  auto polyline = std::make_unique<AcDbPolyline>(static_cast<unsigned int>(loop.points.size()));
  polyline->setDatabaseDefaults(&m_database);
  for (size_t i = 0; i < loop.points.size(); ++i)
    polyline->addVertexAt(static_cast<unsigned int>(i), loop.points[i], loop.bulges[i]);
  polyline->setClosed(true);
  AcDbBlockTableRecord* space = nullptr;
  if (acdbOpenObject(space, m_database.modelSpaceId(), AcDb::kForWrite) != Acad::eOk) return AcDbObjectId::kNull;
  AcDbObjectId id;
  const bool added = space->appendAcDbEntity(id, polyline.get()) == Acad::eOk;
  space->close();
  if (!added) return AcDbObjectId::kNull;
  polyline.release()->close();
  return id;
}

AcDbObjectId BoundaryOutlines::makeRegion(const BoundaryRegion& region) {
  const AcDbObjectId outline = make(region.outline);
  if (outline.isNull()) return outline;
  acutPrintf(L"Boundary #%s, area %.2f.\n", outline.handle().ascii().c_str(), region.outline.area());
  if (region.islands.empty()) return outline;
  if (!m_options.islands) {
    acutPrintf(L"%i island(s) inside it (columns, shafts) not made; the Islands option makes them.\n",
               static_cast<int>(region.islands.size()));
    return outline;
  }
  for (const BoundaryLoop& island : region.islands) {
    const AcDbObjectId id = make(island);
    if (!id.isNull())
      acutPrintf(L"Island #%s, area %.2f.\n", id.handle().ascii().c_str(), island.area());
  }
  return outline;
}

AcDbObjectId BoundaryOutlines::around(const AcGePoint2d& point) {
  const auto region = m_finder.around(point);
  return region ? makeRegion(*region) : AcDbObjectId::kNull;
}

size_t BoundaryOutlines::within(const AcGePoint2d& corner, const AcGePoint2d& other) {
  size_t made = 0;
  for (const BoundaryRegion& region : m_finder.within(corner, other))
    if (!makeRegion(region).isNull()) ++made;
  return made;
}
