// The extents of block definitions in their own coordinates, measured once
// and kept until a definition changes.  A reference nested in a definition
// is measured through them, so that measuring a reference costs what its
// definition holds, not what every level below it multiplies into.
#pragma once

#include <unordered_map>
#include <unordered_set>

#include "AcDbExtents.h"
#include "AcDbObjectId.h"

class BlockExtents {
 public:
  // False when the definition draws nothing, or draws itself.
  bool of(AcDbObjectId block, AcDbExtents& extents);
  // An entity of a definition in the definition's coordinates; false when
  // it has none.
  static bool ofEntity(AcDbObjectId entity, AcDbExtents& extents);
  // Some object changed: what was kept for any definition may be stale
  // (an entity may have moved between definitions, too).
  void forget();

 private:
  std::unordered_map<AcDbObjectId, AcDbExtents> m_kept;
  std::unordered_set<AcDbObjectId> m_measuring;
};
