#include "spaces/MarkerBlock.h"

#include <cmath>

#include "AcDbAttribute.h"
#include "AcDbAttributeDefinition.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTable.h"
#include "AcDbDatabase.h"
#include "AcDbLayerTable.h"
#include "AcDbObjectPointer.h"
#include "aced.h"
#include "acutads.h"
#include "host/AcadDrawing.h"
#include "host/AcadDrawingLock.h"
#include "host/AcadUtilities.h"
#include "host/Layer.h"
#include "support/Preferences.h"
#include "support/ZelphExceptions.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kFullTurn = 6.283185307179586;
const wchar_t* const kCreateMarkerBlock = L"CMarkerBlock::createMarkerBlock";
const wchar_t* const kDefineBlock = L"CMarkerBlock::defineBlock";
const wchar_t* const kInsertBlock = L"CMarkerBlock::insertBlock";

// The host status a failure record carries at its root.
int rootStatus(const CEXZelph& record) {
  const CEXZelph* root = &record;
  while (root->getCause() != nullptr) root = root->getCause();
  return root->getStatus();
}

}  // namespace

CMarkerBlock::CMarkerBlock() {
  ZELPH_TRY
    CPreferences preferences;
    preferences.loadPreferences();
    m_units = preferences.getUnits();
    m_precision = preferences.getPrecision();
    m_textSize = preferences.getTextSize();
  ZELPH_CATCH(L"CMarkerBlock::CMarkerBlock")
}

void CMarkerBlock::readMarker(const AcDbBlockReference& reference) {
  ZELPH_TRY
    readReference(reference);
    AcDbDatabase* database = reference.database();
    // The reference's X axis seen in the current UCS.
    const AcGeVector3d across = ucsOf(database).inverse() * (reference.blockTransform() * AcGeVector3d::kXAxis);
    m_rotation = std::fmod(std::atan2(across.y, across.x) + kFullTurn, kFullTurn);
    AcDbObjectPointer<AcDbBlockTableRecord> block(reference.blockTableRecord(), AcDb::kForRead);
    if (block)
      for (const AcDbObjectId& id : block->entityIds()) {
        AcDbEntityPointer entity(id, AcDb::kForRead);
        if (!entity || entity->isA()->name() != std::wstring(kind().outlineClass)) continue;
        m_position = CAcadUtilities::convertWCSToUCS(reference.position());
        break;
      }
    for (auto it = reference.attributeIterator(); !it->done(); it->step()) {
      AcDbObjectPointer<AcDbAttribute> attribute(it->objectId(), AcDb::kForRead);
      if (attribute) readSetting(attribute->tag(), attribute->textString());
    }
  ZELPH_CATCH(L"CMarkerBlock::readMarker")
}

void CMarkerBlock::createMarkerBlock(CAcadDrawing& drawing, AcDbObjectId outline, const CPreferences& preferences) {
  ZELPH_TRY
    const Kind& words = kind();
    int precision = 0;
    double textSize = 0.0, degrees = 0.0;
    CAcadUtilities::getInteger(words.precisionPrompt, preferences.getPrecision(), precision);
    CAcadUtilities::getDouble(words.textSizePrompt, preferences.getTextSize(), precision, textSize);
    CAcadUtilities::getDouble(words.rotationPrompt, preferences.getTextRotation(), preferences.getPrecision(), degrees);
    try {
      AcDbEntityPointer entity(outline, AcDb::kForWrite);
      ZELPH_CHECK_STATUS(entity.openStatus(), kCreateMarkerBlock, drawing.getName());
      if (entity->isA()->name() != std::wstring(words.outlineClass)) {
        acutPrintf(L"\nInvalid Selection\n\n");
        return;
      }
      // From here on the outline is drawn in user coordinates.
      ZELPH_CHECK_STATUS(entity->transformBy(ucsOf(drawing.getDatabase()).inverse()), kCreateMarkerBlock, drawing.getName());
      const AcGePoint3d position = insertionPoint(*entity.object());
      const std::wstring layer = entity->layer();
      const CAcadDrawingLock lock(drawing);
      ZELPH_CHECK_STATUS(lock.getStatus(), kCreateMarkerBlock, drawing.getName());
      const AcDbObjectId block = defineBlock(drawing, *entity.object(), position, precision, textSize);
      entity.close();
      insertBlock(drawing, block, layer, position, degrees * kRadiansPerDegree);
    } catch (CEXZelph* failure) {
      const std::unique_ptr<CEXZelph> record(failure);
      acutPrintf(L"Block Creation Failed - Error Code %s\n",
                 acadErrorStatusText(static_cast<Acad::ErrorStatus>(rootStatus(*record))));
      return;
    }
    acutPrintf(L"Block Created Successfully\n");
  ZELPH_CATCH(kCreateMarkerBlock)
}

