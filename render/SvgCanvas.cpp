#include "SvgCanvas.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "PathData.h"
#include "SvgNumber.h"

SvgCanvas::SvgCanvas() {
  m_svg = m_document.append_child("svg");
  m_svg.append_attribute("xmlns") = "http://www.w3.org/2000/svg";
  m_svg.append_attribute("version") = "1.1";
  m_defs = m_svg.append_child("defs");
  m_drawing = m_svg.append_child("g");
  m_drawing.append_attribute("id") = "model";
  m_drawing.append_attribute("fill") = "none";
  m_drawing.append_attribute("stroke-linecap") = "round";
  m_drawing.append_attribute("stroke-linejoin") = "round";
}

pugi::xml_node SvgCanvas::addPath(pugi::xml_node parent, const PathData& path) {
  if (!path.isDrawable()) return pugi::xml_node();
  include(path.extents());
  pugi::xml_node element = parent.append_child("path");
  element.append_attribute("d") = path.data().c_str();
  return element;
}

std::string SvgCanvas::addClipPath(const PathData& path) {
  const std::string id = "clip" + std::to_string(++m_clips);
  pugi::xml_node clip = m_defs.append_child("clipPath");
  clip.append_attribute("id") = id.c_str();
  pugi::xml_node area = clip.append_child("path");
  area.append_attribute("d") = path.data().c_str();
  area.append_attribute("clip-rule") = "evenodd";
  return "url(#" + id + ")";
}

void SvgCanvas::include(const AcDbExtents& box) {
  if (box.isValid()) m_extents.addExt(box);
}

void SvgCanvas::finish(int pixels) {
  // An empty drawing shows the unit square, as a fresh drawing's view does.
  const AcGePoint3d low = m_extents.isValid() ? m_extents.minPoint() : AcGePoint3d(0, 0, 0);
  const AcGePoint3d high = m_extents.isValid() ? m_extents.maxPoint() : AcGePoint3d(1, 1, 0);
  double sizeX = high.x - low.x, sizeY = high.y - low.y;
  const double longer = std::max({sizeX, sizeY, 1e-9});
  const double margin = longer * 0.02;
  sizeX = std::max(sizeX, longer / 100.0) + 2.0 * margin;
  sizeY = std::max(sizeY, longer / 100.0) + 2.0 * margin;
  const double centreX = (low.x + high.x) / 2.0, centreY = (low.y + high.y) / 2.0;
  const double left = centreX - sizeX / 2.0, top = -(centreY + sizeY / 2.0);
  const double pixel = std::max(sizeX, sizeY) / pixels;
  m_width = std::max(1, static_cast<int>(std::lround(sizeX / pixel)));
  m_height = std::max(1, static_cast<int>(std::lround(sizeY / pixel)));

  std::string box;
  for (double value : {left, top, sizeX, sizeY}) {
    if (!box.empty()) box += ' ';
    SvgNumber::append(box, value);
  }
  m_svg.append_attribute("width") = m_width;
  m_svg.append_attribute("height") = m_height;
  m_svg.append_attribute("viewBox") = box.c_str();
  // One pixel wide lines, as the host shows lines without lineweight.
  m_drawing.append_attribute("stroke-width") = SvgNumber::text(pixel).c_str();
  pugi::xml_node background = m_svg.insert_child_before("rect", m_drawing);
  background.append_attribute("x") = SvgNumber::text(left).c_str();
  background.append_attribute("y") = SvgNumber::text(top).c_str();
  background.append_attribute("width") = SvgNumber::text(sizeX).c_str();
  background.append_attribute("height") = SvgNumber::text(sizeY).c_str();
  background.append_attribute("fill") = "#ffffff";
}

std::string SvgCanvas::text() const {
  std::ostringstream out;
  m_document.save(out, "", pugi::format_raw);
  return out.str();
}
