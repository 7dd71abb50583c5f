// How wide a polyline is drawn: its constant width, or the mean of its
// segments' widths when they taper, in its own units.
#pragma once

class AcDbEntity;

class PolylineWidth {
 public:
  // 0 for an entity that is no polyline or has no width.
  static double of(const AcDbEntity& entity);
};
