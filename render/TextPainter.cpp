#include "TextPainter.h"

#include <algorithm>
#include <cmath>
#include <cctype>

#include "AcDbMText.h"
#include "AcDbDatabase.h"
#include "AcDbObjectPointer.h"
#include "AcDbTextStyleTable.h"
#include "AcDbTextStyleTableRecord.h"
#include "AcDbText.h"
#include "MTextColumns.h"
#include "MTextContents.h"
#include "ShownCharacters.h"
#include "SvgCanvas.h"
#include "SvgNumber.h"
#include "TextCodec.h"

namespace {

// A text's height is the height of its capitals, which are a share of the
// font's size that depends on the font; descenders reach a third of the
// height below the baseline.
constexpr double kDescent = 1.0 / 3.0;
// Stacked parts are this share of the text's height; a fraction's bar
// stands this high above the baseline, its parts this far from it.
constexpr double kStackScale = 0.7;
constexpr double kBar = 0.4;
constexpr double kStackGap = 0.12;

using Format = MTextContents::Format;

double widthOf(std::string_view text, const Format& format) {
  double ems = 0.0;
  for (size_t at = 0; at < text.size();) ems += format.font.advance(nextCodePoint(text, at));
  return ems * format.height / format.font.capitals * format.widthFactor;
}

double widthOf(const MTextContents::Run& run) {
  if (run.stack == 0) return widthOf(run.text, run.format);
  const double top = kStackScale * widthOf(run.text, run.format);
  const double below = kStackScale * widthOf(run.below, run.format);
  return run.stack == '#' ? top + below + widthOf("/", run.format) : std::max(top, below);
}

void setNumber(pugi::xml_node element, const char* name, double value) {
  element.append_attribute(name) = SvgNumber::text(value).c_str();
}

// What the run's format changes from the text's.
void setFormat(pugi::xml_node element, const Format& format, const Format& base, double scale = 1.0) {
  if (format.height != base.height || format.font.capitals != base.font.capitals || scale != 1.0)
    setNumber(element, "font-size", scale * format.height / format.font.capitals);
  if (format.colour != base.colour && !format.colour.empty()) element.append_attribute("fill") = format.colour.c_str();
  if (format.font.family != base.font.family) element.append_attribute("font-family") = format.font.family.c_str();
  if (format.font.bold != base.font.bold) element.append_attribute("font-weight") = format.font.bold ? "bold" : "normal";
  if (format.font.italic != base.font.italic)
    element.append_attribute("font-style") = format.font.italic ? "italic" : "normal";
  std::string lines;
  if (format.underline) lines += " underline";
  if (format.overline) lines += " overline";
  if (format.strike) lines += " line-through";
  if (!lines.empty()) element.append_attribute("text-decoration") = lines.c_str() + 1;
}

// Where a line's alignment point stands along it: left, centre or right.
const char* const kAnchors[] = {"start", "middle", "end"};
double alongOf(char align) { return align == 'c' ? 0.5 : align == 'r' ? 1.0 : 0.0; }

// The smallest font size, in the picture's units, a text is written at.
constexpr double kSmallestFontSize = 2.0;
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
  // A text mirrored in X runs backwards from its point, one mirrored in Y
  // hangs upside down from its baseline.
  const AcGeVector3d x = along * (text.isMirroredInX() ? -factor : factor);
  const AcGeVector3d y = -(up * (text.isMirroredInY() ? -1.0 : 1.0) + x * std::tan(text.oblique()) / factor);
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
    if (i < 4) SvgNumber::appendFactor(text, values[i]);
    else SvgNumber::append(text, values[i]);
  }
  return text + ")";
}

}  // namespace

std::string TextPainter::shownText(std::string_view text, size_t most, std::uint64_t& leftOut) {
  std::string shown;
  ShownCharacters characters(most, leftOut);
  for (size_t i = 0; i < text.size();) {
    const size_t code = std::min(text.find("%%", i), text.size());
    shown.append(characters.take(text.substr(i, code - i)));
    i = code;
    if (i == text.size()) break;
    if (i + 2 >= text.size()) {
      shown.append(characters.take(text.substr(i)));
      break;
    }
    switch (std::tolower(static_cast<unsigned char>(text[i + 2]))) {
      case 'd': shown.append(characters.take("\u00B0")); break;
      case 'p': shown.append(characters.take("\u00B1")); break;
      case 'c': shown.append(characters.take("\u2300")); break;
      case '%': shown.append(characters.take("%")); break;
      case 'u': case 'o': break;
      default:
        // Not a code: shown as it stands.
        shown.append(characters.take("%%"));
        i += 2;
        continue;
    }
    i += 3;
  }
  return shown;
}

