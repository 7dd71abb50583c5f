// A saved picture of a drawing: the current layout and every layer's
// state.  Changed in bulk and written back in the order layout, layers,
// viewports, regeneration.
#pragma once

#include <memory>
#include <string>

#include "AcDbObjectId.h"
#include "host/Layers.h"

class CAcadDrawing;

class CAcadDrawingState {
 public:
  CAcadDrawingState();
  virtual ~CAcadDrawingState();

  // The active layout ("Model" allowed) and the drawing's layers.
  void getState(CAcadDrawing& drawing);
  // A layer not held yet is added with that name and these flags.
  void setLayerState(const std::wstring& name, int frozen, int locked, int off, int plottable);
  void setAllLayerLineWeights(int lineWeight);
  // Nothing to change for output yet: the graphic report asks all the same.
  void setZelphLayersForOutput();
  // All layers off (thawed, unlocked, plottable), shown from model space.
  void setStateAllOff(CAcadDrawing& drawing);
  // Model space with every layer on, thawed, unlocked and plottable.
  void setStateForTakeOff(CAcadDrawing& drawing);
  // Makes the layout current, writes the layers and, with viewports in a
  // paper layout, their frozen and thawed layers into its viewports; then regenerates.
  void applyState(CAcadDrawing& drawing, bool viewports);
  void applyLayersInAllLayoutViewports(const AcDbObjectIdArray& thawed, const AcDbObjectIdArray& frozen);

  const std::wstring& getLayoutName() const { return m_layoutName; }
  void setLayoutName(const std::wstring& name) { m_layoutName = name; }
  CLayers& getLayers() { return m_layers; }

 private:
  void setEveryLayer(int frozen, int locked, int off, int plottable);

  std::wstring m_layoutName;
  CLayers m_layers;
};
