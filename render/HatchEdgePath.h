// One edge of a hatch loop as path data in the hatch's plane: a line, a
// circular or elliptic arc, or a spline, followed from its start to its
// end whichever way round it turns.
#pragma once

struct HatchEdge;
class PathData;

class HatchEdgePath {
 public:
  // goesOn: the edge joins the one before it, else it starts the loop.
  static void add(const HatchEdge& edge, bool goesOn, PathData& path);

 private:
  static void addArc(const HatchEdge& edge, bool goesOn, PathData& path);
  static void addEllipse(const HatchEdge& edge, bool goesOn, PathData& path);
  static void addSpline(const HatchEdge& edge, bool goesOn, PathData& path);
};
