// Follows a picture's path along its length: where the point a distance
// along a subpath stands and which way the path runs there, as the path
// is drawn (arcs as arcs where the picture keeps circles round).
#pragma once

#include <cstddef>
#include <vector>

#include "AcGePoint3d.h"
#include "AcGeVector3d.h"

class PathData;

class PathWalk {
 public:
  struct Station {
    AcGePoint3d point;
    AcGeVector3d direction;  // of unit length
  };

  // The path's subpaths, each walked on its own.
  static std::vector<PathWalk> subpathsOf(const PathData& path);

  double length() const { return m_length; }
  // Where the subpath is that far along it; each distance asked for is no
  // shorter than the one before, so a walk costs the subpath's pieces once.
  Station at(double distance);

 private:
  // A straight piece for bulge 0, else an arc as a polyline's segment.
  struct Piece {
    AcGePoint3d start;
    AcGePoint3d end;
    double bulge = 0.0;
    double length = 0.0;
  };

  void add(const AcGePoint3d& start, const AcGePoint3d& end, double bulge);
  static Station along(const Piece& piece, double distance);

  std::vector<Piece> m_pieces;
  double m_length = 0.0;
  std::size_t m_piece = 0;
  double m_passed = 0.0;  // the length of the pieces before m_piece
};
