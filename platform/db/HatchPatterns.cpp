#include "HatchPatterns.h"

#include <cstdlib>
#include <cwctype>
#include <sstream>

namespace {

// In the host's pattern file format (inch units): "*NAME, description",
// then one line per family: angle, x, y, along, across [, dash ...].
constexpr const char* kPatternFile = R"pat(
*SOLID, Solid fill
*ANGLE, Angle steel
0, 0,0, 0,.275, .2,-.075
90, 0,0, 0,.275, .2,-.075
*ANSI31, ANSI Iron, Brick, Stone masonry
45, 0,0, 0,.125
*ANSI32, ANSI Steel
45, 0,0, 0,.375
45, .176776695,0, 0,.375
*ANSI33, ANSI Bronze, Brass, Copper
45, 0,0, 0,.25
45, .176776695,0, 0,.25, .125,-.0625
*ANSI34, ANSI Plastic, Rubber
45, 0,0, 0,.75
45, .176776695,0, 0,.75
45, .353553391,0, 0,.75
45, .530330086,0, 0,.75
*ANSI35, ANSI Fire brick, Refractory material
45, 0,0, 0,.25
45, .176776695,0, 0,.25, .3125,-.0625,0,-.0625
*ANSI36, ANSI Marble, Slate, Glass
45, 0,0, .21875,.125, .3125,-.0625,0,-.0625
*ANSI37, ANSI Lead, Zinc, Magnesium, Sound/Heat/Elec Insulation
45, 0,0, 0,.125
135, 0,0, 0,.125
*ANSI38, ANSI Aluminum
45, 0,0, 0,.125
135, 0,0, .25,.125, .3125,-.1875
*BRICK, Brick or masonry-type surface
0, 0,0, 0,.25
90, 0,0, 0,.5, .25,-.25
90, .25,0, 0,.5, -.25,.25
*CLAY, Clay material
0, 0,0, 0,.1875
0, 0,.03125, 0,.1875
0, 0,.0625, 0,.1875
0, 0,.125, 0,.1875, .1875,-.125
*CROSS, A series of crosses
0, 0,0, .25,.25, .125,-.375
90, .0625,-.0625, .25,.25, .125,-.375
*DASH, Dashed lines
0, 0,0, .125,.125, .125,-.125
*DOTS, A series of dots
0, 0,0, .03125,.0625, 0,-.0625
*EARTH, Earth or ground (subterranean)
0, 0,0, .25,.25, .25,-.25
0, 0,.09375, .25,.25, .25,-.25
0, 0,.1875, .25,.25, .25,-.25
90, .03125,.21875, .25,.25, .25,-.25
90, .125,.21875, .25,.25, .25,-.25
90, .21875,.21875, .25,.25, .25,-.25
*GRATE, Grated area
0, 0,0, 0,.03125
90, 0,0, 0,.125
*HONEY, Honeycomb pattern
0, 0,0, .1875,.108253175, .125,-.25
120, 0,0, .1875,.108253175, .125,-.25
60, 0,0, .1875,.108253175, -.25,.125
*INSUL, Insulation material
0, 0,0, 0,.375
0, 0,.125, 0,.375, .125,-.125
0, 0,.25, 0,.375, .125,-.125
*LINE, Parallel horizontal lines
0, 0,0, 0,.125
*NET, Horizontal / vertical grid
0, 0,0, 0,.125
90, 0,0, 0,.125
*NET3, Network pattern 0-60-120
0, 0,0, 0,.125
60, 0,0, 0,.125
120, 0,0, 0,.125
*PLAST, Plastic material
0, 0,0, 0,.25
0, 0,.03125, 0,.25
0, 0,.0625, 0,.25
*SQUARE, Small aligned squares
0, 0,0, 0,.125, .125,-.125
90, 0,0, 0,.125, .125,-.125
*STEEL, Steel material
45, 0,0, 0,.125
45, 0,.0625, 0,.125
*TRIANG, Equilateral triangles
60, 0,0, .1875,.324759526, .1875,-.1875
120, 0,0, .1875,.324759526, .1875,-.1875
0, -.09375,.162379763, .1875,.324759526, .1875,-.1875
*ZIGZAG, Staircase effect
0, 0,0, .125,.125, .125,-.125
90, .125,0, .125,.125, .125,-.125
)pat";

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring upper(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

HatchPatternLine parseLine(const std::string& line) {
  std::vector<double> numbers;
  std::istringstream fields(line);
  for (std::string field; std::getline(fields, field, ',');) numbers.push_back(std::strtod(field.c_str(), nullptr));
  HatchPatternLine family;
  family.angle = numbers[0];
  family.baseX = numbers[1];
  family.baseY = numbers[2];
  family.along = numbers[3];
  family.across = numbers[4];
  family.dashes.assign(numbers.begin() + 5, numbers.end());
  return family;
}

std::vector<HatchPattern> parsePatternFile() {
  std::vector<HatchPattern> patterns;
  std::istringstream file(kPatternFile);
  for (std::string line; std::getline(file, line);) {
    if (line.empty()) continue;
    if (line[0] != '*') {
      patterns.back().lines.push_back(parseLine(line));
      continue;
    }
    const size_t comma = line.find(',');
    patterns.push_back({widen(line.substr(1, comma - 1)), widen(line.substr(line.find_first_not_of(' ', comma + 1))), {}});
  }
  return patterns;
}

}  // namespace

const std::vector<HatchPattern>& HatchPatterns::all() {
  static const std::vector<HatchPattern> patterns = parsePatternFile();
  return patterns;
}

const HatchPattern* HatchPatterns::find(const std::wstring& name) {
  const std::wstring wanted = upper(name);
  for (const HatchPattern& pattern : all())
    if (pattern.name == wanted) return &pattern;
  return nullptr;
}
