// One asset: a block reference (furniture, equipment) standing in a space
// or listed by a report category, with the attribute values, hyperlinks
// and hatch to give it in the drawing.
#pragma once

#include <memory>
#include <pugixml.hpp>
#include <string>

#include "AcDbHandle.h"
#include "AcDbObjectId.h"
#include "AcGePoint3d.h"
#include "spaces/Attributes.h"
#include "spaces/Hatch.h"
#include "spaces/Hyperlinks.h"

class AcDbBlockReference;
class AcDbEntity;
class CAcadDrawing;
class CZelphExceptions;

class CAsset {
 public:
  // What the asset was found as: in a drawing, or read from a report.
  static constexpr int kFoundInDrawing = 1;

  CAsset() = default;
  virtual ~CAsset();
  CAsset(const CAsset&) = delete;
  CAsset& operator=(const CAsset&) = delete;

  // The target owns copies of the hatch, hyperlinks and attributes.
  void copyTo(CAsset& target) const;
  // Reads a report's "asset" element; the hatch is the category's, or null.
  void deSerialize(pugi::xml_node element, const CHatch* hatch);
  // Switches the asset's layer on, hatches it and links it when it has a
  // hatch or links, and writes its attribute values.
  void applyToDWG(CAcadDrawing& drawing, CZelphExceptions& errors);
  void hatchAsset(CAcadDrawing& drawing, AcDbBlockReference* reference, AcDbObjectId& hatchId,
                  CZelphExceptions& errors);
  // Hatches the rectangle of block definition coordinates where the reference places it.
  void hatchAssetArea(CAcadDrawing& drawing, AcDbBlockReference* reference, const AcGePoint3d& minimum,
                      const AcGePoint3d& maximum, AcDbObjectId& hatchId, CZelphExceptions& errors);
  // The reference, every entity of its definition and its attributes.
  void hyperlinkAsset(AcDbBlockReference* reference);
  void hyperlinkEntity(AcDbEntity* entity);

  AcDbObjectId getObjectId() const { return m_objectId; }
  void setObjectId(AcDbObjectId id) { m_objectId = id; }
  AcDbHandle getHandle() const { return m_handle; }
  void setHandle(const AcDbHandle& handle) { m_handle = handle; }
  std::wstring handleText() const;
  int getLocationId() const { return m_locationId; }
  void setLocationId(int id) { m_locationId = id; }
  const std::wstring& getBlockIdentifier() const { return m_blockIdentifier; }
  void setBlockIdentifier(const std::wstring& text) { m_blockIdentifier = text; }
  const std::wstring& getBlockDescription() const { return m_blockDescription; }
  void setBlockDescription(const std::wstring& text) { m_blockDescription = text; }
  const std::wstring& getUniqueDescription() const { return m_uniqueDescription; }
  void setUniqueDescription(const std::wstring& text) { m_uniqueDescription = text; }
  double getX() const { return m_x; }
  void setX(double x) { m_x = x; }
  double getY() const { return m_y; }
  void setY(double y) { m_y = y; }
  int getKind() const { return m_kind; }
  void setKind(int kind) { m_kind = kind; }
  CAttributes* getAttributes() const { return m_attributes.get(); }
  void setAttributes(std::unique_ptr<CAttributes> attributes) { m_attributes = std::move(attributes); }
  CHyperlinks* getHyperlinks() const { return m_hyperlinks.get(); }
  void setHyperlinks(std::unique_ptr<CHyperlinks> hyperlinks) { m_hyperlinks = std::move(hyperlinks); }
  // A category's hatch, which the category keeps; null for none.
  const CHatch* getHatch() const { return m_hatch; }
  void setHatch(const CHatch* hatch);

 private:
  bool hasHyperlinks() const { return m_hyperlinks != nullptr && m_hyperlinks->getCount() > 0; }
  // The closed, invisible rectangle the hatch fills, posted where the reference stands.
  AcDbObjectId postBoundary(CAcadDrawing& drawing, AcDbBlockReference* reference, const AcGePoint3d& minimum,
                            const AcGePoint3d& maximum, const std::wstring& layer);
  void recordEvaluation(Acad::ErrorStatus status, CZelphExceptions& errors) const;

  AcDbObjectId m_objectId;
  AcDbHandle m_handle;
  int m_locationId = 0;
  std::wstring m_blockIdentifier;
  std::wstring m_blockDescription;
  std::wstring m_uniqueDescription;
  double m_x = 0.0;
  double m_y = 0.0;
  int m_kind = 0;
  std::unique_ptr<CAttributes> m_attributes;
  std::unique_ptr<CHyperlinks> m_hyperlinks;
  const CHatch* m_hatch = nullptr;
  // The hatch of a copy, which the asset owns; m_hatch points at it.
  std::unique_ptr<CHatch> m_ownHatch;
};
