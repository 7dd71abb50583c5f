// The outline of a curve entity as path data: lines, arcs, circles,
// ellipses, splines, polylines with their arcs, points and the corners of
// solids.  Ellipses and splines are followed closely enough that no chord
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
  // Empty for an entity that is not a curve.
  static std::optional<PathData> of(const AcDbEntity& entity, const AcGeMatrix3d& toWorld);

 private:
  static void addEllipse(const AcDbEllipse& ellipse, PathData& path);
  static void addSpline(const AcDbSpline& spline, PathData& path);
};
