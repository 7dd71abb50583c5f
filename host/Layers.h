// The layers the module holds, unique by name, owned.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "AcDbObjectId.h"
#include "Acad.h"
#include "host/Layer.h"

class CAcadDrawing;

namespace pugi {
class xml_node;
}

class CLayers {
 public:
  CLayers();
  virtual ~CLayers();
  CLayers(const CLayers&) = delete;
  CLayers& operator=(const CLayers&) = delete;

  // Ignored (and freed) when a layer of exactly that name is held.
  void add(std::unique_ptr<CLayer> layer);
  int count() const { return static_cast<int>(m_layers.size()); }
  CLayer* getAt(int index) const;
  // Names compare ignoring case; null when none.
  CLayer* getAtLayer(const std::wstring& name) const;
  // One layer per record of the drawing's layer table; the status of the
  // final unlock, or the failed lock's.
  Acad::ErrorStatus getDWGLayers(CAcadDrawing& drawing);
  void applyToDWG(CAcadDrawing& drawing);
  void getFrozenThawedIds(AcDbObjectIdArray& thawed, AcDbObjectIdArray& frozen) const;
  // Cleans the name; only inside the session's lock, the layer is made
  // with the colour when missing.  1 when it exists afterwards.
  int ensureLayerExists(CAcadDrawing& drawing, std::wstring& name, const AcCmColor& colour);
  void deleteObjects();
  // Reads the "layerOn" children of a graphic report's "layersOn" element.
  void deSerialize(pugi::xml_node node);

 private:
  std::vector<std::unique_ptr<CLayer>> m_layers;
  // Exact names, and upper-cased names to the first layer of each.
  std::unordered_map<std::wstring, CLayer*> m_byName;
  std::unordered_map<std::wstring, CLayer*> m_byFoldedName;
};
