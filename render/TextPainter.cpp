#include "TextPainter.h"

#include <cmath>
#include <cwctype>

#include "AcDbText.h"
#include "SvgCanvas.h"
#include "SvgNumber.h"
#include "TextCodec.h"

namespace {

// Without the font's metrics: characters 0.6 of the height wide, and
// descenders a third of it below the baseline.
constexpr double kCharacterWidth = 0.6;
constexpr double kDescent = 1.0 / 3.0;

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
  const std::wstring shown = shownText(text.textString());
  if (shown.empty() || !(height > 0.0) || !std::isfinite(height)) return pugi::xml_node();
  const AcGeMatrix3d glyphs = toWorld * frameOf(text);
  const Alignment alignment = alignmentOf(text);
  const double width = kCharacterWidth * height * static_cast<double>(shown.size());
  const double baseline = alignment.baseline * height;

  AcDbExtents box;
  for (double x : {alignment.start * width, (alignment.start + 1.0) * width})
    for (double y : {baseline + kDescent * height, baseline - height})
      box.addPoint(glyphs * AcGePoint3d(x, y, 0.0));
  const AcGePoint3d low = box.minPoint(), high = box.maxPoint();
  if (!std::isfinite(low.x) || !std::isfinite(low.y) || !std::isfinite(high.x) || !std::isfinite(high.y))
    return pugi::xml_node();
  m_canvas.include(box);

  pugi::xml_node element = parent.append_child("text");
  element.append_attribute("transform") = transformText(glyphs).c_str();
  element.append_attribute("y") = SvgNumber::text(baseline).c_str();
  element.append_attribute("font-size") = SvgNumber::text(height).c_str();
  element.append_attribute("font-family") = "sans-serif";
  element.append_attribute("text-anchor") = alignment.anchor;
  element.append_attribute("fill") = colour.c_str();
  element.append_attribute("stroke") = "none";
  element.append_child(pugi::node_pcdata).set_value(wideToUtf8(shown).c_str());
  return element;
}
