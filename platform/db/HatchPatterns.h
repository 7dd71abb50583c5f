// The predefined hatch patterns the host offers by name: each a set of
// line families as a pattern file defines them, at scale 1 and angle 0.
#pragma once

#include <string>
#include <vector>

struct HatchPatternLine {
  double angle = 0.0;  // degrees
  double baseX = 0.0, baseY = 0.0;
  // From one line of the family to the next, along and across the line.
  double along = 0.0, across = 0.0;
  // Dashes positive, gaps negative, dots 0; none for a continuous line.
  std::vector<double> dashes;
};

struct HatchPattern {
  std::wstring name;
  std::wstring description;
  std::vector<HatchPatternLine> lines;  // none for SOLID
};

class HatchPatterns {
 public:
  // By name, ignoring case; null for a pattern the host does not have.
  static const HatchPattern* find(const std::wstring& name);
  static const std::vector<HatchPattern>& all();
};
