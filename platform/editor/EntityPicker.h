// Finds the entities of model space that a console answer names: a pick
// (#HANDLE or a point) or a selection (picks, "all", a window or a
// crossing).  Erased entities and entities on layers that are off or
// frozen cannot be picked, as on screen.
#pragma once

#include <string>
#include <vector>

#include "AcDbObjectId.h"
#include "AcGePoint3d.h"
#include "ModelSpaceIndex.h"
#include "resbuf.h"

class AcDbDatabase;
class AcDbEntity;

class EntityPicker {
 public:
  explicit EntityPicker(AcDbDatabase* database);

  // Null, with the reason in why, when the answer picks nothing.
  AcDbObjectId pick(const std::wstring& answer, AcGePoint3d& pickPoint, std::wstring& why) const;
  // Empty, with the reason in why, when the answer selects nothing.
  std::vector<AcDbObjectId> select(const std::wstring& answer, std::wstring& why) const;
  // The entities inside (crossing: touching) the box of the two corners.
  std::vector<AcDbObjectId> window(const AcGePoint3d& a, const AcGePoint3d& b, bool crossing) const;
  // The entities inside (crossing: touching) the polygon of the corners.
  std::vector<AcDbObjectId> polygon(const std::vector<AcGePoint3d>& corners, bool crossing) const;
  // Every pickable entity that passes the filter.
  std::vector<AcDbObjectId> filtered(const resbuf* filter) const;
  // Every entity of model space that passes the filter, on hidden layers
  // too, as a whole-drawing selection takes them.
  std::vector<AcDbObjectId> everything(const resbuf* filter) const;
  // Drops the entities that do not pass the filter: entity type (0 or
  // RTDXF0), block name (2) and layer (8), each a wild-card pattern.
  static void keepPassing(std::vector<AcDbObjectId>& ids, const resbuf* filter);

 private:
  AcDbObjectId pickAt(const AcGePoint3d& point) const;
  AcDbObjectId byHandle(const std::wstring& handleText, std::wstring& why) const;
  std::vector<AcDbObjectId> pickable() const;
  // The shown entities of model space whose extents touch the box.
  std::vector<const ModelSpaceIndex::Entry*> near(const ModelSpaceIndex::Box& box) const;
  std::vector<AcDbObjectId> modelSpace() const;

  AcDbDatabase* m_database;
};
