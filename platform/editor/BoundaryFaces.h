// The faces of a set of curves: the linework noded on a fine grid (GEOS's
// snap-rounding union, robust where floating-point noding is not) and
// polygonized into faces with their holes.
#pragma once
#include <vector>

#include "BoundaryArcs.h"
#include "GeosContext.h"

class BoundaryFaces {
 public:
  explicit BoundaryFaces(const std::vector<BoundaryCurve>& curves);

  struct Face {
    GeosContext::Geometry polygon;
    GeosContext::Geometry shell;  // the polygon without its holes
    AcGePoint2d inside;           // a point inside the polygon
    double minX, minY, maxX, maxY;
    double area;
    double holeArea;
  };
  const std::vector<Face>& faces() const { return m_faces; }
  bool contains(const Face& face, const AcGePoint2d& point) const;
  // The diameter of the largest circle inside the face.
  double width(const Face& face) const;
  // True when inner lies in one of outer's holes.
  bool inHole(const Face& inner, const Face& outer) const;
  BoundaryRegion region(const Face& face) const;

 private:
  static double gridFor(const std::vector<BoundaryCurve>& curves);
  GeosContext::Geometry linework(const std::vector<BoundaryCurve>& curves);
  void addFace(const GEOSGeometry* polygon);
  bool holds(const GEOSGeometry* polygon, const AcGePoint2d& point) const;
  std::vector<AcGePoint2d> ringPoints(const GEOSGeometry* ring) const;

  GeosContext m_geos;
  BoundaryArcs m_arcs;
  std::vector<Face> m_faces;
};
