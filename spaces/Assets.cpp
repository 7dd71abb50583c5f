#include "spaces/Assets.h"

#include "AcDbBlockReference.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDynBlockReference.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "aced.h"
#include "host/AcadUtilities.h"
#include "host/SelectionSet.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

namespace {

std::wstring blockNameOf(AcDbObjectId block) {
  std::wstring name;
  const AcDbObjectPointer<AcDbBlockTableRecord> record(block, AcDb::kForRead);
  if (record) record->getName(name);
  return name;
}

// A changed dynamic block is drawn through an anonymous block; the asset is
// named after the dynamic block.
std::wstring assetBlockName(const AcDbBlockReference& reference) {
  const std::wstring name = blockNameOf(reference.blockTableRecord());
  if (name.compare(0, 2, L"*U") != 0) return name;
  const AcDbDynBlockReference dynamic(reference.objectId());
  return dynamic.isDynamicBlock() ? blockNameOf(dynamic.dynamicBlockTableRecord()) : name;
}

// The corners of the crossing polygon: the vertices shifted by the base
// point, a vertex equal to the one before it taken once.
resbuf* polygonOf(const AcGePoint3d& basePoint, const AcDbPolyline& polyline) {
  resbuf* head = nullptr;
  resbuf** tail = &head;
  AcGePoint3d previous;
  for (unsigned int index = 0; index < polyline.numVerts(); ++index) {
    AcGePoint3d point;
    if (polyline.getPointAt(index, point) != Acad::eOk || (index > 0 && point == previous)) continue;
    previous = point;
    *tail = acutNewRb(RT3DPOINT);
    (*tail)->resval.rpoint[X] = point.x + basePoint.x;
    (*tail)->resval.rpoint[Y] = point.y + basePoint.y;
    (*tail)->resval.rpoint[Z] = point.z + basePoint.z;
    tail = &(*tail)->rbnext;
  }
  return head;
}

}  // namespace

CAssets::~CAssets() = default;

void CAssets::add(std::unique_ptr<CAsset> asset) {
  ZELPH_TRY
    if (asset) m_items.push_back(std::move(asset));
  ZELPH_CATCH(L"CAssets::add")
}

CAsset* CAssets::getAt(int index) const {
  if (index < 0 || index >= getCount()) return nullptr;
  return m_items[static_cast<std::size_t>(index)].get();
}

void CAssets::applyToDWG(CAcadDrawing& drawing, CZelphExceptions& errors) {
  ZELPH_TRY
    for (const auto& asset : m_items) asset->applyToDWG(drawing, errors);
  ZELPH_CATCH(L"CAssets::applyToDWG")
}

void CAssets::copyTo(CAssets& target) const {
  ZELPH_TRY
    for (const auto& asset : m_items) {
      auto copy = std::make_unique<CAsset>();
      asset->copyTo(*copy);
      target.add(std::move(copy));
    }
  ZELPH_CATCH(L"CAssets::copyTo")
}

void CAssets::deleteObjects() {
  ZELPH_TRY
    m_items.clear();
  ZELPH_CATCH(L"CAssets::deleteObjects")
}

void CAssets::getPolylineAssets(const AcGePoint3d& basePoint, const AcDbPolyline* polyline) {
  ZELPH_TRY
    if (polyline == nullptr) return;
    const AcResBufPtr polygon(polygonOf(basePoint, *polyline));
    const AcResBufPtr filter(acutBuildList(RTDXF0, L"INSERT", 2, L"~ROOM-*", 0));
    const CSelectionSet selection(L"CP", polygon.get(), nullptr, filter.get());
    for (const AcDbObjectId& id : selection.ids()) addFoundAsset(id);
  ZELPH_CATCH(L"CAssets::getPolylineAssets")
}

void CAssets::addFoundAsset(AcDbObjectId id) {
  AcDbObjectPointer<AcDbBlockReference> reference(id, AcDb::kForRead);
  if (!reference) return;
  auto asset = std::make_unique<CAsset>();
  asset->setObjectId(id);
  asset->setHandle(reference->handle());
  asset->setBlockIdentifier(assetBlockName(*reference.object()));
  const AcGePoint3d at = CAcadUtilities::convertWCSToUCS(reference->position());
  asset->setX(at.x);
  asset->setY(at.y);
  asset->setKind(CAsset::kFoundInDrawing);
  auto attributes = std::make_unique<CAttributes>();
  attributes->extractAttributeValues(reference.object());
  asset->setAttributes(std::move(attributes));
  add(std::move(asset));
}

void CAssets::deSerialize(pugi::xml_node element, const CHatch* hatch) {
  ZELPH_TRY
    CXMLUtilities::readItems<CAsset>(
        element, "asset", [this](std::unique_ptr<CAsset> asset) { add(std::move(asset)); }, hatch);
  ZELPH_CATCH(L"CAssets::deSerialize")
}
