#include "HatchLoop.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "AcGeConstants.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

namespace {

double degrees(double radians) { return radians * 180.0 / kPi; }
double radians(double degrees) { return degrees * kPi / 180.0; }

AcGePoint3d at(double x, double y) { return AcGePoint3d(x, y, 0.0); }

// The arc a polyline segment of that bulge draws between its vertices.
HatchEdge bulgeArc(const AcGePoint2d& start, const AcGePoint2d& end, double bulge) {
  const double dx = end.x - start.x, dy = end.y - start.y;
  const double offset = (1.0 - bulge * bulge) / (4.0 * bulge);
  const AcGePoint2d center(start.x + dx / 2.0 - dy * offset, start.y + dy / 2.0 + dx * offset);
  const double from = std::atan2(start.y - center.y, start.x - center.x);
  const double to = std::atan2(end.y - center.y, end.x - center.x);
  const double radius = center.distanceTo(start);
  return bulge > 0.0 ? HatchEdge::arc(center, radius, from, to) : HatchEdge::arc(center, radius, to, from, true);
}

// Points of a carried edge: the centre and major axis end of an elliptic
// arc, the control points of a spline.
void addCarriedPoints(const HatchEdge& edge, AcDbExtents& extents) {
  AcGePoint2d point, axis;
  for (const DxfOwnedTag& tag : edge.tags) {
    const double value = std::strtod(tag.value.c_str(), nullptr);
    switch (tag.code) {
      case 10: point.x = value; break;
      case 20:
        point.y = value;
        if (edge.type == HatchEdge::kSpline) extents.addPoint(at(point.x, point.y));
        break;
      case 11: axis.x = value; break;
      case 21: axis.y = value; break;
    }
  }
  if (edge.type != HatchEdge::kEllArc) return;
  const double reach = std::hypot(axis.x, axis.y);
  extents.addPoint(at(point.x - reach, point.y - reach));
  extents.addPoint(at(point.x + reach, point.y + reach));
}

void carry(DxfTagList& list, const DxfTag& tag) { list.push_back({tag.code, std::string(tag.value)}); }

void writeCarried(const DxfTagList& tags, DxfOutFiler& out) {
  for (const DxfOwnedTag& tag : tags) out.tag(tag.code, tag.value);
}

}  // namespace

HatchEdge HatchEdge::line(const AcGePoint2d& start, const AcGePoint2d& end) {
  HatchEdge edge;
  edge.type = kLine;
  edge.start = start;
  edge.end = end;
  return edge;
}

HatchEdge HatchEdge::arc(const AcGePoint2d& center, double radius, double startAngle, double endAngle,
                         bool clockwise) {
  HatchEdge edge;
  edge.type = kCirArc;
  edge.center = center;
  edge.radius = radius;
  edge.ccw = !clockwise;
  edge.fileStart = clockwise ? 360.0 - degrees(endAngle) : degrees(startAngle);
  edge.fileEnd = clockwise ? 360.0 - degrees(startAngle) : degrees(endAngle);
  return edge;
}

double HatchEdge::startAngle() const { return radians(ccw ? fileStart : 360.0 - fileEnd); }

double HatchEdge::endAngle() const { return radians(ccw ? fileEnd : 360.0 - fileStart); }

void HatchEdge::addTo(AcDbExtents& extents) const {
  if (type == kLine) {
    extents.addPoint(at(start.x, start.y));
    extents.addPoint(at(end.x, end.y));
    return;
  }
  if (type != kCirArc) return addCarriedPoints(*this, extents);
  const double from = startAngle();
  double to = endAngle();
  while (to <= from) to += 2.0 * kPi;
  auto addAngle = [&](double angle) {
    extents.addPoint(at(center.x + radius * std::cos(angle), center.y + radius * std::sin(angle)));
  };
  addAngle(from);
  addAngle(to);
  for (double quadrant = std::ceil(from / (kPi / 2.0)) * (kPi / 2.0); quadrant < to; quadrant += kPi / 2.0)
    addAngle(quadrant);
}

HatchLoop HatchLoop::polyline(int type, const AcGePoint2dArray& vertices, const std::vector<double>& bulges) {
  HatchLoop loop;
  loop.m_type = type | kPolyline;
  loop.m_vertices = vertices;
  loop.m_bulges = bulges;
  loop.m_bulges.resize(vertices.size(), 0.0);
  return loop;
}

HatchLoop HatchLoop::edges(int type, const std::vector<HatchEdge>& edges) {
  HatchLoop loop;
  loop.m_type = type & ~kPolyline;
  loop.m_edges = edges;
  return loop;
}

void HatchLoop::addTo(AcDbExtents& extents) const {
  for (const HatchEdge& edge : m_edges) edge.addTo(extents);
  const size_t count = m_vertices.size();
  for (size_t i = 0; i < count; ++i) {
    extents.addPoint(at(m_vertices[i].x, m_vertices[i].y));
    const bool closing = i + 1 == count;
    if (m_bulges[i] == 0.0 || (closing && !m_closedFlag)) continue;
    const AcGePoint2d& next = m_vertices[closing ? 0 : i + 1];
    if (next != m_vertices[i]) bulgeArc(m_vertices[i], next, m_bulges[i]).addTo(extents);
  }
}

