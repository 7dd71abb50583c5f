#include "LinetypeTexts.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "AcDbLinetypeTableRecord.h"
#include "AcDbObjectPointer.h"
#include "AcDbTextStyleTableRecord.h"
#include "AcGeMatrix3d.h"
#include "LinetypeDashes.h"
#include "PathData.h"
#include "PathWalk.h"
#include "TextCodec.h"
#include "TextPainter.h"

namespace {

// How far from straight up or down a text still counts as reading upwards.
constexpr double kUpright = 1e-9;

// A text's height is its scale times its style's fixed height, or its
// scale alone in a style without one.
double styleHeight(AcDbObjectId style) {
  AcDbObjectPointer<AcDbTextStyleTableRecord> record(style, AcDb::kForRead);
  return record && record->textSize() > 0.0 ? record->textSize() : 1.0;
}

// Counts too many to hold stand for the most there can be.
void count(std::uint64_t& total, double more) {
  constexpr std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
  const std::uint64_t added = more >= static_cast<double>(most) ? most : static_cast<std::uint64_t>(more);
  total = added > most - total ? most : total + added;
}

}  // namespace

LinetypeTexts::Pattern LinetypeTexts::patternOf(const AcDbLinetypeTableRecord& record) {
  Pattern pattern;
  // Lengths as the dashes draw them, so that texts stand in their gaps.
  const std::vector<double> lengths = LinetypeDashes::lengthsOf(record);
  for (size_t i = 0; i < lengths.size(); ++i) {
    pattern.length += lengths[i];
    const int index = static_cast<int>(i);
    const std::wstring text = record.textAt(index);
    if (text.empty() && record.shapeNumberAt(index) == 0) continue;
    if (pattern.embedded.size() == kMostEmbedded) {
      pattern.cut = true;
      continue;
    }
    Embedded element;
    element.at = pattern.length;
    element.isText = !text.empty();
    element.text = wideToUtf8(text);
    element.style = record.shapeStyleAt(index);
    element.height = record.shapeScaleAt(index) * (element.isText ? styleHeight(element.style) : 1.0);
    element.rotation = record.shapeRotationAt(index);
    element.absolute = record.shapeIsUcsOrientedAt(index);
    element.x = record.shapeOffsetAt(index).x;
    element.y = record.shapeOffsetAt(index).y;
    // A text's length follows its height.
    if (element.isText)
      element.reach = m_texts.lengthOf(TextPainter::Label{element.text, element.style, element.height, {}, {}});
    pattern.embedded.push_back(element);
  }
  return pattern;
}

const LinetypeTexts::Pattern& LinetypeTexts::pattern(AcDbObjectId linetype) {
  const auto known = m_patterns.find(linetype);
  if (known != m_patterns.end()) return known->second;
  AcDbObjectPointer<AcDbLinetypeTableRecord> record(linetype, AcDb::kForRead);
  const Pattern& pattern = m_patterns.emplace(linetype, record ? patternOf(*record.object()) : Pattern{}).first->second;
  if (pattern.cut) ++m_patternsCut;
  return pattern;
}

double LinetypeTexts::repeats(const Embedded& element, double scale, double period, double length, double& first) {
  first = 0.0;
  if (!(length > 0.0)) return 0.0;
  const double from = (element.at + element.x) * scale;
  first = std::max(0.0, std::ceil(-from / period));
  const double last = std::floor((length - from - element.reach * scale) / period);
  return last >= first ? last - first + 1.0 : 0.0;
}

std::vector<LinetypeTexts::Place> LinetypeTexts::placesOn(const PathWalk& walk, const Pattern& pattern, double scale) {
  const double period = pattern.length * scale;
  std::vector<Place> places;
  for (const Embedded& element : pattern.embedded) {
    double first = 0.0;
    const double times = element.isText ? repeats(element, scale, period, walk.length(), first) : 0.0;
    for (double time = 0.0; time < times; ++time)
      places.push_back(Place{element.at * scale + (first + time) * period, &element});
  }
  std::sort(places.begin(), places.end(), [](const Place& a, const Place& b) { return a.anchor < b.anchor; });
  return places;
}

std::vector<pugi::xml_node> LinetypeTexts::draw(const PathData& path, AcDbObjectId linetype, double scale,
                                                const std::string& colour, pugi::xml_node parent) {
  std::vector<pugi::xml_node> drawn;
  if (linetype.isNull() || !(scale > 0.0) || !std::isfinite(scale)) return drawn;
  const Pattern& pattern = this->pattern(linetype);
  const double period = pattern.length * scale;
  if (pattern.embedded.empty() || !(period > 0.0) || !std::isfinite(period)) return drawn;
  std::vector<PathWalk> subpaths = PathWalk::subpathsOf(path);
  // Every repeat with room for its text or shape, counted before any is placed.
  std::uint64_t texts = 0;
  for (const PathWalk& walk : subpaths) {
    for (const Embedded& element : pattern.embedded) {
      double first = 0.0;
      count(element.isText ? texts : m_shapesLeftOut, repeats(element, scale, period, walk.length(), first));
    }
  }
  if (texts > kMostPerCurve) {
    count(m_textsLeftOut, static_cast<double>(texts));
    return drawn;
  }
  for (PathWalk& walk : subpaths) {
    for (const Place& place : placesOn(walk, pattern, scale)) {
      const pugi::xml_node text = drawText(walk, place, scale, colour, parent);
      if (text) drawn.push_back(text);
    }
  }
  return drawn;
}

pugi::xml_node LinetypeTexts::drawText(PathWalk& walk, const Place& place, double scale, const std::string& colour,
                                       pugi::xml_node parent) {
  const Embedded& element = *place.element;
  const PathWalk::Station station = walk.at(place.anchor);
  const AcGeVector3d across = AcGeVector3d::kZAxis.crossProduct(station.direction);
  const AcGeVector3d along =
      element.absolute ? AcGeVector3d(std::cos(element.rotation), std::sin(element.rotation), 0.0)
                       : AcGeMatrix3d::rotation(element.rotation, AcGeVector3d::kZAxis) * station.direction;
  TextPainter::Label label{element.text, element.style, element.height * scale,
                           station.point + station.direction * (element.x * scale) + across * (element.y * scale),
                           along};
  // A text that would read upside down turns half round about its middle.
  if (!element.absolute && (along.x < -kUpright || (along.x <= kUpright && along.y < 0.0))) {
    label.at = label.at + along * (element.reach * scale) + AcGeVector3d::kZAxis.crossProduct(along) * label.height;
    label.along = -along;
  }
  return m_texts.draw(label, colour, parent);
}
