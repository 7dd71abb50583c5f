// Makes what the boundary finder found into closed light polylines in
// model space, on the current layer, and says what it made.
#pragma once
#include <optional>
#include <vector>

#include "AcDbObjectId.h"
#include "BoundaryFinder.h"
#include "BoundaryOptions.h"

class AcDbDatabase;

class BoundaryOutlines {
 public:
  BoundaryOutlines(AcDbDatabase& database, const BoundaryOptions& options);

  // The outline around the point, and its islands when the options ask for
  // them; null when no region holds the point.
  AcDbObjectId around(const AcGePoint2d& point);
  // Every room-like region in the window; the count made.
  size_t within(const AcGePoint2d& corner, const AcGePoint2d& other);

 private:
  AcDbObjectId make(const BoundaryLoop& loop);
  // The region's outline, and its islands when asked for, as polylines.
  AcDbObjectId makeRegion(const BoundaryRegion& region);

  AcDbDatabase& m_database;
  BoundaryOptions m_options;
  BoundaryFinder m_finder;
};
