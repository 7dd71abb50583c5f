// A picture of a drawing's model space in a file: SVG, or PNG for a path
// ending in ".png".
#pragma once

#include <string>

class AcDbDatabase;

class PictureFile {
 public:
  // The longer side of the picture.
  static constexpr int kPixels = 1600;

  // False, with the reason in error, when the file cannot be written.
  static bool write(AcDbDatabase& database, const std::string& path, std::string& error);
  // The SVG text of the picture, and its size in pixels.
  static std::string svg(AcDbDatabase& database, int& width, int& height);
};
