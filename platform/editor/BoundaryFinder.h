// Finds the regions that linework encloses, as a CAD program's BOUNDARY
// does: the linework is noded and polygonized (GEOS), and each face comes
// back with its arcs as arcs.  Built once for a set of curves, then asked
// for the region around a point or every region in a window.
#pragma once
#include <memory>
#include <optional>
#include <vector>

#include "BoundaryFaces.h"
#include "BoundaryRegion.h"


class BoundaryFinder {
 public:
  // Openings up to gapTolerance wide are closed (0 closes none).
  BoundaryFinder(std::vector<BoundaryCurve> curves, double gapTolerance);
  ~BoundaryFinder();

  // The smallest region whose inside holds the point.
  std::optional<BoundaryRegion> around(const AcGePoint2d& point) const;
  // Every room-like region lying wholly inside the window: faces that are
  // mostly holes (the wall mass around rooms drawn with double lines),
  // faces narrower than half the gap tolerance (wall ends the gap closing
  // cut off) and faces that are islands of another region are left out.
  std::vector<BoundaryRegion> within(const AcGePoint2d& corner, const AcGePoint2d& other) const;

 private:
  bool isRoom(const BoundaryFaces::Face& face) const;

  double m_gapTolerance;
  std::unique_ptr<BoundaryFaces> m_faces;
};
