// CAcadUtilities: coordinates, extents, handles, draw order and plot settings.
// Every method of CAcadUtilities reports the one source unit "AcadUtilities".
#define ZELPH_SOURCE L"AcadUtilities"

#include "host/AcadUtilities.h"

#include <algorithm>
#include <limits>
#include <memory>

#include "AcDbBlockReference.h"
#include "AcDbEntity.h"
#include "aced.h"
#include "acutads.h"
#include "dbmain.h"
#include "support/ZelphExceptions.h"

namespace {

AcGePoint3d translate(const AcGePoint3d& point, short from, short to, const std::wstring& function,
                      int displacement = 0) {
  resbuf fromSystem{}, toSystem{};
  fromSystem.restype = RTSHORT;
  fromSystem.resval.rint = from;
  toSystem.restype = RTSHORT;
  toSystem.resval.rint = to;
  const ads_point in = {point.x, point.y, point.z};
  ads_point out = {0.0, 0.0, 0.0};
  if (acedTrans(in, &fromSystem, &toSystem, displacement, out) != RTNORM)
    throw new CEXUnhandled(ZELPH_BANNER, ZELPH_SOURCE, function, L"The host cannot translate the point.", RTERROR);
  return AcGePoint3d(out[X], out[Y], out[Z]);
}

// Sorting on for every method, regeneration and plotting among them, so
// the draw order is honoured.
constexpr short kAllSortMethods = 127;

void sortForDrawOrder() {
  resbuf value{};
  if (acedGetVar(L"SORTENTS", &value) != RTNORM || value.restype != RTSHORT) return;
  if ((value.resval.rint & kAllSortMethods) == kAllSortMethods) return;
  value.resval.rint = static_cast<short>(value.resval.rint | kAllSortMethods);
  acedSetVar(L"SORTENTS", &value);
}

// The id of the block's sort table, made when missing; null when it cannot be had.
AcDbObjectId sortTableOf(AcDbObjectId blockId) {
  AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
  if (!block) return AcDbObjectId();
  if (block->extensionDictionary().isNull() &&
      (block->upgradeOpen() != Acad::eOk || block->createExtensionDictionary() != Acad::eOk))
    return AcDbObjectId();
  AcDbObjectPointer<AcDbDictionary> dictionary(block->extensionDictionary(), AcDb::kForRead);
  if (!dictionary) return AcDbObjectId();
  AcDbObjectId tableId;
  if (dictionary->getAt(L"ACAD_SORTENTS", tableId) == Acad::eOk) return tableId;
  if (dictionary->upgradeOpen() != Acad::eOk) return AcDbObjectId();
  AcDbObjectPointer<AcDbSortentsTable> table;
  table.create();
  table->setBlockId(blockId);
  if (dictionary->setAt(L"ACAD_SORTENTS", table.object(), tableId) != Acad::eOk) return AcDbObjectId();
  return tableId;
}

int keptInRange(int value, int highest) { return value >= 0 && value <= highest ? value : 0; }

}  // namespace

AcGePoint3d CAcadUtilities::convertUCSToWCS(const AcGePoint3d& point) {
  ZELPH_TRY
    return translate(point, 1, 0, L"CAcadUtilities::convertUCSToWCS");
  ZELPH_CATCH(L"CAcadUtilities::convertUCSToWCS")
}

AcGePoint3d CAcadUtilities::convertWCSToUCS(const AcGePoint3d& point) {
  ZELPH_TRY
    return translate(point, 0, 1, L"CAcadUtilities::convertWCSToUCS");
  ZELPH_CATCH(L"CAcadUtilities::convertWCSToUCS")
}

std::unique_ptr<AcDbBlockReference> CAcadUtilities::placeReference(AcDbObjectId definition,
                                                                   const AcGePoint3d& position, double rotation,
                                                                   const AcGeVector3d& normal,
                                                                   AcDbDatabase* database) {
  auto reference = std::make_unique<AcDbBlockReference>(position, definition);
  reference->setRotation(rotation);
  reference->setScaleFactors(AcGeScale3d(1.0, 1.0, 1.0));
  AcGeMatrix3d ucs;
  acdbUcsMatrix(ucs, database);
  reference->transformBy(ucs);
  reference->setNormal(normal);
  return reference;
}