AcDbObjectId CMarkerBlock::defineBlock(CAcadDrawing& drawing, AcDbEntity& outline, const AcGePoint3d& origin,
                                       int precision, double textSize) {
  ZELPH_TRY
    const std::vector<Setting> texts = settings(precision, textSize, outline);
    ZELPH_CHECK_STATUS(outline.transformBy(AcGeMatrix3d::translation(AcGePoint3d::kOrigin - origin)), kDefineBlock, drawing.getName());
    AcDbObjectPointer<AcDbBlockTable> table(drawing.getDatabase()->blockTableId(), AcDb::kForWrite);
    ZELPH_CHECK_STATUS(table.openStatus(), kDefineBlock, drawing.getName());
    AcDbObjectPointer<AcDbBlockTableRecord> block;
    block.create();
    ZELPH_CHECK_STATUS(block->setName(kind().blockName), kDefineBlock, drawing.getName());
    AcDbObjectId id;
    ZELPH_CHECK_STATUS(table->add(id, block.object()), kDefineBlock, drawing.getName());
    table.close();
    ZELPH_CHECK_STATUS(block->setOrigin(AcGePoint3d::kOrigin), kDefineBlock, drawing.getName());
    ZELPH_CHECK_STATUS(block->assumeOwnershipOf(AcDbObjectIdArray{outline.objectId()}), kDefineBlock, drawing.getName());
    std::wstring layer = kind().layer;
    CLayer::ensureLayerExists(layer, drawing);
    const AcGeVector3d normal = CAcadUtilities::getUcsNormal();
    for (size_t index = 0; index < texts.size(); ++index) {
      const AcGePoint3d at(0.0, -textSize * static_cast<double>(index + 1), 0.0);
      const AcDbObjectPointer<AcDbAttributeDefinition> definition(
          defineAttribute(at, normal, textSize, 0.0, texts[index], layer));
      ZELPH_CHECK_STATUS(block->appendAcDbEntity(definition.object()), kDefineBlock, drawing.getName());
    }
    return id;
  ZELPH_CATCH(kDefineBlock)
}

void CMarkerBlock::insertBlock(CAcadDrawing& drawing, AcDbObjectId block, const std::wstring& outlineLayer,
                               const AcGePoint3d& position, double rotation) {
  ZELPH_TRY
    auto reference = std::make_unique<AcDbBlockReference>();
    ZELPH_CHECK_STATUS(reference->setLayer(hideOnMarkerLayer(drawing) ? kind().layer : outlineLayer.c_str()), kInsertBlock, drawing.getName());
    ZELPH_CHECK_STATUS(reference->setBlockTableRecord(block), kInsertBlock, drawing.getName());
    ZELPH_CHECK_STATUS(reference->setPosition(position), kInsertBlock, drawing.getName());
    ZELPH_CHECK_STATUS(reference->setRotation(rotation), kInsertBlock, drawing.getName());
    ZELPH_CHECK_STATUS(reference->transformBy(ucsOf(drawing.getDatabase())), kInsertBlock, drawing.getName());
    ZELPH_CHECK_STATUS(reference->setNormal(CAcadUtilities::getUcsNormal()), kInsertBlock, drawing.getName());
    AcDbObjectId id;
    ZELPH_CHECK_STATUS(drawing.postToDrawing(reference, id), kInsertBlock, drawing.getName());
    AcDbObjectPointer<AcDbBlockReference> placed(id, AcDb::kForWrite);
    ZELPH_CHECK_STATUS(placed.openStatus(), kInsertBlock, drawing.getName());
    AcDbObjectPointer<AcDbBlockTableRecord> definition(block, AcDb::kForRead);
    ZELPH_CHECK_STATUS(definition.openStatus(), kInsertBlock, drawing.getName());
    for (const AcDbObjectId& member : definition->entityIds()) {
      AcDbObjectPointer<AcDbAttributeDefinition> label(member, AcDb::kForRead);
      if (!label || label->isConstant()) continue;
      const AcDbObjectPointer<AcDbAttribute> attribute(createAttribute(*label.object(), placed->blockTransform()));
      ZELPH_CHECK_STATUS(placed->appendAttribute(attribute.object()), kInsertBlock, drawing.getName());
    }
  ZELPH_CATCH(kInsertBlock)
}

bool CMarkerBlock::hideOnMarkerLayer(CAcadDrawing& drawing) const {
  ZELPH_TRY
    AcDbObjectPointer<AcDbLayerTable> table(drawing.getDatabase()->layerTableId(), AcDb::kForRead);
    if (!table) return false;
    AcDbObjectId id;
    if (table->getAt(kind().layer, id) != Acad::eOk) return false;
    table.close();
    AcDbObjectPointer<AcDbLayerTableRecord> record(id, AcDb::kForRead);
    if (!record) return false;
    CLayer layer(record.object());
    record.close();
    layer.setOff(1);
    layer.applyToDWG(drawing);
    return true;
  ZELPH_CATCH(L"CMarkerBlock::hideOnMarkerLayer")
}

std::unique_ptr<AcDbAttributeDefinition> CMarkerBlock::defineAttribute(const AcGePoint3d& position,
                                                                       const AcGeVector3d& normal, double height,
                                                                       double rotation, const Setting& setting,
                                                                       const std::wstring& layer) {
  ZELPH_TRY
    auto definition = std::make_unique<AcDbAttributeDefinition>(position, setting.text.c_str(), setting.tag.c_str(),
                                                                setting.prompt.c_str());
    definition->setLayer(layer.c_str());
    definition->setNormal(normal);
    definition->setHeight(height);
    definition->setRotation(rotation);
    definition->setWidthFactor(1.0);
    definition->setHorizontalMode(AcDb::kTextLeft);
    definition->setVerticalMode(AcDb::kTextBase);
    definition->setFieldLength(static_cast<std::uint16_t>(setting.text.size() + 1));
    return definition;
  ZELPH_CATCH(L"CMarkerBlock::defineAttribute")
}

std::unique_ptr<AcDbAttribute> CMarkerBlock::createAttribute(const AcDbAttributeDefinition& definition,
                                                             const AcGeMatrix3d& blockTransform) {
  ZELPH_TRY
    auto attribute = std::make_unique<AcDbAttribute>();
    ZELPH_CHECK_STATUS(attribute->setAttributeFromBlock(&definition, blockTransform), L"CMarkerBlock::createAttribute",
                       L"");
    attribute->setHorizontalMode(AcDb::kTextLeft);
    return attribute;
  ZELPH_CATCH(L"CMarkerBlock::createAttribute")
}
