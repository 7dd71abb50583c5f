// One vertex of an old-style 2-D polyline (VERTEX): its point in the
// polyline's plane, the bulge and widths of the segment that starts there.
#pragma once

#include "AcDbEntity.h"
#include "AcGePoint3d.h"

namespace AcDb {
enum Vertex2dType { k2dVertex = 0, k2dSplineCtlVertex = 1, k2dSplineFitVertex = 2, k2dCurveFitVertex = 3 };
}

class AcDb2dVertex : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDb2dVertex)

 public:
  AcDb2dVertex();
  // position: in the polyline's plane; its z is ignored, the polyline's elevation holds.
  explicit AcDb2dVertex(const AcGePoint3d& position, double bulge = 0.0, double startWidth = 0.0,
                        double endWidth = 0.0);

  AcDb::Vertex2dType vertexType() const;
  AcGePoint3d position() const { return m_position; }
  Acad::ErrorStatus setPosition(const AcGePoint3d& position);
  double bulge() const { return m_bulge; }
  Acad::ErrorStatus setBulge(double bulge);
  double startWidth() const { return m_startWidth; }
  Acad::ErrorStatus setStartWidth(double width);
  double endWidth() const { return m_endWidth; }
  Acad::ErrorStatus setEndWidth(double width);
  // A vertex read from a file takes its polyline's default widths for
  // those it does not give.
  void takeDefaultWidths(double startWidth, double endWidth);

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  AcGePoint3d m_position;
  double m_bulge = 0.0;
  double m_startWidth = 0.0;
  double m_endWidth = 0.0;
  bool m_startWidthRead = false;
  bool m_endWidthRead = false;
  Adesk::Int16 m_flags = 0;
};
