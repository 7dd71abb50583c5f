// A viewport of a paper space layout (VIEWPORT), with the layers frozen in
// it alone (group 331).  Its view, scale and clipping are kept as read.
#pragma once

#include <unordered_set>

#include "AcDbEntity.h"

class AcDbViewport : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbViewport)

 public:
  AcDbViewport();
  ~AcDbViewport() override;

  // Layers already frozen (thawed) are left as they are.
  Acad::ErrorStatus freezeLayersInViewport(const AcDbObjectIdArray& layers);
  Acad::ErrorStatus thawLayersInViewport(const AcDbObjectIdArray& layers);
  Acad::ErrorStatus thawAllLayersInViewport();
  bool isLayerFrozenInViewport(AcDbObjectId layer) const;
  // In the order they were frozen.
  Acad::ErrorStatus getFrozenLayerList(AcDbObjectIdArray& layers) const;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  AcDbObjectIdArray m_frozen;
  std::unordered_set<AcDbObjectId> m_frozenSet;
};
