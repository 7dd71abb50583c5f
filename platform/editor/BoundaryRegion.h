// What the boundary finder hands back: closed loops as a light polyline
// holds them, so that an arc of the linework stays an arc (a bulge) and
// areas come out exact.
#pragma once
#include <vector>

#include "AcGePoint2d.h"

struct BoundaryLoop {
  std::vector<AcGePoint2d> points;
  std::vector<double> bulges;  // of the segment starting at each point

  // Positive, bulges included.
  double area() const;
};

struct BoundaryRegion {
  BoundaryLoop outline;
  std::vector<BoundaryLoop> islands;  // columns, shafts: holes in the region
};

// One piece of linework in world XY: a straight segment, or an arc turning
// counter-clockwise from startAngle to endAngle (a circle when they differ
// by a full turn).
struct BoundaryCurve {
  enum class Kind { Segment, Arc };
  Kind kind = Kind::Segment;
  AcGePoint2d start, end;
  AcGePoint2d centre;
  double radius = 0.0;
  double startAngle = 0.0;
  double endAngle = 0.0;

  static BoundaryCurve segment(const AcGePoint2d& start, const AcGePoint2d& end);
  static BoundaryCurve arc(const AcGePoint2d& centre, double radius, double startAngle, double endAngle);
  // The arc a polyline segment with a bulge describes.
  static BoundaryCurve bulged(const AcGePoint2d& start, const AcGePoint2d& end, double bulge);
};
