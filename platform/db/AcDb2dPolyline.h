// The old-style 2-D polyline (POLYLINE): its vertices are entities of
// their own (AcDb2dVertex), owned by the polyline and closed by a SEQEND,
// in the plane of its normal at its elevation.  Measured like the
// lightweight polyline; spline frame vertices are not part of the curve.
#pragma once

#include <memory>

#include "AcDbCurve.h"
#include "AcDbObjectIterator.h"
#include "AcGeVector3d.h"

class AcDb2dVertex;
class AcDbPolyline;

namespace AcDb {
enum Poly2dType { k2dSimplePoly = 0, k2dFitCurvePoly = 1, k2dQuadSplinePoly = 2, k2dCubicSplinePoly = 3 };
}

class AcDb2dPolyline : public AcDbCurve {
  ACRX_DECLARE_MEMBERS(AcDb2dPolyline)

 public:
  AcDb2dPolyline();

  AcDb::Poly2dType polyType() const;
  // The polyline must be in a database; the vertex is given to it and left
  // open for write.
  Acad::ErrorStatus appendVertex(AcDbObjectId& vertexId, AcDb2dVertex* vertex);
  Acad::ErrorStatus appendVertex(AcDb2dVertex* vertex);
  std::unique_ptr<AcDbObjectIterator> vertexIterator() const;
  const AcDbObjectIdArray& vertexIds() const { return m_vertices; }
  // A vertex's position in world coordinates.
  AcGePoint3d vertexPosition(const AcDb2dVertex& vertex) const;
  AcDbObjectId sequenceEnd() const { return m_sequenceEnd; }

  bool isClosed() const override { return (m_flags & kClosed) != 0; }
  Acad::ErrorStatus makeClosed();
  Acad::ErrorStatus makeOpen();
  double elevation() const { return m_elevation; }
  Acad::ErrorStatus setElevation(double elevation);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
  double thickness() const { return m_thickness; }
  Acad::ErrorStatus setThickness(double thickness);
  // Widths of vertices that give none.
  double defaultStartWidth() const { return m_startWidth; }
  double defaultEndWidth() const { return m_endWidth; }
  Acad::ErrorStatus setDefaultStartWidth(double width);
  Acad::ErrorStatus setDefaultEndWidth(double width);
  bool isLinetypeGenerationOn() const { return (m_flags & kLinetypeGeneration) != 0; }
  Acad::ErrorStatus setLinetypeGenerationOn();
  Acad::ErrorStatus setLinetypeGenerationOff();

  // Parameter i is vertex i (frame vertices left out), as for AcDbPolyline.
  Acad::ErrorStatus getEndParam(double& param) const override;
  Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
  Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
  Acad::ErrorStatus getArea(double& area) const override;
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  // Moves the vertices too, opening each for write.
  Acad::ErrorStatus transformBy(const AcGeMatrix3d& transform) override;
  void adoptFollower(AcDbObjectId follower, bool sequenceEnd) override;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  static constexpr int kClosed = 1;
  static constexpr int kLinetypeGeneration = 128;

  Acad::ErrorStatus setFlag(int flag, bool on);
  // The curve the vertices make, as a lightweight polyline.
  std::unique_ptr<AcDbPolyline> curve() const;

  AcDbObjectIdArray m_vertices;
  AcDbObjectId m_sequenceEnd;
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
  double m_elevation = 0.0;
  double m_thickness = 0.0;
  double m_startWidth = 0.0;
  double m_endWidth = 0.0;
  Adesk::Int16 m_flags = 0;
  Adesk::Int16 m_curveType = 0;
};
