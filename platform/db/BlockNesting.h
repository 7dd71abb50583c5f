// How block definitions hold references to one another.  A definition that
// holds itself, directly or through others, has no extents and no picture,
// so a drawing with one is refused; so is nesting deeper than any drawing
// needs, which every walk through the levels would pay for.
#pragma once

#include <string>

#include "AcDbObjectId.h"

class AcDbDatabase;

class BlockNesting {
 public:
  static constexpr size_t kMostLevels = 256;

  // Empty when the nesting is sound; otherwise what is wrong, and the
  // reference that shows it in faulty.
  static std::string fault(AcDbDatabase& database, AcDbObjectId& faulty);
};
