#include "ConvertPolyCommand.h"

#include <memory>
#include <vector>

#include "AcDb2dPolyline.h"
#include "AcDb2dVertex.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "SelectionSets.h"
#include "aced.h"
#include "acutads.h"

namespace {

// The selection's ids, in the order picked.
std::vector<AcDbObjectId> selected() {
  ads_name selection;
  if (acedSSGet(nullptr, nullptr, nullptr, nullptr, selection) != RTNORM) return {};
  const std::vector<AcDbObjectId>* members = SelectionSets::instance().find(selection);
  std::vector<AcDbObjectId> ids = members != nullptr ? *members : std::vector<AcDbObjectId>();
  acedSSFree(selection);
  return ids;
}

std::unique_ptr<AcDbPolyline> lightCopy(const AcDb2dPolyline& heavy) {
  auto light = std::make_unique<AcDbPolyline>();
  light->setPropertiesFrom(&heavy);
  light->setNormal(heavy.normal());
  light->setElevation(heavy.elevation());
  light->setThickness(heavy.thickness());
  light->setClosed(heavy.isClosed());
  for (auto vertices = heavy.vertexIterator(); !vertices->done(); vertices->step()) {
    AcDbObjectPointer<AcDb2dVertex> vertex(vertices->objectId(), AcDb::kForRead);
    if (!vertex) continue;
    // A vertex without widths of its own takes the polyline's.
    const bool ownWidths = vertex->startWidth() != 0.0 || vertex->endWidth() != 0.0;
    light->addVertexAt(light->numVerts(), AcGePoint2d(vertex->position().x, vertex->position().y), vertex->bulge(),
                       ownWidths ? vertex->startWidth() : heavy.defaultStartWidth(),
                       ownWidths ? vertex->endWidth() : heavy.defaultEndWidth());
  }
  return light;
}

// The heavy polyline is in a database already: its vertices are entities.
Acad::ErrorStatus appendVertices(const AcDbPolyline& light, AcDb2dPolyline& heavy) {
  for (unsigned int index = 0; index < light.numVerts(); ++index) {
    AcGePoint2d point;
    double bulge = 0.0, startWidth = 0.0, endWidth = 0.0;
    light.getPointAt(index, point);
    light.getBulgeAt(index, bulge);
    light.getWidthsAt(index, startWidth, endWidth);
    auto vertex = std::make_unique<AcDb2dVertex>(AcGePoint3d(point.x, point.y, 0.0), bulge, startWidth, endWidth);
    const Acad::ErrorStatus status = heavy.appendVertex(vertex.get());
    if (status != Acad::eOk) return status;
    vertex.release()->close();
  }
  return Acad::eOk;
}

std::unique_ptr<AcDb2dPolyline> heavyCopy(const AcDbPolyline& light) {
  auto heavy = std::make_unique<AcDb2dPolyline>();
  heavy->setPropertiesFrom(&light);
  heavy->setNormal(light.normal());
  heavy->setElevation(light.elevation());
  heavy->setThickness(light.thickness());
  if (light.isClosed()) heavy->makeClosed();
  return heavy;
}

// The copy takes the original's place in its block; the original is erased.
bool replace(AcDbEntity& original, std::unique_ptr<AcDbEntity> copy, const AcDbPolyline* verticesOf) {
  AcDbObjectPointer<AcDbBlockTableRecord> owner(original.ownerId(), AcDb::kForWrite);
  AcDbObjectId id;
  if (!owner || owner->appendAcDbEntity(id, copy.get()) != Acad::eOk) return false;
  AcDbEntity* placed = copy.release();
  const bool whole = verticesOf == nullptr || appendVertices(*verticesOf, *AcDb2dPolyline::cast(placed)) == Acad::eOk;
  placed->close();
  if (!whole) {
    AcDbObjectPointer<AcDbEntity> made(id, AcDb::kForWrite);
    if (made) made->erase();
    return false;
  }
  original.erase();
  return true;
}

// True when the entity was converted; one of neither kind is not opened for write.
bool convert(AcDbObjectId id, bool toHeavy) {
  AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
  if (!entity) return false;
  const auto* light = AcDbPolyline::cast(entity.object());
  const auto* heavy = AcDb2dPolyline::cast(entity.object());
  if (toHeavy ? light == nullptr : heavy == nullptr) return false;
  if (!toHeavy && heavy->polyType() != AcDb::k2dSimplePoly) {
    acutPrintf(L"A curve- or spline-fit polyline stays as it is.\n");
    return false;
  }
  if (entity->upgradeOpen() != Acad::eOk) return false;
  if (toHeavy) return replace(*entity.object(), heavyCopy(*light), light);
  return replace(*entity.object(), lightCopy(*heavy), nullptr);
}

}  // namespace

void ConvertPolyCommand::run() {
  acedInitGet(0, L"Heavy Light");
  ACHAR reply[16] = {};
  const int asked = acedGetKword(L"\nEnter polyline conversion type [Heavy/Light] <Light>: ", reply, 16);
  if (asked != RTNORM && asked != RTNONE) return;
  const bool toHeavy = asked == RTNORM && std::wstring(reply) == L"Heavy";
  int converted = 0;
  for (const AcDbObjectId& id : selected()) converted += convert(id, toHeavy) ? 1 : 0;
  acutPrintf(L"%i polyline(s) converted.\n", converted);
}
