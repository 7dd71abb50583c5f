// CBlockDWG: drawing operations (write-back, hatches, hyperlinks, removal).
// Every method of CBlockDWG reports the one source unit "BlockDWG".
#define ZELPH_SOURCE L"BlockDWG"

#include "spaces/BlockDWG.h"

#include <algorithm>

#include "AcDbAttribute.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbHatch.h"
#include "AcDbLayerTableRecord.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "AcGeMatrix3d.h"
#include "acutads.h"
#include "host/AcadDrawing.h"
#include "host/AcadDrawingLock.h"
#include "host/AcadUtilities.h"
#include "host/HostProduct.h"
#include "host/Layers.h"
#include "spaces/DrawnHatches.h"
#include "spaces/ZelphAttribute.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

const wchar_t* const kHatchObject = L"CBlockDWG::hatchObject";

}  // namespace

std::wstring CBlockDWG::lockedLayer() const {
  ZELPH_TRY
    const auto lockedLayerOf = [](AcDbObjectId entityId) {
      AcDbObjectPointer<AcDbEntity> entity(entityId, AcDb::kForRead);
      if (!entity) return std::wstring();
      AcDbObjectPointer<AcDbLayerTableRecord> layer(entity->layerId(), AcDb::kForRead);
      return layer && layer->isLocked() ? entity->layer() : std::wstring();
    };
    std::wstring locked = lockedLayerOf(m_objectId);
    AcDbObjectPointer<AcDbBlockReference> reference(m_objectId, AcDb::kForRead);
    if (!reference) return locked;
    for (const AcDbObjectId& id : reference->attributeIds())
      if (locked.empty()) locked = lockedLayerOf(id);
    return locked;
  ZELPH_CATCH(L"CBlockDWG::lockedLayer")
}

CBlockDWG::LinkedLabels CBlockDWG::linkedLabels() const {
  ZELPH_TRY
    LinkedLabels linked;
    if (m_attributes == nullptr) return linked;
    const CAttribute* area = m_attributes->getAtAttribute(CZelphAttribute::kArea);
    const CAttribute* aux = m_attributes->getAtAttribute(CZelphAttribute::kAux);
    linked.area = area != nullptr &&
                  area->getValue() == CUtilities::DoubleToCString(m_area, m_precision) + areaUnitText(m_units);
    linked.perimeter = aux != nullptr && aux->getValue() == CUtilities::DoubleToCString(m_perimeter, m_precision) +
                                                                 lengthUnitText(m_units);
    return linked;
  ZELPH_CATCH(L"CBlockDWG::linkedLabels")
}

void CBlockDWG::relabel(const LinkedLabels& linked) {
  ZELPH_TRY
    if (linked.area)
      m_attributes->getAtAttribute(CZelphAttribute::kArea)
          ->setValue(CUtilities::DoubleToCString(m_area, m_precision) + areaUnitText(m_units));
    if (linked.perimeter)
      m_attributes->getAtAttribute(CZelphAttribute::kAux)
          ->setValue(CUtilities::DoubleToCString(m_perimeter, m_precision) + lengthUnitText(m_units));
  ZELPH_CATCH(L"CBlockDWG::relabel")
}