HatchLoop HatchLoop::read(const DxfTag* begin, const DxfTag* end, DxfInFiler& in) {
  HatchLoop loop;
  in.setTag(*begin);
  loop.m_type = static_cast<int>(in.integer());
  // The boundary objects close the path: a 97 count and its 330 handles.
  const DxfTag* sources = end;
  while (sources > begin + 1 && (sources - 1)->code == 330) --sources;
  if (sources > begin + 1 && (sources - 1)->code == 97) --sources;
  else sources = end;
  if (loop.isPolyline()) loop.readPolyline(begin + 1, sources, in);
  else loop.readEdges(begin + 1, sources, in);
  for (const DxfTag* tag = sources; tag < end; ++tag) {
    in.setTag(*tag);
    if (tag->code == 330) loop.m_sources.push_back(in.objectId());
  }
  return loop;
}

void HatchLoop::readPolyline(const DxfTag* begin, const DxfTag* end, DxfInFiler& in) {
  for (const DxfTag* tag = begin; tag < end; ++tag) {
    in.setTag(*tag);
    const bool inVertex = !m_vertices.empty();
    switch (tag->code) {
      case 72: m_hasBulgeFlag = in.flag(); break;
      case 73: m_closedFlag = in.flag(); break;
      case 93: m_vertices.reserve(static_cast<size_t>(std::max(0LL, std::min(in.integer(), 1LL << 20)))); break;
      case 10:
        m_vertices.emplace_back(in.real(), 0.0);
        m_bulges.push_back(0.0);
        break;
      case 20:
        if (inVertex) m_vertices.back().y = in.real();
        else carry(m_carried, *tag);
        break;
      case 42:
        if (inVertex) m_bulges.back() = in.real();
        else carry(m_carried, *tag);
        break;
      default: carry(m_carried, *tag);
    }
  }
}

void HatchLoop::readEdges(const DxfTag* begin, const DxfTag* end, DxfInFiler& in) {
  for (const DxfTag* tag = begin; tag < end; ++tag) {
    in.setTag(*tag);
    if (tag->code == 72) {
      m_edges.emplace_back();
      m_edges.back().type = static_cast<int>(in.integer());
      continue;
    }
    if (m_edges.empty()) {
      if (tag->code != 93) carry(m_carried, *tag);
      continue;
    }
    HatchEdge& edge = m_edges.back();
    const bool line = edge.type == HatchEdge::kLine, arc = edge.type == HatchEdge::kCirArc;
    const int code = tag->code;
    if ((line || arc) && code == 10) edge.start.x = edge.center.x = in.real();
    else if ((line || arc) && code == 20) edge.start.y = edge.center.y = in.real();
    else if (line && code == 11) edge.end.x = in.real();
    else if (line && code == 21) edge.end.y = in.real();
    else if (arc && code == 40) edge.radius = in.real();
    else if (arc && code == 50) edge.fileStart = in.real();
    else if (arc && code == 51) edge.fileEnd = in.real();
    else if (arc && code == 73) edge.ccw = in.flag();
    else carry(edge.tags, *tag);
  }
}

void HatchLoop::write(DxfOutFiler& out) const {
  out.integer(92, m_type);
  if (isPolyline()) {
    writePolyline(out);
  } else {
    out.integer(93, static_cast<long long>(m_edges.size()));
    for (const HatchEdge& edge : m_edges) {
      out.integer(72, edge.type);
      if (edge.type == HatchEdge::kLine) {
        out.point2d(10, edge.start.x, edge.start.y);
        out.point2d(11, edge.end.x, edge.end.y);
      } else if (edge.type == HatchEdge::kCirArc) {
        out.point2d(10, edge.center.x, edge.center.y);
        out.real(40, edge.radius);
        out.real(50, edge.fileStart);
        out.real(51, edge.fileEnd);
        out.integer(73, edge.ccw ? 1 : 0);
      }
      writeCarried(edge.tags, out);
    }
  }
  writeCarried(m_carried, out);
  out.integer(97, static_cast<long long>(m_sources.size()));
  for (const AcDbObjectId& id : m_sources) out.objectId(330, id);
}

void HatchLoop::writePolyline(DxfOutFiler& out) const {
  bool hasBulge = m_hasBulgeFlag;
  for (double bulge : m_bulges) hasBulge = hasBulge || bulge != 0.0;
  out.integer(72, hasBulge ? 1 : 0);
  out.integer(73, m_closedFlag ? 1 : 0);
  out.integer(93, static_cast<long long>(m_vertices.size()));
  for (size_t i = 0; i < m_vertices.size(); ++i) {
    out.point2d(10, m_vertices[i].x, m_vertices[i].y);
    if (hasBulge) out.real(42, m_bulges[i]);
  }
}
