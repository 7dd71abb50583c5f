// CBlockDWG: turning an outline into a space block.
// Every method of CBlockDWG reports the one source unit "BlockDWG".
#define ZELPH_SOURCE L"BlockDWG"

#include "spaces/BlockDWG.h"

#include <algorithm>
#include <cmath>

#include "AcDbAttribute.h"
#include "AcDbAttributeDefinition.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTable.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbObjectPointer.h"
#include "AcGeConstants.h"
#include "AcGeMatrix3d.h"
#include "host/AcadDrawing.h"
#include "host/AcadDrawingLock.h"
#include "host/DrawingTransaction.h"
#include "host/AcadUtilities.h"
#include "host/Layer.h"
#include "spaces/ZelphAttribute.h"
#include "support/ZelphExceptions.h"

namespace {

std::unique_ptr<AcDbAttributeDefinition> labelDefinition(int kind, const AcGePoint3d& position, double height,
                                                         double widthFactor, double radians) {
  static const wchar_t* const kPrompts[] = {L"Enter Name", L"Enter Area", L"Enter Auxillary Value"};
  static const wchar_t* const kDefaults[] = {L"DEFAULT NAME", L"DEFAULT AREA", L"DEFAULT AUX"};
  const std::wstring tag = CZelphAttribute::tagOfKind(kind);
  auto definition = std::make_unique<AcDbAttributeDefinition>(position, kDefaults[kind], tag.c_str(), kPrompts[kind]);
  definition->setHeight(height);
  definition->setRotation(radians);
  definition->setWidthFactor(widthFactor);
  definition->setNormal(CAcadUtilities::getUcsNormal());
  definition->setHorizontalMode(AcDb::kTextLeft);
  definition->setVerticalMode(AcDb::kTextBase);
  definition->setFieldLength(25);
  return definition;
}

}  // namespace

Acad::ErrorStatus CBlockDWG::createBlockReference(CAcadDrawing& drawing, AcDbObjectId outline,
                                                  const AcGePoint3d& basePoint, double textHeight,
                                                  double widthFactor, double rotation) {
  ZELPH_TRY
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return lock.getStatus();
    // A space is made whole or not at all.
    CDrawingTransaction transaction;
    AcDbObjectId layer;
    {
      const AcDbEntityPointer entity(outline, AcDb::kForRead);
      if (!entity) return entity.openStatus();
      layer = entity->layerId();
    }
    AcDbObjectId definitionId;
    Acad::ErrorStatus status = createBlockDefinition(definitionId, {outline}, basePoint, textHeight, widthFactor, rotation, drawing);
    if (status != Acad::eOk) return status;
    auto reference = std::make_unique<AcDbBlockReference>(basePoint, definitionId);
    reference->setLayer(layer);
    reference->transformBy(ucsOf(drawing.getDatabase()));
    reference->setNormal(CAcadUtilities::getUcsNormal());
    AcDbObjectId referenceId;
    status = drawing.postToDrawing(reference, referenceId);
    if (status != Acad::eOk) return status;
    const AcDbObjectPointer<AcDbBlockReference> placed(referenceId, AcDb::kForWrite);
    if (!placed) return placed.openStatus();
    AcDbObjectIdArray entities;
    {
      const AcDbObjectPointer<AcDbBlockTableRecord> definition(definitionId, AcDb::kForRead);
      if (!definition) return definition.openStatus();
      entities = definition->entityIds();
    }
    for (const AcDbObjectId& id : entities) {
      const AcDbObjectPointer<AcDbAttributeDefinition> label(id, AcDb::kForRead);
      if (!label || label->isConstant()) continue;
      AcDbObjectPointer<AcDbAttribute> attribute;
      attribute.create();
      attribute->setAttributeFromBlock(label.object(), placed->blockTransform());
      attribute->setHorizontalMode(AcDb::kTextLeft);
      const CAttribute* value = m_attributes != nullptr ? m_attributes->getAtAttribute(label->tag()) : nullptr;
      if (value != nullptr) attribute->setTextString(value->getValue().c_str());
      placed->appendAttribute(attribute.object());
    }
    ACHAR handle[17];
    placed->handle().getIntoAsciiBuffer(handle);
    setHandle(handle);
    m_objectId = referenceId;
    writeXData(placed.object());
    transaction.commit();
    return Acad::eOk;
  ZELPH_CATCH(L"CBlockDWG::createBlockReference")
}

Acad::ErrorStatus CBlockDWG::createBlockDefinition(AcDbObjectId& definitionId, const AcDbObjectIdArray& entities,
                                                   const AcGePoint3d& basePoint, double textHeight,
                                                   double widthFactor, double rotation, CAcadDrawing& drawing) {
  ZELPH_TRY
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return lock.getStatus();
    Acad::ErrorStatus status = Acad::eOk;
    AcDbDatabase* database = drawing.getDatabase();
    const AcDbObjectPointer<AcDbBlockTable> table(database->blockTableId(), AcDb::kForWrite);
    if (!table) return table.openStatus();
    if (table->has(m_blockName.c_str())) return Acad::eDuplicateRecordName;
    AcDbObjectPointer<AcDbBlockTableRecord> definition;
    definition.create();
    definition->setName(m_blockName.c_str());
    status = table->add(definitionId, definition.object());
    if (status != Acad::eOk) return status;
    AcGeMatrix3d toOrigin;
    toOrigin.setToTranslation(AcGePoint3d(0, 0, 0) - basePoint);
    for (const AcDbObjectId& id : entities) {
      const AcDbEntityPointer entity(id, AcDb::kForWrite);
      if (entity) entity->transformBy(toOrigin);
    }
    status = definition->assumeOwnershipOf(entities);
    if (status != Acad::eOk) return status;
    const double radians = rotation / 180.0 * kPi;
    const AcGePoint3d origin(0, 0, 0);
    const AcGeVector3d across(-std::sin(radians), std::cos(radians), 0.0);
    const AcGePoint3d places[] = {origin + across * (1.5 * textHeight), origin, origin - across * (1.5 * textHeight)};
    static const wchar_t* const kLayers[] = {L"ATT-NAME", L"ATT-AREA", L"ATT-AUX"};
    for (const int kind : {CZelphAttribute::kArea, CZelphAttribute::kName, CZelphAttribute::kAux}) {
      const AcDbObjectPointer<AcDbAttributeDefinition> label(
          labelDefinition(kind, places[kind], textHeight, widthFactor, radians));
      std::wstring layer = kLayers[kind];
      if (CLayer::ensureLayerExists(layer, drawing) == 1) label->setLayer(layer.c_str());
      definition->appendAcDbEntity(label.object());
    }
    return Acad::eOk;
  ZELPH_CATCH(L"CBlockDWG::createBlockDefinition")
}
