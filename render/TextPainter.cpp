#include "TextPainter.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

#include "AcDbMText.h"
#include "AcDbText.h"
#include "MTextContents.h"
#include "SvgCanvas.h"
#include "SvgNumber.h"
#include "TextCodec.h"

namespace {

// Without the font's metrics: characters 0.6 of the height wide, and
// descenders a third of it below the baseline.
constexpr double kCharacterWidth = 0.6;
constexpr double kDescent = 1.0 / 3.0;
// Between the baselines of multi-line text, as the host spaces them by default.
constexpr double kLineSpacing = 5.0 / 3.0;

struct Alignment {
  const char* anchor;
  double start;     // of the text's width, from the insertion point
  double baseline;  // of the height, below the insertion point
};

Alignment alignmentOf(const AcDbText& text) {
  double baseline = 0.0;
  switch (text.verticalMode()) {
    case AcDb::kTextBottom: baseline = -kDescent; break;
    case AcDb::kTextVertMid: baseline = 0.5; break;
    case AcDb::kTextTop: baseline = 1.0; break;
    default: break;
  }
  switch (text.horizontalMode()) {
    case AcDb::kTextCenter: return {"middle", -0.5, baseline};
    case AcDb::kTextRight: return {"end", -1.0, baseline};
    case AcDb::kTextMid: return {"middle", -0.5, 0.5};
    default: return {"start", 0.0, baseline};
  }
}

// Left-aligned, aligned and fitted texts stand at their position, the
// others hang on their alignment point.
AcGePoint3d insertionOf(const AcDbText& text) {
  const AcDb::TextHorzMode horizontal = text.horizontalMode();
  const bool atPosition = (horizontal == AcDb::kTextLeft && text.verticalMode() == AcDb::kTextBase) ||
                          horizontal == AcDb::kTextAlign || horizontal == AcDb::kTextFit;
  return atPosition ? text.position() : text.alignmentPoint();
}

// Glyph space (y down, one unit a drawing unit) to the drawing.
AcGeMatrix3d frameOf(const AcDbText& text) {
  const AcGeMatrix3d plane = AcGeMatrix3d::planeToWorld(text.normal());
  const double angle = text.rotation();
  const AcGeVector3d along = plane * AcGeVector3d(std::cos(angle), std::sin(angle), 0.0);
  const AcGeVector3d up = plane * AcGeVector3d(-std::sin(angle), std::cos(angle), 0.0);
  const double factor = text.widthFactor() > 0.0 ? text.widthFactor() : 1.0;
  const AcGeVector3d x = along * factor;
  const AcGeVector3d y = -(up + along * std::tan(text.oblique()));
  AcGeMatrix3d frame;
  frame.setCoordSystem(insertionOf(text), x, y, x.crossProduct(y));
  return frame;
}

std::string transformText(const AcGeMatrix3d& glyphsToWorld) {
  // The picture's y runs down: its matrix is the drawing's with y turned over.
  const double values[] = {glyphsToWorld(0, 0), -glyphsToWorld(1, 0), glyphsToWorld(0, 1),
                           -glyphsToWorld(1, 1), glyphsToWorld(0, 3), -glyphsToWorld(1, 3)};
  std::string text = "matrix(";
  for (size_t i = 0; i < 6; ++i) {
    if (i > 0) text += ' ';
    SvgNumber::append(text, values[i]);
  }
  return text + ")";
}

}  // namespace

std::wstring TextPainter::shownText(const std::wstring& text) {
  std::wstring shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, L"%%") != 0 || i + 2 >= text.size()) {
      shown += text[i];
      continue;
    }
    switch (std::towlower(text[i + 2])) {
      case L'd': shown += L'\u00B0'; break;
      case L'p': shown += L'\u00B1'; break;
      case L'c': shown += L'\u2300'; break;
      case L'%': shown += L'%'; break;
      case L'u': case L'o': break;
      default: shown += text.substr(i, 3); break;
    }
    i += 2;
  }
  return shown;
}

pugi::xml_node TextPainter::draw(const AcDbText& text, double height, const AcGeMatrix3d& toWorld,
                                 const std::string& colour, pugi::xml_node parent) {
  const Alignment alignment = alignmentOf(text);
  return addText({shownText(text.textString())}, height, toWorld * frameOf(text), alignment.anchor, alignment.start,
                 alignment.baseline * height, colour, parent);
}

pugi::xml_node TextPainter::draw(const AcDbMText& text, const AcGeMatrix3d& toWorld, const std::string& colour,
                                 pugi::xml_node parent) {
  std::vector<std::wstring> lines = MTextContents::lines(text.contents());
  for (std::wstring& line : lines) line = shownText(line);
  const double height = text.textHeight();
  const int attachment = static_cast<int>(text.attachment()) - 1;
  const int column = attachment % 3, row = attachment / 3;
  static const char* const anchors[] = {"start", "middle", "end"};
  // The lines' block hangs from its top, middle or bottom.
  const double block = height + kLineSpacing * height * static_cast<double>(lines.size() - 1);
  const double firstBaseline = row == 0 ? height : row == 1 ? height - block / 2.0 : height - block - kDescent * height;
  AcGeMatrix3d frame;
  const AcGeVector3d x = text.direction(), y = -text.normal().crossProduct(text.direction());
  frame.setCoordSystem(text.location(), x, y, x.crossProduct(y));
  return addText(lines, height, toWorld * frame, anchors[column], -0.5 * column, firstBaseline, colour, parent);
}

pugi::xml_node TextPainter::addText(const std::vector<std::wstring>& lines, double height,
                                    const AcGeMatrix3d& glyphs, const char* anchor, double start, double baseline,
                                    const std::string& colour, pugi::xml_node parent) {
  size_t longest = 0;
  for (const std::wstring& line : lines) longest = std::max(longest, line.size());
  if (longest == 0 || !(height > 0.0) || !std::isfinite(height)) return pugi::xml_node();
  const double width = kCharacterWidth * height * static_cast<double>(longest);
  const double step = kLineSpacing * height;
  const double lastBaseline = baseline + step * static_cast<double>(lines.size() - 1);

  AcDbExtents box;
  for (double x : {start * width, (start + 1.0) * width})
    for (double y : {lastBaseline + kDescent * height, baseline - height})
      box.addPoint(glyphs * AcGePoint3d(x, y, 0.0));
  const AcGePoint3d low = box.minPoint(), high = box.maxPoint();
  if (!std::isfinite(low.x) || !std::isfinite(low.y) || !std::isfinite(high.x) || !std::isfinite(high.y))
    return pugi::xml_node();
  m_canvas.include(box);

  pugi::xml_node element = parent.append_child("text");
  element.append_attribute("transform") = transformText(glyphs).c_str();
  element.append_attribute("font-size") = SvgNumber::text(height).c_str();
  element.append_attribute("font-family") = "sans-serif";
  element.append_attribute("text-anchor") = anchor;
  element.append_attribute("fill") = colour.c_str();
  element.append_attribute("stroke") = "none";
  if (lines.size() == 1) {
    element.append_attribute("y") = SvgNumber::text(baseline).c_str();
    element.append_child(pugi::node_pcdata).set_value(wideToUtf8(lines.front()).c_str());
    return element;
  }
  for (size_t index = 0; index < lines.size(); ++index) {
    pugi::xml_node span = element.append_child("tspan");
    span.append_attribute("x") = "0";
    span.append_attribute("y") = SvgNumber::text(baseline + step * static_cast<double>(index)).c_str();
    span.append_child(pugi::node_pcdata).set_value(wideToUtf8(lines[index]).c_str());
  }
  return element;
}
