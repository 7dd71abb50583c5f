#include "HatchPainter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "AcDbHatch.h"
#include "HatchEdgePath.h"
#include "HatchGradient.h"
#include "LineClip.h"
#include "PathData.h"
#include "SvgCanvas.h"
#include "SvgNumber.h"

namespace {

// More lines than this in one hatch lie closer than a picture can show
// apart; the hatch is then shown filled, as it looks on screen.
constexpr long long kMaxLines = 20000;

struct Family {
  double angle = 0.0, baseX = 0.0, baseY = 0.0, offsetX = 0.0, offsetY = 0.0;
  AcGeDoubleArray dashes;
};

// SVG dash arrays alternate dash and gap and start with a dash; a pattern's
// dashes are positive, gaps negative and dots 0.
std::string dashArray(const AcGeDoubleArray& dashes, double scale) {
  std::vector<double> lengths;
  for (double dash : dashes) {
    const bool isGap = dash < 0.0;
    if (isGap != (lengths.size() % 2 == 1)) lengths.push_back(0.0);
    lengths.push_back(std::fabs(dash) * scale);
  }
  if (lengths.size() % 2 == 1) lengths.push_back(0.0);
  std::string text;
  for (double length : lengths) {
    if (!text.empty()) text += ' ';
    SvgNumber::append(text, length);
  }
  return text;
}

double patternLength(const AcGeDoubleArray& dashes) {
  double length = 0.0;
  for (double dash : dashes) length += std::fabs(dash);
  return length;
}

}  // namespace

void HatchPainter::addLoops(const AcDbHatch& hatch, PathData& path) {
  for (int index = 0; index < hatch.numLoops(); ++index) {
    Adesk::Int32 type = 0;
    AcGePoint2dArray vertices;
    AcGeDoubleArray bulges;
    std::vector<HatchEdge> edges;
    if (hatch.getLoopAt(index, type, vertices, bulges) == Acad::eOk) {
      if (vertices.empty()) continue;
      path.moveTo(vertices.front());
      for (size_t i = 1; i <= vertices.size(); ++i)
        path.lineTo(vertices[i % vertices.size()], i - 1 < bulges.size() ? bulges[i - 1] : 0.0);
      path.close();
      continue;
    }
    if (hatch.getLoopAt(index, type, edges) != Acad::eOk || edges.empty()) continue;
    for (size_t edge = 0; edge < edges.size(); ++edge) HatchEdgePath::add(edges[edge], edge > 0, path);
    path.close();
  }
}

pugi::xml_node HatchPainter::fill(const PathData& loops, const std::string& colour, pugi::xml_node parent) {
  pugi::xml_node element = m_canvas.addPath(parent, loops);
  if (!element) return element;
  element.append_attribute("fill") = colour.c_str();
  element.append_attribute("fill-rule") = "evenodd";
  element.append_attribute("stroke") = "none";
  return element;
}

pugi::xml_node HatchPainter::drawPattern(const AcDbHatch& hatch, const AcGeMatrix3d& toPlane, const PathData& loops,
                                         const std::string& colour, pugi::xml_node parent) {
  PathData inPlane(AcGeMatrix3d::kIdentity);
  addLoops(hatch, inPlane);
  const AcDbExtents box = inPlane.extents();
  if (!box.isValid()) return pugi::xml_node();
  std::vector<Family> families(static_cast<size_t>(hatch.numPatternDefinitions()));
  long long lines = 0;
  for (int index = 0; index < hatch.numPatternDefinitions(); ++index) {
    Family& family = families[static_cast<size_t>(index)];
    hatch.getPatternDefinitionAt(index, family.angle, family.baseX, family.baseY, family.offsetX, family.offsetY,
                                 family.dashes);
    const double nx = -std::sin(family.angle), ny = std::cos(family.angle);
    const double spacing = family.offsetX * nx + family.offsetY * ny;
    const double size = std::max(box.maxPoint().x - box.minPoint().x, box.maxPoint().y - box.minPoint().y);
    if (!(std::fabs(spacing) > size / kMaxLines)) return pugi::xml_node();
    lines += static_cast<long long>(size * std::sqrt(2.0) / std::fabs(spacing)) + 1;
    if (lines > kMaxLines) return pugi::xml_node();
  }

  pugi::xml_node group = parent.append_child("g");
  group.append_attribute("clip-path") = m_canvas.addClipPath(loops).c_str();
  group.append_attribute("stroke") = colour.c_str();
  for (const Family& family : families) {
    const double dx = std::cos(family.angle), dy = std::sin(family.angle);
    const double nx = -dy, ny = dx;
    const double spacing = family.offsetX * nx + family.offsetY * ny;
    const double base = family.baseX * nx + family.baseY * ny;
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (double x : {box.minPoint().x, box.maxPoint().x})
      for (double y : {box.minPoint().y, box.maxPoint().y}) {
        const double across = (x * nx + y * ny - base) / spacing;
        low = std::min(low, across);
        high = std::max(high, across);
      }
    const double length = patternLength(family.dashes);
    PathData path(toPlane);
    for (double k = std::ceil(low); k <= high; k += 1.0) {
      const AcGePoint2d origin(family.baseX + k * family.offsetX, family.baseY + k * family.offsetY);
      double from = -std::numeric_limits<double>::infinity(), to = std::numeric_limits<double>::infinity();
      if (!LineClip::toBox(AcGePoint3d(origin.x, origin.y, 0.0), dx, dy, box, from, to)) continue;
      // Dashes keep their phase from the family's base point.
      if (length > 0.0) from = std::floor(from / length) * length;
      path.moveTo(AcGePoint2d(origin.x + from * dx, origin.y + from * dy));
      path.lineTo(AcGePoint2d(origin.x + to * dx, origin.y + to * dy));
    }
    pugi::xml_node lineElement = m_canvas.addPath(group, path);
    if (lineElement && length > 0.0)
      lineElement.append_attribute("stroke-dasharray") = dashArray(family.dashes, path.scale()).c_str();
  }
  m_canvas.include(loops.extents());
  return group;
}

pugi::xml_node HatchPainter::draw(const AcDbHatch& hatch, const AcGeMatrix3d& toWorld, const std::string& colour,
                                  pugi::xml_node parent) {
  const AcGeMatrix3d toPlane = toWorld * AcGeMatrix3d::planeToWorld(hatch.normal()) *
                               AcGeMatrix3d::translation(AcGeVector3d(0.0, 0.0, hatch.elevation()));
  PathData loops(toPlane);
  addLoops(hatch, loops);
  if (!loops.isDrawable()) return pugi::xml_node();
  if (!hatch.isSolidFill()) {
    pugi::xml_node pattern = drawPattern(hatch, toPlane, loops, colour, parent);
    if (pattern) return pattern;
  }
  // A gradient is drawn in its colours, whatever the hatch's own.
  const std::optional<HatchGradient> gradient = HatchGradient::of(hatch);
  return fill(loops, gradient ? gradient->paint(m_canvas, loops.extents()) : colour, parent);
}