const TextFont& TextPainter::fontOf(AcDbDatabase* database, AcDbObjectId style) {
  if (style.isNull() && database != nullptr) {
    AcDbObjectPointer<AcDbTextStyleTable> styles(database->textStyleTableId(), AcDb::kForRead);
    if (styles) styles->getAt(L"Standard", style);
  }
  const auto known = m_fonts.find(style);
  if (known != m_fonts.end()) return known->second;
  AcDbObjectPointer<AcDbTextStyleTableRecord> record(style, AcDb::kForRead);
  return m_fonts[style] = record ? TextFont::of(*record.object()) : TextFont();
}

pugi::xml_node TextPainter::draw(const AcDbText& text, std::string_view characters, double height,
                                 const AcGeMatrix3d& toWorld, const std::string& colour, pugi::xml_node parent) {
  const Alignment alignment = alignmentOf(text);
  Format format;
  format.height = height;
  format.font = fontOf(text.database(), text.textStyle());
  std::vector<Line> lines(1);
  lines.front().runs.push_back(Run{format, shownText(characters, kMostPerLine, m_leftOut), 0, ""});
  lines.front().height = format.height;
  limit(lines);
  if (lines.empty()) return pugi::xml_node();
  double naturalWidth = lines.front().width;
  // An aligned text's height follows its width, as its length is stretched to fit.
  if (text.horizontalMode() == AcDb::kTextAlign && isStretched(text) && naturalWidth > 0.0) {
    const double factor = text.widthFactor() > 0.0 ? text.widthFactor() : 1.0;
    format.height = text.position().distanceTo(text.alignmentPoint()) / (naturalWidth / height) / factor;
    naturalWidth = text.position().distanceTo(text.alignmentPoint()) / factor;
    lines.front().runs.front().format = format;
    lines.front().width = naturalWidth;
    lines.front().height = format.height;
  }
  return addText(lines, format, toWorld * frameOf(text, naturalWidth), alignment.anchor, alignment.start,
                 alignment.baseline * format.height, colour, parent);
}

pugi::xml_node TextPainter::draw(const Label& label, const std::string& colour, pugi::xml_node parent) {
  Format format;
  format.height = label.height;
  format.font = fontOf(nullptr, label.style);
  std::vector<Line> lines(1);
  lines.front().runs.push_back(Run{format, shownText(label.text, kMostPerLine, m_leftOut), 0, ""});
  lines.front().height = format.height;
  limit(lines);
  if (lines.empty()) return pugi::xml_node();
  // Glyph space's y runs down, across the baseline to the left of it.
  const AcGeVector3d across = AcGeVector3d::kZAxis.crossProduct(label.along);
  const AcGeVector3d x = label.along * format.font.widthFactor;
  const AcGeVector3d y = -(across + label.along * std::tan(format.font.oblique));
  AcGeMatrix3d glyphs;
  glyphs.setCoordSystem(label.at, x, y, x.crossProduct(y));
  return addText(lines, format, glyphs, "start", 0.0, 0.0, colour, parent);
}

double TextPainter::lengthOf(const Label& label) {
  Format format;
  format.height = label.height;
  format.font = fontOf(nullptr, label.style);
  std::uint64_t ignored = 0;
  return widthOf(shownText(label.text, kMostPerLine, ignored), format) * format.font.widthFactor;
}

