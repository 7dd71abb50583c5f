// The outlines of entities the platform carries as read, from their tags:
// traces (filled as solids are), 3-D polylines and meshes, 3-D faces seen
// from above without their invisible edges, subdivision meshes as the edges
// of their faces seen from above, and the boundaries of images
// and wipeouts (a wipeout filled with the page's white, so that it hides
// what lies below it).
#pragma once

#include <optional>

#include "AcGeMatrix3d.h"
#include "PathData.h"

class AcDbEntity;

class CarriedShape {
 public:
  enum class Fill { kNone, kColour, kBackground };

  // Empty for an entity of another kind.  wipeoutFrames: whether the
  // drawing shows the frames of its wipeouts.
  static std::optional<CarriedShape> of(const AcDbEntity& entity, const AcGeMatrix3d& toWorld, bool wipeoutFrames);

  PathData path;
  Fill fill = Fill::kNone;
  bool stroked = true;

 private:
  explicit CarriedShape(const AcGeMatrix3d& toWorld) : path(toWorld) {}
};
