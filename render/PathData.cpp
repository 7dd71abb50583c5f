#include "PathData.h"

#include <algorithm>
#include <cmath>

#include "AcGeConstants.h"
#include "SvgNumber.h"

namespace {

// Arcs drawn as chords under a transform that makes ellipses of them.
constexpr double kChordAngle = kPi / 36.0;

// An arc given by its chord and bulge: centre, radius, the angle of its
// start and the signed angle it turns through.
struct ArcGeometry {
  static ArcGeometry of(double startX, double startY, double endX, double endY, double bulge);
  double centreX = 0.0, centreY = 0.0, radius = 0.0, from = 0.0, included = 0.0;
};

}  // namespace

PathData::PathData(const AcGeMatrix3d& toWorld)
    : m_toWorld(toWorld),
      m_keepsCircles(false),
      m_mirrors(toWorld(0, 0) * toWorld(1, 1) - toWorld(0, 1) * toWorld(1, 0) < 0.0),
      m_scale(std::hypot(toWorld(0, 0), toWorld(1, 0))) {
  // Seen from above, only the x-y part of the transform matters.
  const double ax = toWorld(0, 0), ay = toWorld(1, 0), bx = toWorld(0, 1), by = toWorld(1, 1);
  const double tolerance = 1e-9 * std::max(1.0, ax * ax + ay * ay);
  m_keepsCircles = std::fabs(ax * ax + ay * ay - bx * bx - by * by) <= tolerance &&
                   std::fabs(ax * bx + ay * by) <= tolerance && m_scale > 0.0;
}

AcGePoint3d PathData::place(const AcGePoint2d& point) { return place(AcGePoint3d(point.x, point.y, 0.0)); }

AcGePoint3d PathData::place(const AcGePoint3d& point) {
  const AcGePoint3d world = m_toWorld * point;
  if (!std::isfinite(world.x) || !std::isfinite(world.y)) m_finite = false;
  else m_extents.addPoint(AcGePoint3d(world.x, world.y, 0.0));
  return world;
}

void PathData::append(char command, const AcGePoint3d& world) {
  const AcGePoint3d seen(world.x, world.y, 0.0);
  m_steps.push_back(Step{seen, 0.0, command == 'M'});
  if (command == 'M') m_subpathStart = seen;
  m_data += command;
  SvgNumber::append(m_data, world.x);
  m_data += ',';
  SvgNumber::append(m_data, -world.y);
}

void PathData::moveTo(const AcGePoint2d& point) {
  append('M', place(point));
  m_current = point;
}

void PathData::lineTo(const AcGePoint2d& point, double bulge) {
  const double chord = std::hypot(point.x - m_current.x, point.y - m_current.y);
  if (std::fabs(bulge) < 1e-9 || chord <= 0.0 || !std::isfinite(bulge)) {
    append('L', place(point));
  } else if (!m_keepsCircles) {
    tessellate(point, bulge);
  } else {
    const double radius = chord * (1.0 + bulge * bulge) / (4.0 * std::fabs(bulge)) * m_scale;
    // The picture's y axis points down: an arc counter-clockwise in the
    // drawing runs the negative way round there.
    const double worldBulge = m_mirrors ? -bulge : bulge;
    const AcGePoint3d start = m_toWorld * AcGePoint3d(m_current.x, m_current.y, 0.0);
    const AcGePoint3d end = place(point);
    m_data += 'A';
    SvgNumber::append(m_data, radius);
    m_data += ',';
    SvgNumber::append(m_data, radius);
    m_data += std::fabs(bulge) > 1.0 ? " 0 1," : " 0 0,";
    m_data += worldBulge > 0.0 ? "0 " : "1 ";
    SvgNumber::append(m_data, end.x);
    m_data += ',';
    SvgNumber::append(m_data, -end.y);
    addArcExtents(start, end, worldBulge);
    m_steps.push_back(Step{AcGePoint3d(end.x, end.y, 0.0), worldBulge, false});
  }
  m_current = point;
}

ArcGeometry ArcGeometry::of(double startX, double startY, double endX, double endY, double bulge) {
  ArcGeometry arc;
  arc.included = 4.0 * std::atan(bulge);
  const double chord = std::hypot(endX - startX, endY - startY);
  arc.radius = chord / (2.0 * std::sin(std::fabs(arc.included) / 2.0));
  // The centre lies left of the chord for a counter-clockwise arc.
  const double toCentre = arc.radius * std::cos(arc.included / 2.0) * (bulge > 0.0 ? 1.0 : -1.0);
  arc.centreX = (startX + endX) / 2.0 - toCentre * (endY - startY) / chord;
  arc.centreY = (startY + endY) / 2.0 + toCentre * (endX - startX) / chord;
  arc.from = std::atan2(startY - arc.centreY, startX - arc.centreX);
  return arc;
}

void PathData::addArcExtents(const AcGePoint3d& start, const AcGePoint3d& end, double bulge) {
  const ArcGeometry arc = ArcGeometry::of(start.x, start.y, end.x, end.y, bulge);
  const double low = std::min(arc.from, arc.from + arc.included), high = std::max(arc.from, arc.from + arc.included);
  for (double quarter = std::ceil(low / (kPi / 2.0)) * (kPi / 2.0); quarter < high; quarter += kPi / 2.0)
    m_extents.addPoint(AcGePoint3d(arc.centreX + arc.radius * std::cos(quarter),
                                   arc.centreY + arc.radius * std::sin(quarter), 0.0));
}

void PathData::tessellate(const AcGePoint2d& end, double bulge) {
  const ArcGeometry arc = ArcGeometry::of(m_current.x, m_current.y, end.x, end.y, bulge);
  const int steps = std::max(2, static_cast<int>(std::ceil(std::fabs(arc.included) / kChordAngle)));
  for (int step = 1; step < steps; ++step) {
    const double angle = arc.from + arc.included * step / steps;
    append('L', place(AcGePoint2d(arc.centreX + arc.radius * std::cos(angle),
                                  arc.centreY + arc.radius * std::sin(angle))));
  }
  append('L', place(end));
}

void PathData::moveTo(const AcGePoint3d& point) {
  append('M', place(point));
  m_current = AcGePoint2d(point.x, point.y);
}

void PathData::lineTo(const AcGePoint3d& point) {
  append('L', place(point));
  m_current = AcGePoint2d(point.x, point.y);
}

void PathData::close() {
  m_data += 'Z';
  m_steps.push_back(Step{m_subpathStart, 0.0, false});
}

void PathData::arc(const AcGePoint2d& center, double radius, double startAngle, double endAngle) {
  double sweep = std::fmod(endAngle - startAngle, 2.0 * kPi);
  if (sweep <= 0.0) sweep += 2.0 * kPi;
  arcFrom(center, radius, startAngle, sweep, false);
}

void PathData::arcFrom(const AcGePoint2d& center, double radius, double startAngle, double sweep, bool goesOn) {
  const auto at = [&](double angle) {
    return AcGePoint2d(center.x + radius * std::cos(angle), center.y + radius * std::sin(angle));
  };
  if (goesOn) lineTo(at(startAngle));
  else moveTo(at(startAngle));
  // Halves: one bulge cannot say a full turn.
  lineTo(at(startAngle + sweep / 2.0), std::tan(sweep / 8.0));
  lineTo(at(startAngle + sweep), std::tan(sweep / 8.0));
}

void PathData::circle(const AcGePoint2d& center, double radius) {
  arc(center, radius, 0.0, 2.0 * kPi);
  close();
}