void CBlockDWG::applyToDWG(CAcadDrawing& drawing, CZelphExceptions& errors) {
  ZELPH_TRY
    const CAcadDrawingLock lock(drawing);
    ZELPH_CHECK_STATUS(lock.getStatus(), L"CBlockDWG::applyToDWG", drawing.getFolder() + drawing.getName());
    // Written in part, record and labels would disagree: a space on a locked layer is left whole.
    const std::wstring locked = lockedLayer();
    if (!locked.empty())
      return errors.add(std::make_unique<CEXUnhandled>(ZELPH_BANNER, ZELPH_SOURCE, L"CBlockDWG::applyToDWG",
                                                       lockedMessage(locked), 0));
    const AcDbObjectPointer<AcDbBlockReference> reference(m_objectId, AcDb::kForWrite);
    if (!reference) return;
    updateBlockIdentifier(reference.object());
    writeXData(reference.object());
    if (m_attributes != nullptr && m_attributes->getCount() > 0)
      m_attributes->applyToDWG(reference.object(), ucsOf(drawing.getDatabase()), nullptr);
    if (m_hatch != nullptr) {
      AcDbObjectId hatchId;
      hatchBlock(drawing, reference.object(), hatchId, errors);
      if (getHyperlinks() != nullptr) getHyperlinks()->applyToEntity(hatchId);
    }
    if (getHyperlinks() != nullptr) hyperlinkBlock(reference.object());
    if (m_assets != nullptr) {
      // What goes wrong with the assets is not the space's to report.
      CZelphExceptions assetErrors;
      m_assets->applyToDWG(drawing, assetErrors);
    }
  ZELPH_CATCH(L"CBlockDWG::applyToDWG")
}

std::wstring CBlockDWG::lockedMessage(const std::wstring& layer) const {
  return m_name + L" (" + m_blockName + L") skipped: layer " + layer + L" is locked.";
}

void CBlockDWG::updateAttributes(const AcGeMatrix3d& ucs, const AcGePoint3d* anchor) {
  ZELPH_TRY
    if (m_attributes != nullptr) m_attributes->applyToDWG(m_objectId, ucs, anchor);
  ZELPH_CATCH(L"CBlockDWG::updateAttributes")
}

void CBlockDWG::updateBlockIdentifier(AcDbBlockReference* reference) {
  ZELPH_TRY
    const AcDbObjectPointer<AcDbBlockTableRecord> definition(reference->blockTableRecord(), AcDb::kForWrite);
    if (!definition) return;
    std::wstring current;
    definition->getName(current);
    if (current != m_blockName && !m_blockName.empty()) definition->setName(m_blockName.c_str());
  ZELPH_CATCH(L"CBlockDWG::updateBlockIdentifier")
}

void CBlockDWG::copyFormatting(CBlockDWG* target) const {
  ZELPH_TRY
    if (target == nullptr) return;
    target->m_area = m_area;
    if (m_attributes != nullptr) copyLabelsInto(*target);
    if (m_hatch != nullptr) {
      if (target->m_hatch == nullptr) target->m_hatch = std::make_unique<CHatch>();
      m_hatch->copyTo(*target->m_hatch);
    }
    if (getHyperlinks() != nullptr) {
      auto hyperlinks = std::make_unique<CHyperlinks>();
      getHyperlinks()->copyTo(*hyperlinks);
      target->setHyperlinks(std::move(hyperlinks));
    }
  ZELPH_CATCH(L"CBlockDWG::copyFormatting")
}

void CBlockDWG::copyLabelsInto(CBlockDWG& target) const {
  if (target.m_attributes == nullptr) target.m_attributes = std::make_unique<CAttributes>();
  CAttributes& into = *target.m_attributes;
  into.setTextHeight(m_attributes->getTextHeight());
  into.setRotation(m_attributes->getRotation());
  into.setWidthFactor(m_attributes->getWidthFactor());
  for (const int kind : {CZelphAttribute::kName, CZelphAttribute::kArea, CZelphAttribute::kAux}) {
    const CAttribute* from = m_attributes->getAtAttribute(kind);
    if (from == nullptr) continue;
    if (into.getAtAttribute(kind) == nullptr) into.add(std::make_unique<CZelphAttribute>(kind, L"", L""), true);
    into.getAtAttribute(kind)->setValue(from->getValue());
  }
}

void CBlockDWG::hatchBlock(CAcadDrawing& drawing, AcDbEntity* entity, AcDbObjectId& hatchId,
                           CZelphExceptions& errors) {
  ZELPH_TRY
    auto* reference = AcDbBlockReference::cast(entity);
    if (reference == nullptr) return;
    AcDbObjectId outline;
    AcDbObjectPointer<AcDbPolyline> polyline;
    if (openFirstPolyline(reference->blockTableRecord(), AcDb::kForRead, polyline)) outline = polyline->objectId();
    polyline.close();
    AcDbObjectIdArray idsToAdd, idsToMinus;
    convertHandlesToObjectIds(m_handlesToAdd, drawing.getDatabase(), idsToAdd);
    convertHandlesToObjectIds(m_handlesToMinus, drawing.getDatabase(), idsToMinus);
    hatchObject(drawing, reference, outline, idsToAdd, idsToMinus, hatchId, errors);
  ZELPH_CATCH(L"CBlockDWG::hatchBlock")
}

