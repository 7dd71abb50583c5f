#include "LinetypeDashes.h"

#include <cmath>
#include <string>

#include "AcDbLinetypeTableRecord.h"
#include "AcDbObjectPointer.h"
#include "SvgNumber.h"

namespace {

// A dot's length, of the whole pattern: round caps make it a dot.
constexpr double kDotShare = 1e-3;

struct Stretch {
  bool drawn;
  double length;
};

}  // namespace

std::vector<double> LinetypeDashes::lengthsOf(const AcDbLinetypeTableRecord& record) {
  double total = 0.0;
  for (int i = 0; i < record.numDashes(); ++i) total += std::fabs(record.dashLengthAt(i));
  if (!(total > 0.0) || !std::isfinite(total)) return {};
  std::vector<double> lengths;
  for (int i = 0; i < record.numDashes(); ++i) {
    const double dash = record.dashLengthAt(i);
    lengths.push_back(dash == 0.0 ? kDotShare * total : std::fabs(dash));
  }
  return lengths;
}

LinetypeDashes::Pattern LinetypeDashes::patternOf(const AcDbLinetypeTableRecord& record) {
  const std::vector<double> lengths = lengthsOf(record);
  std::vector<Stretch> stretches;
  for (size_t i = 0; i < lengths.size(); ++i) {
    const Stretch stretch{record.dashLengthAt(static_cast<int>(i)) >= 0.0, lengths[i]};
    if (!stretches.empty() && stretches.back().drawn == stretch.drawn) stretches.back().length += stretch.length;
    else stretches.push_back(stretch);
  }
  if (stretches.size() < 2) return Pattern{};
  double total = 0.0;
  for (const Stretch& stretch : stretches) total += stretch.length;
  // SVG alternates dash and gap from a dash: a pattern that ends as it
  // begins joins its ends, and one that begins with a gap starts further on.
  Pattern pattern;
  if (stretches.front().drawn == stretches.back().drawn) {
    pattern.start = total - stretches.front().length;
    stretches.back().length += stretches.front().length;
    stretches.erase(stretches.begin());
  }
  if (!stretches.front().drawn) {
    pattern.start = std::fmod(pattern.start + total - stretches.front().length, total);
    stretches.push_back(stretches.front());
    stretches.erase(stretches.begin());
  }
  for (const Stretch& stretch : stretches) pattern.lengths.push_back(stretch.length);
  return pattern;
}

const LinetypeDashes::Pattern& LinetypeDashes::pattern(AcDbObjectId linetype) {
  const auto known = m_patterns.find(linetype);
  if (known != m_patterns.end()) return known->second;
  AcDbObjectPointer<AcDbLinetypeTableRecord> record(linetype, AcDb::kForRead);
  return m_patterns.emplace(linetype, record ? patternOf(*record.object()) : Pattern{}).first->second;
}

bool LinetypeDashes::dashes(AcDbObjectId linetype) {
  return !linetype.isNull() && !pattern(linetype).lengths.empty();
}

void LinetypeDashes::apply(pugi::xml_node element, AcDbObjectId linetype, double scale) {
  if (linetype.isNull() || !(scale > 0.0) || !std::isfinite(scale)) return;
  const Pattern& dashes = pattern(linetype);
  if (dashes.lengths.empty()) return;
  std::string array;
  for (double length : dashes.lengths) {
    if (!array.empty()) array += ' ';
    SvgNumber::append(array, length * scale);
  }
  element.append_attribute("stroke-dasharray") = array.c_str();
  if (dashes.start > 0.0) element.append_attribute("stroke-dashoffset") = SvgNumber::text(dashes.start * scale).c_str();
}
