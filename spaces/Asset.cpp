#include "spaces/Asset.h"

#include <algorithm>
#include <limits>

#include "AcDbAttribute.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbExtents.h"
#include "AcDbHatch.h"
#include "AcDbLayerTableRecord.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "aced.h"
#include "host/AcadDrawing.h"
#include "host/AcadDrawingLock.h"
#include "host/AcadUtilities.h"
#include "host/Layer.h"
#include "host/Layers.h"
#include "spaces/DrawnHatches.h"
#include "support/Utilities.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

namespace {

// The ids of a block definition's entities; empty when it cannot be opened.
AcDbObjectIdArray entitiesOf(AcDbObjectId definition) {
  AcDbObjectPointer<AcDbBlockTableRecord> block(definition, AcDb::kForRead);
  return block ? block->entityIds() : AcDbObjectIdArray();
}

void hostFailure(CZelphExceptions& errors, const wchar_t* function, Acad::ErrorStatus status) {
  errors.add(std::make_unique<CEXUnhandled>(ZELPH_BANNER, ZELPH_SOURCE, function, status, __LINE__, L"", nullptr));
}

// Switches the entity's layer on and leaves its other settings as they are.
void switchLayerOn(CAcadDrawing& drawing, const AcDbEntity& entity) {
  AcDbObjectPointer<AcDbLayerTableRecord> record(entity.layerId(), AcDb::kForRead);
  if (!record) return;
  CLayer layer(record.object());
  record.close();
  layer.setOff(0);
  layer.applyToDWG(drawing);
}

}  // namespace

CAsset::~CAsset() = default;

void CAsset::setHatch(const CHatch* hatch) {
  m_ownHatch.reset();
  m_hatch = hatch;
}

std::wstring CAsset::handleText() const {
  ACHAR buffer[17];
  m_handle.getIntoAsciiBuffer(buffer);
  return buffer;
}

void CAsset::copyTo(CAsset& target) const {
  ZELPH_TRY
    target.m_locationId = m_locationId;
    target.m_handle = m_handle;
    target.m_blockIdentifier = m_blockIdentifier;
    target.m_blockDescription = m_blockDescription;
    target.m_uniqueDescription = m_uniqueDescription;
    target.m_x = m_x;
    target.m_y = m_y;
    target.m_kind = m_kind;
    if (m_hatch != nullptr) {
      auto hatch = std::make_unique<CHatch>();
      m_hatch->copyTo(*hatch);
      target.m_hatch = hatch.get();
      target.m_ownHatch = std::move(hatch);
    }
    if (m_hyperlinks != nullptr) {
      target.m_hyperlinks = std::make_unique<CHyperlinks>();
      m_hyperlinks->copyTo(*target.m_hyperlinks);
    }
    if (m_attributes != nullptr) {
      target.m_attributes = std::make_unique<CAttributes>();
      m_attributes->copyAttributesTo(*target.m_attributes);
    }
  ZELPH_CATCH(L"CAsset::copyTo")
}

void CAsset::applyToDWG(CAcadDrawing& drawing, CZelphExceptions& errors) {
  ZELPH_TRY
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked())
      throw new CEXUnhandled(ZELPH_BANNER, ZELPH_SOURCE, L"CAsset::applyToDWG", lock.getStatus(), __LINE__,
                             drawing.getFolder() + drawing.getName(), nullptr);
    AcDbObjectPointer<AcDbEntity> entity(m_objectId, AcDb::kForWrite);
    if (!entity) return;
    auto* reference = AcDbBlockReference::cast(entity.object());
    if (reference != nullptr) {
      switchLayerOn(drawing, *reference);
      if (m_hatch != nullptr) {
        AcDbObjectId hatchId;
        hatchAsset(drawing, reference, hatchId, errors);
        if (hasHyperlinks()) {
          hyperlinkAsset(reference);
          m_hyperlinks->applyToEntity(hatchId);
        }
      } else if (hasHyperlinks()) {
        hyperlinkAsset(reference);
      }
    }
    if (m_attributes != nullptr) m_attributes->applyToDWG(reference);
  ZELPH_CATCH(L"CAsset::applyToDWG")
}

void CAsset::hatchAsset(CAcadDrawing& drawing, AcDbBlockReference* reference, AcDbObjectId& hatchId,
                        CZelphExceptions& errors) {
  ZELPH_TRY
    if (reference == nullptr || m_hatch == nullptr) return;
    constexpr double kHuge = std::numeric_limits<double>::max();
    AcGePoint3d minimum(kHuge, kHuge, 0.0), maximum(-kHuge, -kHuge, 0.0);
    for (const AcDbObjectId& id : entitiesOf(reference->blockTableRecord())) {
      const AcDbObjectPointer<AcDbEntity> part(id, AcDb::kForRead);
      AcDbExtents extents;
      if (!part || part->getGeomExtents(extents) != Acad::eOk) continue;
      minimum.x = std::min(minimum.x, extents.minPoint().x);
      minimum.y = std::min(minimum.y, extents.minPoint().y);
      maximum.x = std::max(maximum.x, extents.maxPoint().x);
      maximum.y = std::max(maximum.y, extents.maxPoint().y);
    }
    if (minimum.x > maximum.x) return;  // nothing in the block has extents
    hatchAssetArea(drawing, reference, minimum, maximum, hatchId, errors);
  ZELPH_CATCH(L"CAsset::hatchAsset")
}

