// A closed outline in plan as IFC draws it: its points, and segments that
// run straight from one point to the next or as an arc through a third
// point halfway along it, so arcs stay arcs.
#pragma once

#include <cstddef>
#include <vector>

#include "AcGePoint2d.h"

class AcDbPolyline;
class AcGeMatrix3d;

class CIfcOutline {
 public:
  struct Segment {
    int start;
    int middle;  // -1 for a straight segment
    int end;
  };

  // The polyline, closed, where the placement puts it, seen from above.
  // Empty when it has fewer than two distinct points.
  CIfcOutline(const AcDbPolyline& polyline, const AcGeMatrix3d& placement);

  bool empty() const { return m_segments.empty(); }
  const std::vector<AcGePoint2d>& points() const { return m_points; }
  const std::vector<Segment>& segments() const { return m_segments; }

  // Even-odd, with each arc taken as the two chords through its middle.
  bool contains(const AcGePoint2d& point) const;
  // A point inside: the middle of the widest stretch of the horizontal line
  // through the middle of the extents that lies inside the outline.
  AcGePoint2d interiorPoint() const;

 private:
  int addPoint(const AcGePoint2d& point);
  // Calls chord(a, b) for each straight segment and each half of an arc.
  template <class Chord>
  void forEachChord(Chord chord) const {
    for (const Segment& segment : m_segments) {
      const AcGePoint2d& start = m_points[static_cast<std::size_t>(segment.start)];
      const AcGePoint2d& end = m_points[static_cast<std::size_t>(segment.end)];
      if (segment.middle < 0) {
        chord(start, end);
      } else {
        chord(start, m_points[static_cast<std::size_t>(segment.middle)]);
        chord(m_points[static_cast<std::size_t>(segment.middle)], end);
      }
    }
  }

  std::vector<AcGePoint2d> m_points;
  std::vector<Segment> m_segments;
  AcGePoint2d m_minimum, m_maximum;
};
