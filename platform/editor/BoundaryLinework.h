// The linework a boundary is found in: what model space shows of lines,
// arcs, circles and polylines, also inside block references at any depth,
// on layers that are on and thawed, as curves in world XY.
#pragma once
#include <string>
#include <vector>

#include "AcDbObjectId.h"
#include "AcGeMatrix3d.h"
#include "BoundaryRegion.h"
#include "WildcardPattern.h"

class AcDbDatabase;
class AcDbEntity;

class BoundaryLinework {
 public:
  // Layers whose names match `counted` and not `ignored` (wild-card
  // patterns, "*" and "" by default) take part.
  BoundaryLinework(const std::wstring& counted, const std::wstring& ignored);

  std::vector<BoundaryCurve> collect(AcDbDatabase& database) const;

 private:
  void addBlock(AcDbObjectId block, const AcGeMatrix3d& transform, const std::wstring& inheritedLayer, int depth,
                std::vector<BoundaryCurve>& curves) const;
  void addEntity(const AcDbEntity& entity, const AcGeMatrix3d& transform, const std::wstring& layer, int depth,
                 std::vector<BoundaryCurve>& curves) const;
  bool counts(const AcDbEntity& entity, const std::wstring& layer) const;

  WildcardPattern m_counted;
  WildcardPattern m_ignored;
  bool m_ignoresAny;
};
