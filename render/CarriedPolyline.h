// The lines of a POLYLINE the platform carries as read, from its vertices'
// tags, seen from above: a 3-D polyline through its vertices (not its
// spline frame), a polygon mesh as its grid of rows and columns, a polyface
// mesh as its faces' visible edges.
#pragma once

class AcDbUnmodelledEntity;
class PathData;

class CarriedPolyline {
 public:
  static void add(const AcDbUnmodelledEntity& polyline, PathData& path);
};
