#include "TextPainter.h"

#include <algorithm>
#include <cmath>
#include <cctype>

#include "AcDbMText.h"
#include "AcDbText.h"
#include "MTextContents.h"
#include "ShownCharacters.h"
#include "SvgCanvas.h"
#include "SvgNumber.h"
#include "TextCodec.h"

namespace {

// A text's height is the height of its capitals, which in the sans font
// (DejaVu Sans) are 0.73 of the font's size.  Without the font's metrics:
// characters 0.82 of the height wide, and descenders a third of it below
// the baseline.
constexpr double kCapitals = 0.729;
constexpr double kCharacterWidth = 0.6 / kCapitals;
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

// An aligned or fitted text runs from its position to its alignment point.
bool isStretched(const AcDbText& text) {
  const AcDb::TextHorzMode horizontal = text.horizontalMode();
  return (horizontal == AcDb::kTextAlign || horizontal == AcDb::kTextFit) &&
         text.position().distanceTo(text.alignmentPoint()) > 0.0;
}

// Glyph space (y down, one unit a drawing unit) to the drawing; stretched
// texts are drawn at their natural width and stretched to their points.
AcGeMatrix3d frameOf(const AcDbText& text, double naturalWidth) {
  const AcGeMatrix3d plane = AcGeMatrix3d::planeToWorld(text.normal());
  double angle = text.rotation();
  double factor = text.widthFactor() > 0.0 ? text.widthFactor() : 1.0;
  if (isStretched(text) && naturalWidth > 0.0) {
    const AcGeVector3d run = AcGeMatrix3d::worldToPlane(text.normal()) * (text.alignmentPoint() - text.position());
    angle = std::atan2(run.y, run.x);
    factor = std::hypot(run.x, run.y) / naturalWidth;
  }
  const AcGeVector3d along = plane * AcGeVector3d(std::cos(angle), std::sin(angle), 0.0);
  const AcGeVector3d up = plane * AcGeVector3d(-std::sin(angle), std::cos(angle), 0.0);
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

std::string TextPainter::shownText(std::string_view text, size_t most, std::uint64_t& leftOut) {
  std::string shown;
  ShownCharacters characters(shown, most, leftOut);
  for (size_t i = 0; i < text.size();) {
    const size_t code = std::min(text.find("%%", i), text.size());
    characters.add(text.substr(i, code - i));
    i = code;
    if (i == text.size()) break;
    if (i + 2 >= text.size()) {
      characters.add(text.substr(i));
      break;
    }
    switch (std::tolower(static_cast<unsigned char>(text[i + 2]))) {
      case 'd': characters.add("\u00B0"); break;
      case 'p': characters.add("\u00B1"); break;
      case 'c': characters.add("\u2300"); break;
      case '%': characters.add("%"); break;
      case 'u': case 'o': break;
      default:
        // Not a code: shown as it stands.
        characters.add("%%");
        i += 2;
        continue;
    }
    i += 3;
  }
  return shown;
}

pugi::xml_node TextPainter::draw(const AcDbText& text, double height, const AcGeMatrix3d& toWorld,
                                 const std::string& colour, pugi::xml_node parent) {
  const Alignment alignment = alignmentOf(text);
  std::vector<std::string> lines{shownText(text.textStringUtf8(), kMostPerLine, m_leftOut)};
  limit(lines);
  if (lines.empty()) return pugi::xml_node();
  double shownHeight = height;
  double naturalWidth = kCharacterWidth * height * static_cast<double>(utf8Length(lines.front()));
  // An aligned text's height follows its width, as its length is stretched to fit.
  if (text.horizontalMode() == AcDb::kTextAlign && isStretched(text) && naturalWidth > 0.0) {
    const double factor = text.widthFactor() > 0.0 ? text.widthFactor() : 1.0;
    shownHeight = text.position().distanceTo(text.alignmentPoint()) / (naturalWidth / height) / factor;
    naturalWidth = text.position().distanceTo(text.alignmentPoint()) / factor;
  }
  return addText(lines, shownHeight, toWorld * frameOf(text, naturalWidth), alignment.anchor, alignment.start,
                 alignment.baseline * shownHeight, colour, parent);
}

pugi::xml_node TextPainter::draw(const AcDbMText& text, const AcGeMatrix3d& toWorld, const std::string& colour,
                                 pugi::xml_node parent) {
  const double height = text.textHeight();
  std::vector<std::string> lines;
  const size_t perLine = text.width() > 0.0 && height > 0.0
                             ? static_cast<size_t>(std::max(1.0, text.width() / (kCharacterWidth * height)))
                             : 0;
  MTextContents contents(text.contentsUtf8());
  std::string paragraph;
  // Paragraphs are gathered while the picture has room for them, and one
  // unwrapped is one line; what is past that is only counted.
  std::uint64_t room = m_mostCharacters - std::min(m_shown, m_mostCharacters);
  const auto most = [&] { return static_cast<size_t>(std::min<std::uint64_t>(room, perLine == 0 ? kMostPerLine : room)); };
  while (contents.next(paragraph, most(), m_leftOut)) {
    if (room == 0) continue;
    wrap(shownText(paragraph, most(), m_leftOut), perLine, lines);
    room -= std::min<std::uint64_t>(room, utf8Length(paragraph) + 1);
  }
  limit(lines);
  if (lines.empty()) return pugi::xml_node();
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

void TextPainter::wrap(std::string_view paragraph, size_t perLine, std::vector<std::string>& lines) {
  size_t start = 0;
  while (perLine > 0) {
    // Break at the last space that leaves the line short enough; a word
    // too long for a line stays whole and runs past the width, as CAD
    // programs show it.  Each character is searched once or twice, so a
    // paragraph without spaces stays linear.
    size_t at = start, count = 0, space = std::string_view::npos;
    for (; at < paragraph.size() && count <= perLine; ++count) {
      if (paragraph[at] == ' ' && at != start) space = at;
      nextCodePoint(paragraph, at);
    }
    if (count <= perLine) break;
    const size_t end = space != std::string_view::npos ? space : paragraph.find(' ', at);
    if (end == std::string_view::npos) break;
    lines.emplace_back(paragraph.substr(start, end - start));
    start = end;
    while (start < paragraph.size() && paragraph[start] == ' ') ++start;
  }
  lines.emplace_back(paragraph.substr(start));
}

void TextPainter::limit(std::vector<std::string>& lines) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::uint64_t room = m_mostCharacters - std::min(m_shown, m_mostCharacters);
    if (room == 0) {
      for (size_t rest = i; rest < lines.size(); ++rest) m_leftOut += utf8Length(lines[rest]);
      lines.resize(i);
      return;
    }
    std::string whole;
    whole.swap(lines[i]);
    ShownCharacters(lines[i], static_cast<size_t>(std::min<std::uint64_t>(room, kMostPerLine)), m_leftOut).add(whole);
    // A line costs its characters and its break.
    m_shown += utf8Length(lines[i]) + 1;
  }
}

pugi::xml_node TextPainter::addText(const std::vector<std::string>& lines, double height,
                                    const AcGeMatrix3d& glyphs, const char* anchor, double start, double baseline,
                                    const std::string& colour, pugi::xml_node parent) {
  size_t longest = 0;
  for (const std::string& line : lines) longest = std::max(longest, utf8Length(line));
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
  element.append_attribute("font-size") = SvgNumber::text(height / kCapitals).c_str();
  element.append_attribute("font-family") = "sans-serif";
  element.append_attribute("text-anchor") = anchor;
  element.append_attribute("fill") = colour.c_str();
  element.append_attribute("stroke") = "none";
  if (lines.size() == 1) {
    element.append_attribute("y") = SvgNumber::text(baseline).c_str();
    element.append_child(pugi::node_pcdata).set_value(lines.front().c_str());
    return element;
  }
  for (size_t index = 0; index < lines.size(); ++index) {
    pugi::xml_node span = element.append_child("tspan");
    span.append_attribute("x") = "0";
    span.append_attribute("y") = SvgNumber::text(baseline + step * static_cast<double>(index)).c_str();
    span.append_child(pugi::node_pcdata).set_value(lines[index].c_str());
  }
  return element;
}
