// The geometry of one drawn thing as SVG path data.  Points come in an
// entity's own coordinates and are placed by a transform; the picture's y
// axis points down where the drawing's points up.
#pragma once

#include <string>
#include <vector>

#include "AcDbExtents.h"
#include "AcGeMatrix3d.h"
#include "AcGePoint2d.h"

class PathData {
 public:
  explicit PathData(const AcGeMatrix3d& toWorld);

  void moveTo(const AcGePoint2d& point);
  // A straight segment for bulge 0, else an arc whose bulge is the tangent
  // of a quarter of its included angle, counter-clockwise when positive.
  void lineTo(const AcGePoint2d& point, double bulge = 0.0);
  void close();
  // Counter-clockwise from startAngle to endAngle, radians.
  void arc(const AcGePoint2d& center, double radius, double startAngle, double endAngle);
  // From startAngle by sweep (negative: clockwise), joined to the path so
  // far by a line when it goes on, else starting a new one.
  void arcFrom(const AcGePoint2d& center, double radius, double startAngle, double sweep, bool goesOn);
  void circle(const AcGePoint2d& center, double radius);
  // Points in space, for curves not drawn in one plane of the transform
  // (ellipses, splines): the picture sees them from above.
  void moveTo(const AcGePoint3d& point);
  void lineTo(const AcGePoint3d& point);

  // Empty, or spoilt by a coordinate that is not a number: not worth drawing.
  bool isDrawable() const { return !m_data.empty() && m_finite; }
  const std::string& data() const { return m_data; }
  // A step of the path in the world, seen from above: a move that starts
  // a subpath, or a straight piece (bulge 0) or an arc to the point.
  struct Step {
    AcGePoint3d to;
    double bulge = 0.0;
    bool moves = false;
  };
  const std::vector<Step>& steps() const { return m_steps; }
  // The world box around everything added.
  const AcDbExtents& extents() const { return m_extents; }
  // How much longer a length is in the world than in the given coordinates.
  double scale() const { return m_scale; }

 private:
  AcGePoint3d place(const AcGePoint2d& point);
  AcGePoint3d place(const AcGePoint3d& point);
  void append(char command, const AcGePoint3d& world);
  void tessellate(const AcGePoint2d& end, double bulge);
  // The world box of an arc has its points at the quarter turns it passes.
  void addArcExtents(const AcGePoint3d& start, const AcGePoint3d& end, double bulge);

  AcGeMatrix3d m_toWorld;
  // Circles stay circles: arcs can be written as arcs.
  bool m_keepsCircles;
  bool m_mirrors;
  double m_scale;
  AcGePoint2d m_current;
  std::string m_data;
  std::vector<Step> m_steps;
  AcGePoint3d m_subpathStart;
  AcDbExtents m_extents;
  bool m_finite = true;
};
