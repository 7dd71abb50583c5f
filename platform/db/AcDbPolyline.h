// The lightweight polyline (LWPOLYLINE): vertices in the plane of its
// normal at its elevation, each with the bulge (tan of a quarter of the
// included angle) and widths of the segment that starts there.
#pragma once

#include <vector>

#include "AcDbCurve.h"
#include "AcGePoint2d.h"
#include "AcGeVector3d.h"

class AcDbPolyline : public AcDbCurve {
  ACRX_DECLARE_MEMBERS(AcDbPolyline)

 public:
  AcDbPolyline();
  explicit AcDbPolyline(unsigned int reservedVertices);

  unsigned int numVerts() const { return static_cast<unsigned int>(m_vertices.size()); }
  // A width of -1 takes the constant width.
  Acad::ErrorStatus addVertexAt(unsigned int index, const AcGePoint2d& point, double bulge = 0.0,
                                double startWidth = -1.0, double endWidth = -1.0);
  Acad::ErrorStatus removeVertexAt(unsigned int index);
  // In world coordinates.
  Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint3d& point) const;
  // In the polyline's own plane.
  Acad::ErrorStatus getPointAt(unsigned int index, AcGePoint2d& point) const;
  Acad::ErrorStatus setPointAt(unsigned int index, const AcGePoint2d& point);
  Acad::ErrorStatus getBulgeAt(unsigned int index, double& bulge) const;
  Acad::ErrorStatus setBulgeAt(unsigned int index, double bulge);
  Acad::ErrorStatus getWidthsAt(unsigned int index, double& startWidth, double& endWidth) const;
  Acad::ErrorStatus setWidthsAt(unsigned int index, double startWidth, double endWidth);
  Acad::ErrorStatus getConstantWidth(double& width) const;
  Acad::ErrorStatus setConstantWidth(double width);
  bool isOnlyLines() const;

  bool isClosed() const override { return m_closed; }
  void setClosed(bool closed);
  double elevation() const { return m_elevation; }
  void setElevation(double elevation);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
  double thickness() const { return m_thickness; }
  Acad::ErrorStatus setThickness(double thickness);
  bool hasPlinegen() const { return m_plinegen; }
  void setPlinegen(bool plinegen);

  // Parameter i is vertex i; a closed polyline ends at numVerts().
  Acad::ErrorStatus getEndParam(double& param) const override;
  Acad::ErrorStatus getPointAtParam(double param, AcGePoint3d& point) const override;
  Acad::ErrorStatus getDistAtParam(double param, double& dist) const override;
  Acad::ErrorStatus getArea(double& area) const override;
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  Acad::ErrorStatus transformBy(const AcGeMatrix3d& transform) override;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  struct Vertex {
    AcGePoint2d point;
    double bulge = 0.0;
  };
  // Widths and identifiers, kept only for polylines that have any.
  struct Widths {
    double start = 0.0;
    double end = 0.0;
    Adesk::Int32 identifier = 0;
  };
  Widths widthsAt(unsigned int index) const;
  Widths& ensureWidths(unsigned int index);
  unsigned int segmentCount() const;
  // Chord start, chord end and bulge of the segment that starts at a vertex.
  void segment(unsigned int index, AcGePoint2d& start, AcGePoint2d& end, double& bulge) const;
  AcGePoint3d toWorld(const AcGePoint2d& point) const;

  std::vector<Vertex> m_vertices;
  std::vector<Widths> m_widths;
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
  double m_elevation = 0.0;
  double m_thickness = 0.0;
  double m_constantWidth = 0.0;
  bool m_closed = false;
  bool m_plinegen = false;
  bool m_identifiers = false;
};