bool CBlockDWG::appendLoops(AcDbHatch& hatch, const AcDbBlockReference* reference, AcDbObjectId outline,
                            const AcDbObjectIdArray& idsToAdd, const AcDbObjectIdArray& idsToMinus,
                            CZelphExceptions& errors) const {
  // A placed copy: the outline in the block definition is never touched.
  std::unique_ptr<AcDbPolyline> placed;
  {
    const AcDbObjectPointer<AcDbPolyline> polyline(outline, AcDb::kForRead);
    if (!polyline) return false;
    placed = copyOfOutline(*polyline.object());
  }
  placed->transformBy(reference->blockTransform());
  if (hatch.appendLoop(AcDbHatch::kOutermost, *placed) != Acad::eOk) return false;
  for (const AcDbObjectId& id : idsToAdd)
    if (hatch.appendLoop(AcDbHatch::kExternal, AcDbObjectIdArray{id}) != Acad::eOk)
      errors.add(CEXZelph::additionalHatchAreas(ZELPH_SOURCE, kHatchObject, m_name));
  for (const AcDbObjectId& id : idsToMinus)
    if (hatch.appendLoop(AcDbHatch::kDefault, AcDbObjectIdArray{id}) != Acad::eOk)
      errors.add(CEXZelph::noHatchAreas(ZELPH_SOURCE, kHatchObject, m_name));
  return true;
}

void CBlockDWG::hatchObject(CAcadDrawing& drawing, AcDbBlockReference* reference, AcDbObjectId outline,
                            const AcDbObjectIdArray& idsToAdd, const AcDbObjectIdArray& idsToMinus,
                            AcDbObjectId& hatchId, CZelphExceptions& errors) {
  ZELPH_TRY
    if (m_hatch == nullptr) return;
    const std::wstring drawingName = drawing.getFolder() + drawing.getName();
    const auto hostFailure = [&](Acad::ErrorStatus status, int line) {
      errors.add(std::make_unique<CEXUnhandled>(ZELPH_BANNER, ZELPH_SOURCE, kHatchObject, status, line, drawingName,
                                                nullptr));
    };
    // The hatch's layer is made only under the lock.
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return hostFailure(lock.getStatus(), __LINE__);
    auto hatch = std::make_unique<AcDbHatch>();
    const Acad::ErrorStatus made = m_hatch->applyTo(*hatch, CAcadUtilities::getUcsNormal());
    if (made != Acad::eOk) return hostFailure(made, __LINE__);
    std::wstring layer = m_hatch->getLayer();
    CLayers layers;
    if (layers.ensureLayerExists(drawing, layer, m_hatch->getColour()) == 1) hatch->setLayer(layer.c_str());
    if (!appendLoops(*hatch, reference, outline, idsToAdd, idsToMinus, errors))
      return errors.add(CEXZelph::hatchNotClosed(ZELPH_SOURCE, kHatchObject, m_name, m_handle));
    // A pattern that cannot be drawn is reported; the hatch is kept all the same.
    const std::wstring subject = L"zelph block " + m_name;
    const Acad::ErrorStatus evaluated = hatch->evaluateHatch();
    if (evaluated == Acad::eHatchTooDense)
      errors.add(CEXZelph::hatchTooDense(ZELPH_SOURCE, kHatchObject, subject, hatch->patternName(),
                                         hatch->patternScale()));
    else if (evaluated == Acad::eHatchNotDenseEnough)
      errors.add(CEXZelph::hatchTooSparse(ZELPH_SOURCE, kHatchObject, subject, hatch->patternName(),
                                          hatch->patternScale()));
    else if (evaluated != Acad::eOk)
      hostFailure(evaluated, __LINE__);
    CDrawnHatches::tag(*hatch, drawing.getDatabase(), m_handle);
    const Acad::ErrorStatus posted = drawing.postToDrawing(hatch, hatchId);
    if (posted != Acad::eOk) return hostFailure(posted, __LINE__);
    const AcDbEntityPointer placed(hatchId, AcDb::kForRead);
    if (placed) CAcadUtilities::moveEntityToBottom(placed.object());
  ZELPH_CATCH(kHatchObject)
}

