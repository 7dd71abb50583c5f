#include "host/Layers.h"

#include "dbmain.h"
#include "host/AcadDrawing.h"
#include "support/TextCase.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

CLayers::CLayers() = default;

CLayers::~CLayers() = default;

void CLayers::add(std::unique_ptr<CLayer> layer) {
  ZELPH_TRY
    if (layer == nullptr || m_byName.count(layer->getName()) != 0) return;
    CLayer* held = layer.get();
    m_layers.push_back(std::move(layer));
    m_byName.emplace(held->getName(), held);
    m_byFoldedName.emplace(CTextCase::upper(held->getName()), held);
  ZELPH_CATCH(L"CLayers::add")
}

CLayer* CLayers::getAt(int index) const {
  return index >= 0 && index < count() ? m_layers[static_cast<size_t>(index)].get() : nullptr;
}

CLayer* CLayers::getAtLayer(const std::wstring& name) const {
  ZELPH_TRY
    const auto found = m_byFoldedName.find(CTextCase::upper(name));
    return found != m_byFoldedName.end() ? found->second : nullptr;
  ZELPH_CATCH(L"CLayers::getAtLayer")
}

Acad::ErrorStatus CLayers::getDWGLayers(CAcadDrawing& drawing) {
  ZELPH_TRY
    const Acad::ErrorStatus locked = drawing.lock();
    if (locked != Acad::eOk) return locked;
    AcDbObjectPointer<AcDbLayerTable> table(drawing.getDatabase()->layerTableId(), AcDb::kForRead);
    if (table) {
      for (const AcDbObjectId& id : table->recordIds()) {
        AcDbObjectPointer<AcDbLayerTableRecord> record(id, AcDb::kForRead);
        if (record) add(std::make_unique<CLayer>(record.object()));
      }
    }
    table.close();
    return drawing.unlock();
  ZELPH_CATCH(L"CLayers::getDWGLayers")
}

void CLayers::applyToDWG(CAcadDrawing& drawing) {
  ZELPH_TRY
    for (const auto& layer : m_layers) layer->applyToDWG(drawing);
  ZELPH_CATCH(L"CLayers::applyToDWG")
}

void CLayers::getFrozenThawedIds(AcDbObjectIdArray& thawed, AcDbObjectIdArray& frozen) const {
  ZELPH_TRY
    for (const auto& layer : m_layers)
      if (!layer->getObjectId().isNull()) (layer->isFrozen() ? frozen : thawed).push_back(layer->getObjectId());
  ZELPH_CATCH(L"CLayers::getFrozenThawedIds")
}

int CLayers::ensureLayerExists(CAcadDrawing& drawing, std::wstring& name, const AcCmColor& colour) {
  ZELPH_TRY
    name = CLayer::validateLayerName(name);
    if (!drawing.isLocked()) return 0;
    return CLayer::createIfMissing(drawing.getDatabase(), name, colour);
  ZELPH_CATCH(L"CLayers::ensureLayerExists")
}

void CLayers::deleteObjects() {
  ZELPH_TRY
    m_byName.clear();
    m_byFoldedName.clear();
    m_layers.clear();
  ZELPH_CATCH(L"CLayers::deleteObjects")
}

void CLayers::deSerialize(pugi::xml_node node) {
  ZELPH_TRY
    CXMLUtilities::readItems<CLayer>(node, "layerOn", [this](std::unique_ptr<CLayer> layer) { add(std::move(layer)); });
  ZELPH_CATCH(L"CLayers::deSerialize")
}
