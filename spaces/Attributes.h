// The attributes of a space or an asset block, in insertion order, with the
// text height, width factor and rotation (degrees, in the user coordinate
// system) their texts are given.  The collection owns its items.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "AcGeMatrix3d.h"
#include "AcGePoint3d.h"
#include "spaces/Attribute.h"

class AcDbBlockReference;
class AcDbObjectId;

class CAttributes {
 public:
  CAttributes() = default;
  virtual ~CAttributes();
  CAttributes(const CAttributes&) = delete;
  CAttributes& operator=(const CAttributes&) = delete;

  // Without force an attribute whose tag is held already is discarded; true when it was kept.
  bool add(std::unique_ptr<CAttribute> attribute, bool force);
  CAttribute* getAtAttribute(int kind) const;
  CAttribute* getAtAttribute(const std::wstring& tag) const;
  void deleteObjects();

  // Reads NAME, AREA and AUX (tags in any case) and the label settings of
  // the first attribute of a space block reference.
  void extractSpaceBlockAttributeValues(AcDbBlockReference* reference, const AcGeMatrix3d& ucs);
  // Empties the collection, then takes every attribute of the reference as
  // a plain record (tag, text, layer); a repeated tag keeps the first.
  void extractAttributeValues(AcDbBlockReference* reference);
  // Writes the texts and lays them out: NAME one and a half text heights
  // above AREA, AUX as far below; without an anchor AREA stays where it is.
  void applyToDWG(AcDbBlockReference* reference, const AcGeMatrix3d& ucs, const AcGePoint3d* anchor);
  // The same on the reference of that id, opened here; nothing when it cannot be opened.
  void applyToDWG(AcDbObjectId reference, const AcGeMatrix3d& ucs, const AcGePoint3d* anchor);
  // Writes only texts and layers, matching tags exactly; positions and sizes stay.
  void applyToDWG(AcDbBlockReference* reference);
  // Settings and plain copies of the items (kinds are not kept).
  void copyAttributesTo(CAttributes& target) const;
  // Settings and copies that keep the kinds.
  void copyZelphAttributesTo(CAttributes& target) const;

  int getCount() const { return static_cast<int>(m_items.size()); }
  CAttribute* getAt(int index) const;
  double getTextHeight() const { return m_textHeight; }
  void setTextHeight(double height) { m_textHeight = height; }
  double getWidthFactor() const { return m_widthFactor; }
  void setWidthFactor(double factor) { m_widthFactor = factor; }
  double getRotation() const { return m_rotation; }
  void setRotation(double degrees) { m_rotation = degrees; }
  const AcGePoint3d& getAnchor() const { return m_anchor; }
  void setAnchor(const AcGePoint3d& anchor) { m_anchor = anchor; }

 private:
  void copySettingsTo(CAttributes& target) const;

  std::vector<std::unique_ptr<CAttribute>> m_items;
  double m_textHeight = 250.0;
  double m_widthFactor = 1.0;
  double m_rotation = 0.0;
  AcGePoint3d m_anchor;
};
