// One boundary loop of a hatch, in the hatch's own plane: either a
// polyline (vertices with bulges) or a chain of edges, with the loop type
// flags and the boundary objects it came from.
#pragma once

#include <string>
#include <vector>

#include "AcDbExtents.h"
#include "AcDbObjectId.h"
#include "AcGePoint2d.h"
#include "DxfTag.h"
#include "DxfTagList.h"

class DxfInFiler;
class DxfOutFiler;

struct HatchEdge {
  enum Type { kLine = 1, kCirArc = 2, kEllArc = 3, kSpline = 4 };

  // A line from start to end.
  static HatchEdge line(const AcGePoint2d& start, const AcGePoint2d& end);
  // A circular arc from startAngle to endAngle, counter-clockwise, in
  // radians; a clockwise arc runs the other way round between them.
  static HatchEdge arc(const AcGePoint2d& center, double radius, double startAngle, double endAngle,
                       bool clockwise = false);

  double startAngle() const;
  double endAngle() const;
  bool isClockwise() const { return !ccw; }
  void addTo(AcDbExtents& extents) const;

  int type = kLine;
  AcGePoint2d start, end;  // a line
  AcGePoint2d center;      // an arc
  double radius = 0.0;
  // As the file has them: degrees, mirrored for a clockwise arc.
  double fileStart = 0.0, fileEnd = 360.0;
  bool ccw = true;
  // Elliptic arcs and splines as read, after their edge type; codes of
  // lines and arcs beyond their geometry.
  DxfTagList tags;
};

class HatchLoop {
 public:
  enum LoopType {
    kDefault = 0, kExternal = 1, kPolyline = 2, kDerived = 4, kTextbox = 8, kOutermost = 0x10,
    kNotClosed = 0x20, kSelfIntersecting = 0x40, kTextIsland = 0x80, kDuplicate = 0x100
  };

  static HatchLoop polyline(int type, const AcGePoint2dArray& vertices, const std::vector<double>& bulges);
  static HatchLoop edges(int type, const std::vector<HatchEdge>& edges);

  int type() const { return m_type; }
  bool isPolyline() const { return (m_type & kPolyline) != 0; }
  const AcGePoint2dArray& vertices() const { return m_vertices; }
  const std::vector<double>& bulges() const { return m_bulges; }
  const std::vector<HatchEdge>& edgeList() const { return m_edges; }
  const AcDbObjectIdArray& sources() const { return m_sources; }
  void setSources(const AcDbObjectIdArray& sources) { m_sources = sources; }
  // The box around the loop in the hatch's plane (z 0).
  void addTo(AcDbExtents& extents) const;

  // tags: one boundary path, from its 92 to the tag before the next.
  static HatchLoop read(const DxfTag* begin, const DxfTag* end, DxfInFiler& in);
  void write(DxfOutFiler& out) const;

 private:
  void readPolyline(const DxfTag* begin, const DxfTag* end, DxfInFiler& in);
  void readEdges(const DxfTag* begin, const DxfTag* end, DxfInFiler& in);
  void writePolyline(DxfOutFiler& out) const;

  int m_type = kDefault;
  AcGePoint2dArray m_vertices;
  std::vector<double> m_bulges;
  bool m_hasBulgeFlag = false;
  bool m_closedFlag = true;
  std::vector<HatchEdge> m_edges;
  AcDbObjectIdArray m_sources;
  DxfTagList m_carried;  // codes of the path the platform does not know
};
