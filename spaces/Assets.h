// The assets of a space or a report category, in order; the collection
// owns them.
#pragma once

#include <memory>
#include <vector>

#include "AcGePoint3d.h"
#include "spaces/Asset.h"

class AcDbPolyline;
class CAcadDrawing;
class CZelphExceptions;

class CAssets {
 public:
  CAssets() = default;
  virtual ~CAssets();
  CAssets(const CAssets&) = delete;
  CAssets& operator=(const CAssets&) = delete;

  void add(std::unique_ptr<CAsset> asset);
  void applyToDWG(CAcadDrawing& drawing, CZelphExceptions& errors);
  // Appends a copy of every asset to the target.
  void copyTo(CAssets& target) const;
  void deleteObjects();
  // Appends every "asset" of a report's "assets" element, each keeping the
  // category's hatch (null for none).
  void deSerialize(pugi::xml_node element, const CHatch* hatch);
  // Adds the block references of model space that the polyline, shifted by
  // the base point, crosses or encloses; spaces (blocks named ROOM-...)
  // are never assets.
  void getPolylineAssets(const AcGePoint3d& basePoint, const AcDbPolyline* polyline);

  int getCount() const { return static_cast<int>(m_items.size()); }
  CAsset* getAt(int index) const;

 private:
  void addFoundAsset(AcDbObjectId id);

  std::vector<std::unique_ptr<CAsset>> m_items;
};
