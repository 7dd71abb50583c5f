// Arcs through the polygon world of GEOS and back: each arc goes in as a
// chain of short chords whose vertices lie on it, and a ring that comes
// out is turned back into a loop whose runs of chords on one arc are one
// bulged segment again.  Vertices that were curve ends come back exactly
// as the drawing had them, not as the noding grid rounded them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "BoundaryRegion.h"

class BoundaryArcs {
 public:
  explicit BoundaryArcs(double grid);
  double grid() const { return m_grid; }

  // The points to hand to GEOS for a curve, remembered for the way back.
  std::vector<AcGePoint2d> chords(const BoundaryCurve& curve);
  // A closed ring as GEOS gives it (last point repeats the first).
  BoundaryLoop loop(const std::vector<AcGePoint2d>& ring) const;

 private:
  struct Key {
    int64_t x, y;
    bool operator==(const Key& other) const { return x == other.x && y == other.y; }
  };
  struct KeyHash {
    size_t operator()(const Key& key) const { return std::hash<int64_t>()(key.x * 73856093 ^ key.y); }
  };
  Key keyOf(const AcGePoint2d& point) const;
  void remember(const AcGePoint2d& point, int arc);
  // Where a ring's node belongs: the drawing's own vertex, or on the arc
  // one of its edges runs along.
  AcGePoint2d placed(const AcGePoint2d& point, int arc) const;
  // The arc an edge of a ring runs along, or -1 for a straight edge.
  int arcOf(const AcGePoint2d& a, const AcGePoint2d& b) const;
  bool onArc(int arc, const AcGePoint2d& point) const;
  AcGePoint2d ontoArc(int arc, const AcGePoint2d& point) const;
  double turn(int arc, const AcGePoint2d& a, const AcGePoint2d& b) const;

  struct Vertex {
    AcGePoint2d exact;
    std::vector<int> arcs;
  };
  double m_grid;
  std::vector<BoundaryCurve> m_arcs;
  std::unordered_map<Key, Vertex, KeyHash> m_vertices;
};
