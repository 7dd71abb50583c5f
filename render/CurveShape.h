// The outline of a curve entity as path data: lines, arcs, circles,
// ellipses, splines, polylines with their arcs and the corners of solids.  Ellipses and splines are followed closely enough that no chord
// strays a pixel from the curve at any size a picture is drawn.
#pragma once

#include <optional>

#include "AcGeMatrix3d.h"
#include "PathData.h"

class AcDbEntity;
class AcDbEllipse;
class AcDbSpline;

class CurveShape {
 public:
  // Empty for an entity that is not a curve.  A dashed polyline without
  // linetype generation starts its pattern afresh at every vertex.
  static std::optional<PathData> of(const AcDbEntity& entity, const AcGeMatrix3d& toWorld, bool dashed = false);
  // The area a polyline whose segments taper covers, to be filled; empty
  // for any other entity.
  static std::optional<PathData> taperedOutline(const AcDbEntity& entity, const AcGeMatrix3d& toWorld);
  // goesOn: joined to the path so far by a line, else starting anew.
  static void addSpline(const AcDbSpline& spline, PathData& path, bool goesOn = false);

 private:
  static void addEllipse(const AcDbEllipse& ellipse, PathData& path);
};
