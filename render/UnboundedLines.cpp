#include "UnboundedLines.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "AcDbEntity.h"
#include "CarriedTags.h"
#include "LineClip.h"
#include "PathData.h"

bool UnboundedLines::isUnbounded(const AcDbEntity& entity) {
  const std::wstring type = entity.isA()->dxfName();
  return type == L"XLINE" || type == L"RAY";
}

pugi::xml_node UnboundedLines::add(const AcDbEntity& entity, const AcGeMatrix3d& toWorld, pugi::xml_node parent) {
  const CarriedTags tags(entity.dxfTags());
  const AcGeVector3d direction = toWorld * (tags.point(11) - AcGePoint3d::kOrigin);
  const AcGePoint3d base = toWorld * tags.point(10);
  if (!(std::hypot(direction.x, direction.y) > 0.0) || !std::isfinite(base.x) || !std::isfinite(base.y))
    return pugi::xml_node();
  pugi::xml_node element = parent.append_child("path");
  m_lines.push_back({element, base, direction, std::wstring(entity.isA()->dxfName()) == L"XLINE"});
  return element;
}

void UnboundedLines::finish(const AcDbExtents& drawn) {
  AcDbExtents box = drawn;
  if (!box.isValid()) {
    for (const Line& line : m_lines) box.addPoint(line.base);
    if (!box.isValid()) return;
    box.expandBy(AcGeVector3d(1.0, 1.0, 0.0));
    box.expandBy(AcGeVector3d(-1.0, -1.0, 0.0));
  }
  for (Line& line : m_lines) {
    double from = line.bothWays ? -std::numeric_limits<double>::infinity() : 0.0;
    double to = std::numeric_limits<double>::infinity();
    if (!LineClip::toBox(line.base, line.direction.x, line.direction.y, box, from, to)) {
      line.element.parent().remove_child(line.element);
      continue;
    }
    PathData path(AcGeMatrix3d::kIdentity);
    path.moveTo(line.base + line.direction * from);
    path.lineTo(line.base + line.direction * to);
    line.element.append_attribute("d").set_value(path.data().c_str());
  }
}
