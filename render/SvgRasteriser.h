// Turns an SVG picture into a PNG image through the PNG writer library
// (SpatiaryPng.so), loaded on first use from beside the platform library.
#pragma once

#include <string>

class SvgRasteriser {
 public:
  // False, with the reason in error, when the writer cannot be loaded, the
  // picture cannot be read or the image cannot be written.
  static bool writePng(const std::string& svg, int width, int height, const std::string& path, std::string& error);
};
