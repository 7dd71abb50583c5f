#include "HatchGradient.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "AcDbHatch.h"
#include "CarriedTags.h"
#include "SvgCanvas.h"
#include "SvgNumber.h"

namespace {

// A colour moved toward white (share > 0) or black (share < 0).
unsigned int blend(unsigned int colour, double share) {
  unsigned int mixed = 0;
  for (int shift : {16, 8, 0}) {
    const double channel = (colour >> shift) & 0xFF;
    const double toward = share > 0.0 ? 255.0 : 0.0;
    const double value = channel + (toward - channel) * std::min(1.0, std::fabs(share));
    mixed |= static_cast<unsigned int>(std::lround(value)) << shift;
  }
  return mixed;
}

void addStop(pugi::xml_node gradient, double offset, unsigned int colour) {
  pugi::xml_node stop = gradient.append_child("stop");
  stop.append_attribute("offset") = SvgNumber::text(offset).c_str();
  stop.append_attribute("stop-color") = SvgNumber::colour(colour).c_str();
}

}  // namespace

std::optional<HatchGradient> HatchGradient::of(const AcDbHatch& hatch) {
  const CarriedTags tags(hatch.dxfTags());
  if (tags.integer(450) == 0) return std::nullopt;
  HatchGradient gradient;
  std::vector<unsigned int> colours;
  for (const DxfTag& tag : tags.tags())
    if (tag.code == 421) colours.push_back(static_cast<unsigned int>(CarriedTags::realOf(tag)) & 0xFFFFFF);
  if (colours.empty()) return std::nullopt;
  gradient.m_first = colours[0];
  // One colour: the second is its shade (toward black) or tint (toward white).
  if (tags.integer(452) != 0 || colours.size() < 2)
    gradient.m_second = blend(colours[0], (tags.real(462) - 0.5) * 2.0);
  else
    gradient.m_second = colours[1];
  gradient.m_angle = tags.real(460);
  gradient.m_name = std::string(tags.text(470));
  return gradient;
}

std::string HatchGradient::paint(SvgCanvas& canvas, const AcDbExtents& box) const {
  const bool inverse = m_name.rfind("INV", 0) == 0;
  const std::string kind = inverse ? m_name.substr(3) : m_name;
  const double centreX = (box.minPoint().x + box.maxPoint().x) / 2.0;
  const double centreY = -(box.minPoint().y + box.maxPoint().y) / 2.0;
  const double halfX = (box.maxPoint().x - box.minPoint().x) / 2.0, halfY = (box.maxPoint().y - box.minPoint().y) / 2.0;
  std::string reference;
  const bool round = kind == "SPHERICAL" || kind == "HEMISPHERICAL";
  pugi::xml_node gradient = canvas.addDefinition(round ? "radialGradient" : "linearGradient", reference);
  gradient.append_attribute("gradientUnits") = "userSpaceOnUse";
  const unsigned int outer = inverse ? m_second : m_first, inner = inverse ? m_first : m_second;
  if (round) {
    gradient.append_attribute("cx") = SvgNumber::text(centreX).c_str();
    gradient.append_attribute("cy") = SvgNumber::text(centreY).c_str();
    gradient.append_attribute("r") = SvgNumber::text(std::hypot(halfX, halfY)).c_str();
    addStop(gradient, 0.0, inner);
    addStop(gradient, 1.0, outer);
    return reference;
  }
  // Along the angle, across the whole box (the picture's y runs down).
  const double dx = std::cos(m_angle), dy = -std::sin(m_angle);
  const double reach = std::fabs(dx) * halfX + std::fabs(dy) * halfY;
  gradient.append_attribute("x1") = SvgNumber::text(centreX - dx * reach).c_str();
  gradient.append_attribute("y1") = SvgNumber::text(centreY - dy * reach).c_str();
  gradient.append_attribute("x2") = SvgNumber::text(centreX + dx * reach).c_str();
  gradient.append_attribute("y2") = SvgNumber::text(centreY + dy * reach).c_str();
  addStop(gradient, 0.0, outer);
  if (kind == "CYLINDER") {
    addStop(gradient, 0.5, inner);
    addStop(gradient, 1.0, outer);
  } else {
    addStop(gradient, 1.0, inner);
  }
  return reference;
}