std::vector<std::vector<TextPainter::Line>> TextPainter::setInColumns(const AcDbMText& text, const Format& format,
                                                                     const MTextColumns& columns) {
  // The style's width stretches the text, its wrapping width included.
  const double width = columns.width() / format.font.widthFactor;
  std::vector<std::vector<Line>> set(1);
  double filled = 0.0;
  const auto place = [&](Line&& line) {
    // An empty line is as high as the text.
    line.height = std::max(line.height, format.height);
    const double room = columns.height(static_cast<int>(set.size()) - 1);
    const double taller = set.back().empty() ? line.height : filled + kLineSpacing * line.height;
    if (room > 0.0 && taller > room && !set.back().empty() && static_cast<int>(set.size()) < columns.count())
      set.emplace_back();
    filled = set.back().empty() ? line.height : filled + kLineSpacing * line.height;
    set.back().push_back(std::move(line));
  };
  MTextContents contents(text.contentsUtf8(), format);
  std::vector<Run> paragraph;
  std::vector<Line> lines;
  // Paragraphs are gathered while the picture has room for them, and one
  // unwrapped is one line; what is past that is only counted.
  std::uint64_t room = m_mostCharacters - std::min(m_shown, m_mostCharacters);
  const auto most = [&] { return static_cast<size_t>(std::min<std::uint64_t>(room, width > 0.0 ? room : kMostPerLine)); };
  while (contents.next(paragraph, most(), m_leftOut)) {
    if (room == 0) continue;
    std::uint64_t characters = 1;
    for (Run& run : paragraph) {
      std::uint64_t ignored = 0;
      run.text = shownText(run.text, SIZE_MAX, ignored);
      characters += utf8Length(run.text) + utf8Length(run.below);
    }
    lines.clear();
    wrap(paragraph, width, lines);
    for (Line& line : lines) {
      line.align = contents.alignment();
      place(std::move(line));
    }
    // Without columns, a column break is a line break.
    if (contents.endsColumn() && columns.count() > 1) set.emplace_back();
    room -= std::min(room, characters);
  }
  const double start = -0.5 * ((static_cast<int>(text.attachment()) - 1) % 3);
  for (std::vector<Line>& column : set) {
    limit(column);
    alignLines(column, width, start);
  }
  return set;
}

pugi::xml_node TextPainter::draw(const AcDbMText& text, const AcGeMatrix3d& toWorld, const std::string& colour,
                                 pugi::xml_node parent) {
  Format format;
  format.height = text.textHeight();
  format.font = fontOf(text.database(), text.textStyle());
  const MTextColumns columns = MTextColumns::of(text);
  const std::vector<std::vector<Line>> set = setInColumns(text, format, columns);
  const AcGeVector3d along = text.direction().normal(), up = text.normal().crossProduct(along).normal();
  const AcGeVector3d x = along * format.font.widthFactor, y = -(up + along * std::tan(format.font.oblique));
  AcGeMatrix3d frame;
  frame.setCoordSystem(text.location(), x, y, x.crossProduct(y));
  if (set.size() == 1) return addColumn(set.front(), text, format, toWorld * frame, colour, parent);
  // Columns side by side, each hung from its own top.
  pugi::xml_node group = parent.append_child("g");
  for (size_t column = 0; column < set.size(); ++column) {
    const AcGeVector3d shift = along * columns.offset(static_cast<int>(column));
    addColumn(set[column], text, format, toWorld * AcGeMatrix3d::translation(shift) * frame, colour, group);
  }
  if (group.first_child()) return group;
  parent.remove_child(group);
  return pugi::xml_node();
}

void TextPainter::alignLines(std::vector<Line>& lines, double width, double start) {
  double frame = width;
  if (!(frame > 0.0))
    for (const Line& line : lines) frame = std::max(frame, line.width);
  for (Line& line : lines) line.x = (start + alongOf(line.align)) * frame;
}

pugi::xml_node TextPainter::addColumn(const std::vector<Line>& lines, const AcDbMText& text, const Format& format,
                                      const AcGeMatrix3d& glyphs, const std::string& colour, pugi::xml_node parent) {
  if (lines.empty()) return pugi::xml_node();
  const int attachment = static_cast<int>(text.attachment()) - 1;
  const int column = attachment % 3, row = attachment / 3;
  // The lines' block hangs from its top, middle or bottom.
  double block = lines.front().height;
  for (size_t i = 1; i < lines.size(); ++i) block += kLineSpacing * lines[i].height;
  const double top = lines.front().height;
  const double firstBaseline =
      row == 0 ? top : row == 1 ? top - block / 2.0 : top - block - kDescent * lines.back().height;
  return addText(lines, format, glyphs, kAnchors[column], -0.5 * column, firstBaseline, colour, parent);
}

