// A picture of a drawing's model space, or of a paper space layout with
// its viewports, in a file, its kind by the path's extension: SVG, a PNG
// image, or a PDF plot on a sheet.
#pragma once

#include <string>

#include "PlotSettings.h"

class AcDbDatabase;

class PictureFile {
 public:
  // The longer side of an image.
  static constexpr int kPixels = 1600;

  // False, with the reason in error, when the path names no kind of
  // picture, the settings do not suit it or the file cannot be written.
  // leftOut names the kinds of entity the picture does not show ("2 LEADER")
  // and counts those beyond the limit nested blocks reach.
  static bool write(AcDbDatabase& database, const std::string& path, const PlotSettings& settings,
                    std::string& error, std::string& leftOut);
  // The SVG text of an image of the whole drawing, and its size in pixels.
  static std::string svg(AcDbDatabase& database, int& width, int& height);
};
