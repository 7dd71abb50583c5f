#include "host/AcadDrawingState.h"

#include "dbmain.h"
#include "host/AcadDrawing.h"
#include "support/ZelphExceptions.h"

namespace {

const std::wstring kModel = L"Model";

void setFlags(CLayer& layer, int frozen, int locked, int off, int plottable) {
  layer.setFrozen(frozen);
  layer.setLocked(locked);
  layer.setOff(off);
  layer.setPlottable(plottable);
}

}  // namespace

CAcadDrawingState::CAcadDrawingState() = default;

CAcadDrawingState::~CAcadDrawingState() = default;

void CAcadDrawingState::getState(CAcadDrawing& drawing) {
  ZELPH_TRY
    std::wstring layout;
    if (acdbLayoutManager()->getActiveLayoutName(layout, true, drawing.getDatabase()) == Acad::eOk)
      m_layoutName = layout;
    m_layers.deleteObjects();
    m_layers.getDWGLayers(drawing);
  ZELPH_CATCH(L"CAcadDrawingState::getState")
}

void CAcadDrawingState::setLayerState(const std::wstring& name, int frozen, int locked, int off, int plottable) {
  ZELPH_TRY
    if (CLayer* held = m_layers.getAtLayer(CLayer::validateLayerName(name))) {
      setFlags(*held, frozen, locked, off, plottable);
      return;
    }
    auto layer = std::make_unique<CLayer>();
    layer->setName(name);
    setFlags(*layer, frozen, locked, off, plottable);
    m_layers.add(std::move(layer));
  ZELPH_CATCH(L"CAcadDrawingState::setLayerState")
}

void CAcadDrawingState::setAllLayerLineWeights(int lineWeight) {
  ZELPH_TRY
    for (int i = 0; i < m_layers.count(); ++i) m_layers.getAt(i)->setLineWeight(lineWeight);
  ZELPH_CATCH(L"CAcadDrawingState::setAllLayerLineWeights")
}

void CAcadDrawingState::setZelphLayersForOutput() {
  ZELPH_TRY
  ZELPH_CATCH(L"CAcadDrawingState::setZelphLayersForOutput")
}

void CAcadDrawingState::setEveryLayer(int frozen, int locked, int off, int plottable) {
  for (int i = 0; i < m_layers.count(); ++i) setFlags(*m_layers.getAt(i), frozen, locked, off, plottable);
}

void CAcadDrawingState::setStateAllOff(CAcadDrawing& drawing) {
  ZELPH_TRY
    acdbLayoutManager()->setCurrentLayout(kModel.c_str(), drawing.getDatabase());
    setEveryLayer(0, 0, 1, 1);
    applyState(drawing, false);
  ZELPH_CATCH(L"CAcadDrawingState::setStateAllOff")
}

void CAcadDrawingState::setStateForTakeOff(CAcadDrawing& drawing) {
  ZELPH_TRY
    m_layoutName = kModel;
    setEveryLayer(0, 0, 0, 1);
    applyState(drawing, false);
  ZELPH_CATCH(L"CAcadDrawingState::setStateForTakeOff")
}

void CAcadDrawingState::applyState(CAcadDrawing& drawing, bool viewports) {
  ZELPH_TRY
    if (drawing.lock() != Acad::eOk) return;
    acdbLayoutManager()->setCurrentLayout(m_layoutName.c_str(), drawing.getDatabase());
    if (m_layers.count() > 0) {
      m_layers.applyToDWG(drawing);
      if (viewports && m_layoutName != kModel) {
        AcDbObjectIdArray thawed, frozen;
        m_layers.getFrozenThawedIds(thawed, frozen);
        applyLayersInAllLayoutViewports(thawed, frozen);
      }
    }
    drawing.unlock();
    drawing.regenDrawing();
  ZELPH_CATCH(L"CAcadDrawingState::applyState")
}

void CAcadDrawingState::applyLayersInAllLayoutViewports(const AcDbObjectIdArray& thawed,
                                                        const AcDbObjectIdArray& frozen) {
  ZELPH_TRY
    AcDbObjectPointer<AcDbLayout> layout(acdbLayoutManager()->getActiveLayoutId(false), AcDb::kForRead);
    if (!layout) return;
    for (const AcDbObjectId& id : layout->getViewportArray()) {
      AcDbObjectPointer<AcDbViewport> viewport(id, AcDb::kForWrite);
      if (!viewport) continue;
      viewport->freezeLayersInViewport(frozen);
      viewport->thawLayersInViewport(thawed);
    }
  ZELPH_CATCH(L"CAcadDrawingState::applyLayersInAllLayoutViewports")
}