void TextPainter::wrap(std::vector<Run>& paragraph, double width, std::vector<Line>& lines) {
  Line line;
  const auto place = [&](Run&& run) {
    line.width += widthOf(run);
    line.height = std::max(line.height, run.format.height);
    Run* last = line.runs.empty() ? nullptr : &line.runs.back();
    if (last != nullptr && last->stack == 0 && run.stack == 0 && last->format == run.format) last->text += run.text;
    else line.runs.push_back(std::move(run));
  };
  // Past the width, a piece starts the next line, without the spaces before it.
  const auto fits = [&](double pieceWidth) { return width <= 0.0 || line.runs.empty() || line.width + pieceWidth <= width; };
  const auto breakLine = [&] {
    lines.push_back(std::move(line));
    line = Line();
  };
  for (Run& run : paragraph) {
    if (run.stack != 0) {
      if (!fits(widthOf(run))) breakLine();
      place(std::move(run));
      continue;
    }
    // Words, each with the spaces before it; each character is looked at
    // a bounded number of times, so a long paragraph stays linear.
    const std::string_view text = run.text;
    for (size_t at = 0; at < text.size();) {
      const size_t word = std::min(text.find_first_not_of(' ', at), text.size());
      const size_t end = std::min(text.find(' ', word), text.size());
      if (word < end && !fits(widthOf(text.substr(at, end - at), run.format))) {
        breakLine();
        at = word;
      }
      place(Run{run.format, std::string(text.substr(at, end - at)), 0, ""});
      at = end;
    }
  }
  breakLine();
}

void TextPainter::limit(std::vector<Line>& lines) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::uint64_t room = m_mostCharacters - std::min(m_shown, m_mostCharacters);
    if (room == 0) {
      for (size_t rest = i; rest < lines.size(); ++rest)
        for (const Run& run : lines[rest].runs) m_leftOut += utf8Length(run.text) + utf8Length(run.below);
      lines.resize(i);
      return;
    }
    ShownCharacters shown(static_cast<size_t>(std::min<std::uint64_t>(room, kMostPerLine)), m_leftOut);
    Line& line = lines[i];
    line.width = 0.0;
    for (Run& run : line.runs) {
      run.text.resize(shown.take(run.text).size());
      run.below.resize(shown.take(run.below).size());
      m_shown += utf8Length(run.text) + utf8Length(run.below);
      line.width += widthOf(run);
    }
    // A line costs its characters and its break.
    ++m_shown;
  }
}

void TextPainter::addRun(pugi::xml_node line, const Run& run, const Format& format, double& dx, double& dy) {
  const auto span = [&](const std::string& text, const Format& spanFormat, double scale) {
    pugi::xml_node element = line.append_child("tspan");
    if (dx != 0.0) setNumber(element, "dx", dx);
    if (dy != 0.0) setNumber(element, "dy", dy);
    dx = dy = 0.0;
    setFormat(element, spanFormat, format, scale);
    element.append_child(pugi::node_pcdata).set_value(text.c_str());
    return element;
  };
  const double height = run.format.height;
  if (run.stack == 0) {
    if (run.format == format && dx == 0.0 && dy == 0.0) line.append_child(pugi::node_pcdata).set_value(run.text.c_str());
    else if (!run.text.empty()) span(run.text, run.format, 1.0);
    return;
  }
  const double top = kStackScale * widthOf(run.text, run.format);
  const double below = kStackScale * widthOf(run.below, run.format);
  if (run.stack == '#') {
    // Side by side: the upper part raised, a slash, the lower part.
    dy = -kBar * height;
    span(run.text, run.format, kStackScale);
    dy = kBar * height;
    span("/", run.format, 1.0);
    span(run.below, run.format, kStackScale);
    return;
  }
  // One over the other, a fraction's bar drawn as the line under the wider
  // part's top or over its bottom.
  Format upper = run.format, lower = run.format;
  if (run.stack == '/') (top >= below ? upper.underline : lower.overline) = true;
  const double upperBaseline = -(kBar + kStackGap) * height;
  const double lowerBaseline = -(kBar - kStackGap - kStackScale) * height;
  dy += upperBaseline;
  span(run.text, upper, kStackScale);
  dx = -top;
  dy = lowerBaseline - upperBaseline;
  span(run.below, lower, kStackScale);
  // What follows starts past the wider part, on the baseline.
  dx = std::max(top, below) - below;
  dy = -lowerBaseline;
}

