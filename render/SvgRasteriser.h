// Turns an SVG picture into a PNG image or a PDF page through the picture
// writer library (SpatiaryPng.so), loaded on first use from beside the
// platform library.
#pragma once

#include <string>

class SvgRasteriser {
 public:
  // False, with the reason in error, when the writer cannot be loaded, the
  // picture cannot be read or the file cannot be written.
  static bool writePng(const std::string& svg, int width, int height, const std::string& path, std::string& error);
  // A page of that many millimetres.
  static bool writePdf(const std::string& svg, double widthMm, double heightMm, const std::string& path,
                       std::string& error);
};