AcGeVector3d CAcadUtilities::getUcsNormal() {
  ZELPH_TRY
    return translate(AcGePoint3d(0.0, 0.0, 1.0), 1, 0, L"CAcadUtilities::getUcsNormal", 1).asVector();
  ZELPH_CATCH(L"CAcadUtilities::getUcsNormal")
}

void CAcadUtilities::getBlockExtents(const AcDbEntity* entity, AcGePoint3d& minimum, AcGePoint3d& maximum,
                                     double border) {
  ZELPH_TRY
    const AcDbBlockReference* reference = AcDbBlockReference::cast(entity);
    if (reference == nullptr) return;
    AcDbObjectPointer<AcDbBlockTableRecord> definition(reference->blockTableRecord(), AcDb::kForRead);
    if (!definition) return;
    AcDbExtents extents;
    bool found = false;
    for (const AcDbObjectId& id : definition->entityIds()) {
      AcDbEntityPointer member(id, AcDb::kForRead);
      if (!member || member->isA()->name() != std::wstring(L"AcDbPolyline")) continue;
      found = member->getGeomExtents(extents) == Acad::eOk;
      break;
    }
    if (!found) return;
    AcGePoint3d low = extents.minPoint(), high = extents.maxPoint();
    if (border > 0.0) {
      low.x -= border;
      low.y -= border;
      high.x += border;
      high.y += border;
    }
    const AcGeMatrix3d transform = reference->blockTransform();
    minimum = low.transformBy(transform);
    maximum = high.transformBy(transform);
  ZELPH_CATCH(L"CAcadUtilities::getBlockExtents")
}

AcGePoint3d CAcadUtilities::getPolylineTopLeft(const AcDbPolyline* polyline, const AcGeMatrix3d* transform) {
  ZELPH_TRY
    AcGePoint3d corner(std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(), 0.0);
    if (polyline == nullptr) return corner;
    for (unsigned int i = 0; i < polyline->numVerts(); ++i) {
      AcGePoint3d vertex;
      if (polyline->getPointAt(i, vertex) != Acad::eOk) continue;
      if (transform != nullptr) vertex.transformBy(*transform);
      corner.x = std::min(corner.x, vertex.x);
      corner.y = std::max(corner.y, vertex.y);
    }
    return corner;
  ZELPH_CATCH(L"CAcadUtilities::getPolylineTopLeft")
}

AcDbObjectId CAcadUtilities::convertHandleToObjectId(const AcDbHandle& handle) {
  ZELPH_TRY
    ACHAR text[17] = {};
    handle.getIntoAsciiBuffer(text, sizeof text / sizeof text[0]);
    ads_name name = {0, 0};
    AcDbObjectId id;
    if (acdbHandEnt(text, name) == RTNORM) acdbGetObjectId(id, name);
    return id;
  ZELPH_CATCH(L"CAcadUtilities::convertHandleToObjectId")
}

void CAcadUtilities::moveEntityToBottom(AcDbEntity* entity) {
  ZELPH_TRY
    if (entity == nullptr || entity->objectId().isNull()) return;
    sortForDrawOrder();
    AcDbObjectPointer<AcDbSortentsTable> table(sortTableOf(entity->blockId()), AcDb::kForWrite);
    if (!table) return;
    table->moveToBottom(AcDbObjectIdArray{entity->objectId()});
  ZELPH_CATCH(L"CAcadUtilities::moveEntityToBottom")
}

int CAcadUtilities::convertMediaSize(int value) {
  ZELPH_TRY
    return keptInRange(value, 88);
  ZELPH_CATCH(L"CAcadUtilities::convertMediaSize")
}

int CAcadUtilities::convertPlotArea(int value) {
  ZELPH_TRY
    return keptInRange(value, 5);
  ZELPH_CATCH(L"CAcadUtilities::convertPlotArea")
}

int CAcadUtilities::convertPlotDevice(int value) {
  ZELPH_TRY
    return keptInRange(value, 3);
  ZELPH_CATCH(L"CAcadUtilities::convertPlotDevice")
}

int CAcadUtilities::convertScale(int value) {
  ZELPH_TRY
    return keptInRange(value, 33);
  ZELPH_CATCH(L"CAcadUtilities::convertScale")
}
