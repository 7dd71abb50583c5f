// The installed font that draws a text style's font: TrueType families
// mapped onto metric-compatible or like families (Arial onto Liberation
// Sans, Times onto Liberation Serif, Courier onto Liberation Mono), other
// families onto DejaVu by kind, and the CAD program's own SHX stroke fonts
// onto a sans font; with the style's bold and italic, width and slant.
#pragma once

#include <string>
#include <string_view>

class AcDbTextStyleTableRecord;

struct TextFont {
  // The SVG font-family list, the installed family first.
  std::string family = kSans;
  bool bold = false;
  bool italic = false;
  // The height of the family's capitals, in ems.
  double capitals = kSansCapitals;
  // Its characters' widths to DejaVu Sans's; 0 for a fixed pitch.
  double widths = 1.0;
  // The style's width factor and obliquing angle (radians), which multi-line
  // texts take; a single-line text carries its own.
  double widthFactor = 1.0;
  double oblique = 0.0;

  // A font named by its family or file ("Arial", "arialbd.ttf", "romans.shx").
  static TextFont named(std::string_view name);
  static TextFont of(const AcDbTextStyleTableRecord& style);
  // How far a character advances, in ems.
  double advance(char32_t character) const;

  bool operator==(const TextFont& other) const {
    return family == other.family && bold == other.bold && italic == other.italic;
  }
  bool operator!=(const TextFont& other) const { return !(*this == other); }

  static constexpr const char* kSans = "'DejaVu Sans', sans-serif";
  static constexpr double kSansCapitals = 0.729;
};