pugi::xml_node TextPainter::addText(const std::vector<Line>& lines, const Format& format, const AcGeMatrix3d& glyphs,
                                    const char* anchor, double start, double baseline, const std::string& colour,
                                    pugi::xml_node parent) {
  double widest = 0.0;
  for (const Line& line : lines) widest = std::max(widest, line.width);
  const double height = format.height;
  if (!(widest > 0.0) || !(height > 0.0) || !std::isfinite(height)) return pugi::xml_node();
  std::vector<double> baselines{baseline};
  for (size_t i = 1; i < lines.size(); ++i) baselines.push_back(baselines.back() + kLineSpacing * lines[i].height);

  double left = start * widest, right = (start + 1.0) * widest;
  for (const Line& line : lines) {
    if (line.align == 0) continue;
    const double from = line.x - alongOf(line.align) * line.width;
    left = std::min(left, from);
    right = std::max(right, from + line.width);
  }
  AcDbExtents box;
  for (double x : {left, right})
    for (double y : {baselines.back() + kDescent * lines.back().height, baseline - lines.front().height})
      box.addPoint(glyphs * AcGePoint3d(x, y, 0.0));
  const AcGePoint3d low = box.minPoint(), high = box.maxPoint();
  if (!std::isfinite(low.x) || !std::isfinite(low.y) || !std::isfinite(high.x) || !std::isfinite(high.y))
    return pugi::xml_node();
  m_canvas.include(box);

  // Text engines round a font's metrics to fractions of a unit: a text
  // smaller than a few units is laid out larger and scaled down, lest its
  // glyphs come out misshapen.
  const double unit = std::min(1.0, height / format.font.capitals / kSmallestFontSize);
  if (unit < 1.0) {
    std::vector<Line> larger = lines;
    for (Line& line : larger) {
      line.x /= unit;
      for (Run& run : line.runs) run.format.height /= unit;
    }
    for (double& line : baselines) line /= unit;
    Format enlarged = format;
    enlarged.height /= unit;
    return writeText(larger, enlarged, glyphs * AcGeMatrix3d::scaling(unit), anchor, baselines, colour, parent);
  }
  return writeText(lines, format, glyphs, anchor, baselines, colour, parent);
}

pugi::xml_node TextPainter::writeText(const std::vector<Line>& lines, const Format& format, const AcGeMatrix3d& glyphs,
                                      const char* anchor, const std::vector<double>& baselines,
                                      const std::string& colour, pugi::xml_node parent) {
  pugi::xml_node element = parent.append_child("text");
  element.append_attribute("transform") = transformText(glyphs).c_str();
  setNumber(element, "font-size", format.height / format.font.capitals);
  element.append_attribute("font-family") = format.font.family.c_str();
  if (format.font.bold) element.append_attribute("font-weight") = "bold";
  if (format.font.italic) element.append_attribute("font-style") = "italic";
  element.append_attribute("text-anchor") = anchor;
  element.append_attribute("fill") = colour.c_str();
  element.append_attribute("stroke") = "none";
  const bool plain = lines.size() == 1 && lines.front().align == 0 && lines.front().runs.size() == 1 &&
                     lines.front().runs.front().stack == 0 && lines.front().runs.front().format == format;
  if (plain) {
    setNumber(element, "y", baselines.front());
    element.append_child(pugi::node_pcdata).set_value(lines.front().runs.front().text.c_str());
    return element;
  }
  for (size_t index = 0; index < lines.size(); ++index) {
    pugi::xml_node span = element.append_child("tspan");
    const Line& line = lines[index];
    if (line.align == 0) {
      span.append_attribute("x") = "0";
    } else {
      setNumber(span, "x", line.x);
      span.append_attribute("text-anchor") = kAnchors[static_cast<int>(2.0 * alongOf(line.align))];
    }
    setNumber(span, "y", baselines[index]);
    double dx = 0.0, dy = 0.0;
    for (const Run& run : lines[index].runs) addRun(span, run, format, dx, dy);
  }
  return element;
}