void CBlockDWG::hyperlinkEntity(AcDbEntity* entity) {
  ZELPH_TRY
    if (getHyperlinks() != nullptr) getHyperlinks()->applyToEntity(entity);
  ZELPH_CATCH(L"CBlockDWG::hyperlinkEntity")
}

void CBlockDWG::hyperlinkBlock(AcDbBlockReference* reference) {
  ZELPH_TRY
    if (reference == nullptr) return;
    hyperlinkEntity(reference);
    const CHostProduct::Kind host = CHostProduct::current().kind();
    if (host != CHostProduct::kAutoCADLT && host != CHostProduct::kAutoCAD) return;
    for (const AcDbObjectId& id : reference->attributeIds()) {
      AcDbObjectPointer<AcDbAttribute> attribute(id, AcDb::kForWrite);
      if (attribute) hyperlinkEntity(attribute.object());
    }
  ZELPH_CATCH(L"CBlockDWG::hyperlinkBlock")
}

int CBlockDWG::deleteBlock(CAcadDrawing& drawing) {
  ZELPH_TRY
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return 0;
    const AcDbEntityPointer entity(m_objectId, AcDb::kForWrite);
    auto* reference = entity ? AcDbBlockReference::cast(entity.object()) : nullptr;
    if (reference == nullptr || !reference->blockTransform().isUniScaledOrtho()) return 0;
    const AcDbObjectPointer<AcDbBlockTableRecord> definition(reference->blockTableRecord(), AcDb::kForWrite);
    if (!definition) return 0;
    std::wstring name;
    definition->getName(name);
    // Furniture and other blocks keep their parts and attributes.
    if (!isSpaceBlockName(name)) {
      acutPrintf(L"\n%s is not a space: nothing deleted.\n", name.c_str());
      return 0;
    }
    AcGeMatrix3d shift;
    shift.setToTranslation(AcGePoint3d(0, 0, 0) - definition->origin());
    const AcGeMatrix3d placement = reference->blockTransform() * shift;
    for (const AcDbObjectId& id : definition->entityIds()) {
      const AcDbEntityPointer part(id, AcDb::kForWrite);
      const auto* polyline = part ? AcDbPolyline::cast(part.object()) : nullptr;
      if (polyline == nullptr) continue;
      auto copy = copyOfOutline(*polyline);
      copy->transformBy(placement);
      AcDbObjectId copyId;
      drawing.postToDrawing(copy, copyId);
    }
    reference->erase();
    deleteBlockDefinition(drawing, definition.object());
    return 1;
  ZELPH_CATCH(L"CBlockDWG::deleteBlock")
}

int CBlockDWG::deleteBlockDefinition(CAcadDrawing& drawing, AcDbBlockTableRecord* definition) {
  ZELPH_TRY
    AcDbObjectIdArray entities;
    {
      const AcDbObjectPointer<AcDbBlockTableRecord> model(drawing.getDatabase()->modelSpaceId(), AcDb::kForRead);
      if (!model) return 0;
      entities = model->entityIds();
    }
    for (const AcDbObjectId& id : entities) {
      const AcDbObjectPointer<AcDbBlockReference> reference(id, AcDb::kForRead);
      if (reference && reference->blockTableRecord() == definition->objectId()) return 0;
    }
    return definition->erase() == Acad::eOk ? 1 : 0;
  ZELPH_CATCH(L"CBlockDWG::deleteBlockDefinition")
}