AcDbObjectId CAsset::postBoundary(CAcadDrawing& drawing, AcDbBlockReference* reference, const AcGePoint3d& minimum,
                                  const AcGePoint3d& maximum, const std::wstring& layer) {
  auto boundary = std::make_unique<AcDbPolyline>(4);
  const AcGePoint2d corners[] = {
      {minimum.x, minimum.y}, {minimum.x, maximum.y}, {maximum.x, maximum.y}, {maximum.x, minimum.y}};
  for (unsigned int index = 0; index < 4; ++index) boundary->addVertexAt(index, corners[index], 0.0, -1.0, -1.0);
  boundary->setClosed(true);
  boundary->setVisibility(AcDb::kInvisible);
  boundary->setColor(m_hatch->getColour());
  if (!layer.empty()) boundary->setLayer(layer.c_str());
  // Placed before posting: the same as moving it after, without opening it again.
  boundary->transformBy(reference->blockTransform());
  CDrawnHatches::tag(*boundary, drawing.getDatabase(), handleText());
  AcDbObjectId id;
  drawing.postToDrawing(boundary, id);
  return id;
}

void CAsset::recordEvaluation(Acad::ErrorStatus status, CZelphExceptions& errors) const {
  const std::wstring subject = L"asset - " + handleText();
  const double scale = m_hatch->getScale();
  if (status == Acad::eHatchTooDense)
    errors.add(CEXZelph::hatchTooDense(ZELPH_SOURCE, L"CAsset::hatchAssetArea", subject, m_hatch->getPattern(), scale));
  else if (status == Acad::eHatchNotDenseEnough)
    errors.add(
        CEXZelph::hatchTooSparse(ZELPH_SOURCE, L"CAsset::hatchAssetArea", subject, m_hatch->getPattern(), scale));
  else if (status != Acad::eOk)
    hostFailure(errors, L"CAsset::hatchAssetArea", status);
}

void CAsset::hatchAssetArea(CAcadDrawing& drawing, AcDbBlockReference* reference, const AcGePoint3d& minimum,
                            const AcGePoint3d& maximum, AcDbObjectId& hatchId, CZelphExceptions& errors) {
  ZELPH_TRY
    if (reference == nullptr || m_hatch == nullptr) return;
    auto hatch = std::make_unique<AcDbHatch>();
    const Acad::ErrorStatus pattern = hatch->setPattern(AcDbHatch::kPreDefined, m_hatch->getPattern().c_str());
    if (pattern != Acad::eOk) {
      hostFailure(errors, L"CAsset::hatchAssetArea", pattern);
      return;
    }
    // Reports give whole numbers; the hatch takes them as they stand.
    hatch->setPatternAngle(static_cast<double>(m_hatch->getAngle()));
    hatch->setPatternScale(static_cast<double>(m_hatch->getScale()));
    hatch->setAssociative(false);
    hatch->setColor(m_hatch->getColour());
    hatch->setHatchStyle(AcDbHatch::kNormal);
    hatch->setNormal(CAcadUtilities::getUcsNormal());
    hatch->setElevation(0.0);
    std::wstring layer = m_hatch->getLayer();
    CLayers layers;
    if (layers.ensureLayerExists(drawing, layer, m_hatch->getColour()) == 1)
      hatch->setLayer(layer.c_str());
    else
      layer.clear();
    const AcDbObjectId boundary = postBoundary(drawing, reference, minimum, maximum, layer);
    Acad::ErrorStatus status = hatch->appendLoop(AcDbHatch::kOutermost, AcDbObjectIdArray{boundary});
    if (status == Acad::eOk) status = hatch->evaluateHatch();
    recordEvaluation(status, errors);
    CDrawnHatches::tag(*hatch, drawing.getDatabase(), handleText());
    status = drawing.postToDrawing(hatch, hatchId);
    if (status != Acad::eOk) {
      hostFailure(errors, L"CAsset::hatchAssetArea", status);
      return;
    }
    AcDbObjectPointer<AcDbEntity> posted(hatchId, AcDb::kForWrite);
    if (posted) CAcadUtilities::moveEntityToBottom(posted.object());
  ZELPH_CATCH(L"CAsset::hatchAssetArea")
}

void CAsset::hyperlinkEntity(AcDbEntity* entity) {
  ZELPH_TRY
    if (m_hyperlinks != nullptr) m_hyperlinks->applyToEntity(entity);
  ZELPH_CATCH(L"CAsset::hyperlinkEntity")
}

void CAsset::hyperlinkAsset(AcDbBlockReference* reference) {
  ZELPH_TRY
    if (reference == nullptr) return;
    hyperlinkEntity(reference);
    for (const AcDbObjectId& id : entitiesOf(reference->blockTableRecord())) {
      AcDbObjectPointer<AcDbEntity> part(id, AcDb::kForWrite);
      if (part) hyperlinkEntity(part.object());
    }
    for (const AcDbObjectId& id : reference->attributeIds()) {
      AcDbObjectPointer<AcDbAttribute> attribute(id, AcDb::kForWrite);
      if (attribute) hyperlinkEntity(attribute.object());
    }
  ZELPH_CATCH(L"CAsset::hyperlinkAsset")
}

void CAsset::deSerialize(pugi::xml_node element, const CHatch* hatch) {
  ZELPH_TRY
    setHatch(hatch);
    CXMLUtilities::readElement(element, "asset", [this](pugi::xml_node child) {
      const auto is = [&child](const char* name) { return CXMLUtilities::isNamed(child, name); };
      const std::wstring text = CXMLUtilities::text(child);
      if (is("locationID")) m_locationId = CUtilities::CStringToInt(text);
      if (is("handle")) m_handle = AcDbHandle(text.c_str());
      if (is("blockIdentifier")) m_blockIdentifier = text;
      if (is("blockDescription")) m_blockDescription = text;
      if (is("uniqueDescription")) m_uniqueDescription = text;
      if (is("pointX")) m_x = CUtilities::CStringToDouble(text);
      if (is("pointY")) m_y = CUtilities::CStringToDouble(text);
    });
  ZELPH_CATCH(L"CAsset::deSerialize")
}
