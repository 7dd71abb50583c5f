// One layer's state as the module holds it: name, colour, frozen, locked,
// off, plottable and line weight.  Every setter marks the layer changed;
// only a changed layer is written back.
#pragma once

#include <string>

#include "AcCmColor.h"
#include "AcDbObjectId.h"
#include "Acad.h"

class AcDbDatabase;
class AcDbLayerTableRecord;
class CAcadDrawing;

namespace pugi {
class xml_node;
}

class CLayer {
 public:
  CLayer();
  // A copy of the record's state, its name upper-cased; not changed.
  explicit CLayer(const AcDbLayerTableRecord* record);
  virtual ~CLayer();

  // The name without the characters a layer name cannot hold: < > / \ " ; ? * , = and `.
  static std::wstring validateLayerName(const std::wstring& name);
  // Cleans the name and makes the layer with default properties when the
  // drawing lacks it; 1 when the layer exists afterwards.
  static int ensureLayerExists(std::wstring& name, CAcadDrawing& drawing);
  // The same inside an open database; the drawing must be locked.
  static int createIfMissing(AcDbDatabase* database, const std::wstring& name, const AcCmColor& colour);

  // Writes a changed layer: a new record with all properties, or the
  // flags and line weight of the existing one (its colour stays).
  void applyToDWG(CAcadDrawing& drawing);
  void getDWGLayer(const AcDbLayerTableRecord* record);
  // Reads a "layerOn" element of a graphic report: name and description.
  void deSerialize(pugi::xml_node node);

  AcDbObjectId getObjectId() const { return m_objectId; }
  void setObjectId(AcDbObjectId id);
  const std::wstring& getName() const { return m_name; }
  void setName(const std::wstring& name);
  const std::wstring& getDescription() const { return m_description; }
  void setDescription(const std::wstring& description);
  int getColourIndex() const { return m_colourIndex; }
  void setColourIndex(int index);
  const AcCmColor& getColour() const { return m_colour; }
  void setColour(const AcCmColor& colour);
  int isFrozen() const { return m_frozen; }
  void setFrozen(int frozen);
  int isLocked() const { return m_locked; }
  void setLocked(int locked);
  int isOff() const { return m_off; }
  void setOff(int off);
  int isPlottable() const { return m_plottable; }
  void setPlottable(int plottable);
  int getLineWeight() const { return m_lineWeight; }
  void setLineWeight(int lineWeight);
  int isChanged() const { return m_changed; }
  void setChanged(int changed) { m_changed = changed ? 1 : 0; }

 private:
  void writeFlags(AcDbLayerTableRecord* record) const;

  AcDbObjectId m_objectId;
  std::wstring m_name;
  std::wstring m_description;
  int m_colourIndex = 0;
  AcCmColor m_colour;
  int m_frozen = 0;
  int m_locked = 0;
  int m_off = 0;
  int m_plottable = 1;
  int m_lineWeight = 0;
  int m_changed = 0;
};
