// A hatch's gradient fill (groups 450 to 470): its two colours, or one
// colour and its shade or tint, blended across the hatch's box along its
// angle, as a CAD program shows the kinds: linear and curved ones from one
// colour to the other, cylinders to the second in the middle, spheres and
// hemispheres from the second in the centre outwards, their inverses the
// other way round.
#pragma once

#include <optional>
#include <string>

#include "AcDbExtents.h"

class AcDbHatch;
class SvgCanvas;

class HatchGradient {
 public:
  // Empty for a hatch that is no gradient.
  static std::optional<HatchGradient> of(const AcDbHatch& hatch);
  // Defines the gradient over the box (world coordinates) and returns
  // what a fill attribute names it by.
  std::string paint(SvgCanvas& canvas, const AcDbExtents& box) const;

 private:
  unsigned int m_first = 0, m_second = 0xFFFFFF;  // 0xRRGGBB
  double m_angle = 0.0;
  std::string m_name;
};
