#include "SvgCanvas.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "PathData.h"
#include "SvgNumber.h"

namespace {

// How many thinnest lines wide a point's dot is.
constexpr double kDotLines = 3.0;

}  // namespace

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

pugi::xml_node SvgCanvas::addDefinition(const char* element, std::string& reference) {
  const std::string id = "def" + std::to_string(++m_definitions);
  pugi::xml_node definition = m_defs.append_child(element);
  definition.append_attribute("id") = id.c_str();
  reference = "url(#" + id + ")";
  return definition;
}

void SvgCanvas::setLineweight(pugi::xml_node element, int weight) {
  addClass(element, "lw" + std::to_string(weight));
  m_weights.insert(weight);
}

void SvgCanvas::setDot(pugi::xml_node element) {
  addClass(element, "dot");
  m_dots = true;
}

void SvgCanvas::setWidth(pugi::xml_node element, double width) {
  const auto found = m_widths.emplace(width, static_cast<int>(m_widths.size())).first;
  addClass(element, "pw" + std::to_string(found->second));
}

void SvgCanvas::addClass(pugi::xml_node element, const std::string& name) {
  pugi::xml_attribute classes = element.attribute("class");
  if (!classes) classes = element.append_attribute("class");
  const std::string before = classes.value();
  classes = (before.empty() ? name : before + " " + name).c_str();
}

void SvgCanvas::include(const AcDbExtents& box) {
  if (box.isValid()) m_extents.addExt(box);
}

void SvgCanvas::finish(const PlotSettings::View& view, const std::optional<AcDbExtents>& clip) {
  const double top = -(view.bottom + view.height);
  std::string box;
  for (double value : {view.left, top, view.width, view.height}) {
    if (!box.empty()) box += ' ';
    SvgNumber::append(box, value);
  }
  const std::string unit = view.onSheet ? "mm" : "";
  m_svg.append_attribute("width") = (SvgNumber::text(view.pageWidth) + unit).c_str();
  m_svg.append_attribute("height") = (SvgNumber::text(view.pageHeight) + unit).c_str();
  m_svg.append_attribute("viewBox") = box.c_str();
  // Lines without a lineweight: a pixel on screen, the default 0.25 mm on paper.
  const double thin = view.onSheet ? 0.25 * view.unitsPerMm : view.width / view.pageWidth;
  m_drawing.append_attribute("stroke-width") = SvgNumber::text(thin).c_str();
  // Elements drawn wider name their lineweight; the widths follow the view.
  std::string widths;
  if (m_dots) {
    widths += ".dot{stroke-width:";
    SvgNumber::append(widths, kDotLines * thin);
    widths += "}";
  }
  for (int weight : m_weights) {
    widths += ".lw" + std::to_string(weight) + "{stroke-width:";
    SvgNumber::append(widths, std::max(thin, weight / 100.0 * view.unitsPerMm));
    widths += "}";
  }
  // Written after the lineweights, so a polyline's width wins over them.
  for (const auto& [width, index] : m_widths) {
    widths += ".pw" + std::to_string(index) + "{stroke-width:";
    SvgNumber::append(widths, std::max(thin, width));
    widths += "}";
  }
  if (!widths.empty()) m_defs.append_child("style").append_child(pugi::node_pcdata).set_value(widths.c_str());
  if (clip) {
    PathData window(AcGeMatrix3d::kIdentity);
    const AcGePoint3d low = clip->minPoint(), high = clip->maxPoint();
    window.moveTo(AcGePoint2d(low.x, low.y));
    for (const AcGePoint2d& corner : {AcGePoint2d(high.x, low.y), AcGePoint2d(high.x, high.y), AcGePoint2d(low.x, high.y)})
      window.lineTo(corner);
    window.close();
    m_drawing.append_attribute("clip-path") = addClipPath(window).c_str();
  }
  pugi::xml_node background = m_svg.insert_child_before("rect", m_drawing);
  background.append_attribute("x") = SvgNumber::text(view.left).c_str();
  background.append_attribute("y") = SvgNumber::text(top).c_str();
  background.append_attribute("width") = SvgNumber::text(view.width).c_str();
  background.append_attribute("height") = SvgNumber::text(view.height).c_str();
  background.append_attribute("fill") = "#ffffff";
}

std::string SvgCanvas::text() const {
  std::ostringstream out;
  // XML holds no control characters, which a file's texts may (a caret-encoded
  // "^A"): a reader would refuse the whole picture for one.
  m_document.save(out, "", pugi::format_raw | pugi::format_skip_control_chars);
  return out.str();
}
