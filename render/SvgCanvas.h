// The picture being drawn: an SVG document whose coordinates are the
// drawing's (y turned down), sized at the end to its view.
#pragma once

#include <map>
#include <set>
#include <string>

#include <pugixml.hpp>

#include <optional>

#include "AcDbExtents.h"
#include "PlotSettings.h"

class PathData;

class SvgCanvas {
 public:
  SvgCanvas();
  SvgCanvas(const SvgCanvas&) = delete;
  SvgCanvas& operator=(const SvgCanvas&) = delete;

  // The group every drawn entity goes into.
  pugi::xml_node drawing() const { return m_drawing; }
  // A path under the parent, stroked by default; an empty node when the
  // path is not drawable.
  pugi::xml_node addPath(pugi::xml_node parent, const PathData& path);
  // A clip path of the area inside the path, holes by the even-odd rule;
  // its reference for a clip-path attribute.
  std::string addClipPath(const PathData& path);
  // A definition (a gradient ...) of the picture, and the url() by which
  // attributes name it.
  pugi::xml_node addDefinition(const char* element, std::string& reference);
  // Strokes the element's lines that many hundredths of a millimetre wide
  // on the page (on screen, at 96 pixels to the inch).
  void setLineweight(pugi::xml_node element, int weight);
  // Strokes the element's lines that wide in drawing units, never thinner
  // than the thinnest line; over its lineweight.
  void setWidth(pugi::xml_node element, double width);
  // A point's dot, drawn three thinnest lines wide so that it shows at
  // any scale; a lineweight of its own is wider still.
  void setDot(pugi::xml_node element);
  // Counts towards the extents without drawing anything.
  void include(const AcDbExtents& box);

  // The box around everything drawn; invalid when nothing was.
  const AcDbExtents& extents() const { return m_extents; }
  // For what is drawn but shown only in part, as in a viewport.
  void setExtents(const AcDbExtents& extents) { m_extents = extents; }
  // Sizes the picture to the view, on a white background, showing only
  // what lies in the clip box when there is one.
  void finish(const PlotSettings::View& view, const std::optional<AcDbExtents>& clip);
  std::string text() const;
  const pugi::xml_document& document() const { return m_document; }

 private:
  static void addClass(pugi::xml_node element, const std::string& name);

  pugi::xml_document m_document;
  pugi::xml_node m_svg;
  pugi::xml_node m_defs;
  pugi::xml_node m_drawing;
  AcDbExtents m_extents;
  int m_clips = 0;
  int m_definitions = 0;
  std::set<int> m_weights;
  bool m_dots = false;
  // The class number of each width.
  std::map<double, int> m_widths;
};
