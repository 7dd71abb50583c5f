#include "PictureFile.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "DrawingRenderer.h"
#include "SvgCanvas.h"
#include "SvgRasteriser.h"

namespace {

bool endsWithPng(const std::string& path) {
  if (path.size() < 4) return false;
  std::string extension = path.substr(path.size() - 4);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".png";
}

}  // namespace

std::string PictureFile::svg(AcDbDatabase& database, int& width, int& height) {
  SvgCanvas canvas;
  DrawingRenderer(database, canvas).render();
  canvas.finish(kPixels);
  width = canvas.width();
  height = canvas.height();
  return canvas.text();
}

bool PictureFile::write(AcDbDatabase& database, const std::string& path, std::string& error) {
  int width = 0, height = 0;
  const std::string picture = svg(database, width, height);
  if (endsWithPng(path)) return SvgRasteriser::writePng(picture, width, height, path, error);
  std::ofstream out(path, std::ios::binary);
  out << picture;
  out.close();
  if (!out) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}
