// How wide a polyline is drawn: its constant width as a stroke, or, where
// its segments taper, each segment as a filled band from its start width
// to its end width, in its own units.
#pragma once

#include <vector>

#include "AcGePoint2d.h"

class AcDbEntity;
class PathData;

class PolylineWidth {
 public:
  struct Segment {
    AcGePoint2d start, end;
    double bulge = 0.0;
    double startWidth = 0.0, endWidth = 0.0;
  };

  // 0 for an entity that is no polyline or has no width; the mean of the
  // segments' widths for one that tapers.
  static double of(const AcDbEntity& entity);
  // The segments of a light or old-style polyline with the widths they are
  // drawn at; empty for other entities.
  static std::vector<Segment> segments(const AcDbEntity& entity);
  static bool tapers(const std::vector<Segment>& segments);
  // Each segment's band, to be filled, in the polyline's plane.
  static void addOutline(const std::vector<Segment>& segments, PathData& path);
};
