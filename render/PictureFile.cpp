#include "PictureFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>

#include "AcDbDatabase.h"
#include "AcDbLayout.h"
#include "AcDbLayoutManager.h"
#include "AcDbObjectPointer.h"
#include "TextCodec.h"
#include "DrawingRenderer.h"
#include "SvgCanvas.h"
#include "SvgRasteriser.h"

namespace {

enum class Kind { Svg, Png, Pdf, Unknown };

Kind kindOf(const std::string& path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return Kind::Unknown;
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "svg") return Kind::Svg;
  if (extension == "png") return Kind::Png;
  if (extension == "pdf") return Kind::Pdf;
  return Kind::Unknown;
}

// Millimetres in the drawing's unit, for a scale given as a ratio.
double unitMm(const AcDbDatabase& database) {
  switch (database.insunits()) {
    case AcDb::kUnitsInches: return 25.4;
    case AcDb::kUnitsFeet: return 304.8;
    case AcDb::kUnitsMiles: return 1609344.0;
    case AcDb::kUnitsCentimeters: return 10.0;
    case AcDb::kUnitsMeters: return 1000.0;
    case AcDb::kUnitsKilometers: return 1000000.0;
    case AcDb::kUnitsMillimeters: return 1.0;
    default: return database.measurement() == AcDb::kEnglish ? 25.4 : 1.0;
  }
}

// Millimetres in a paper space unit: sheets are laid out in millimetres
// in metric drawings and in inches in imperial ones.
double paperUnitMm(const AcDbDatabase& database) { return database.measurement() == AcDb::kEnglish ? 25.4 : 1.0; }

// The block of the layout the settings name; null, with the reason in
// error, when the drawing has no such layout.
AcDbObjectId layoutBlock(AcDbDatabase& database, const std::string& name, std::string& error) {
  AcDbObjectPointer<AcDbLayout> layout(acdbLayoutManager()->findLayoutNamed(utf8ToWide(name).c_str(), &database),
                                       AcDb::kForRead);
  if (layout && layout->getBlockTableRecordId() != database.modelSpaceId()) return layout->getBlockTableRecordId();
  error = "the drawing has no paper space layout named " + name;
  return AcDbObjectId();
}

// What a picture shows: the window, else the extents of what was drawn (a
// fresh drawing's unit square when nothing was).
AcDbExtents shownPart(const SvgCanvas& canvas, const PlotSettings& settings) {
  if (settings.window()) return *settings.window();
  if (canvas.extents().isValid()) return canvas.extents();
  return AcDbExtents(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0));
}

bool writeText(const std::string& text, const std::string& path, std::string& error) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  out.close();
  if (out) return true;
  error = "cannot write " + path;
  return false;
}

}  // namespace

std::string PictureFile::svg(AcDbDatabase& database, int& width, int& height) {
  SvgCanvas canvas;
  DrawingRenderer renderer(database, canvas);
  renderer.render();
  const PlotSettings settings;
  const PlotSettings::View view = settings.image(shownPart(canvas, settings), kPixels);
  renderer.finish(view.height);
  canvas.finish(view, std::nullopt);
  width = static_cast<int>(view.pageWidth);
  height = static_cast<int>(view.pageHeight);
  return canvas.text();
}

bool PictureFile::write(AcDbDatabase& database, const std::string& path, const PlotSettings& settings,
                        std::string& error, std::string& leftOut) {
  const Kind kind = kindOf(path);
  if (kind == Kind::Unknown) {
    error = "cannot write " + path + ": a picture is an .svg, .png or .pdf file";
    return false;
  }
  if (kind != Kind::Pdf && settings.hasSheetOptions()) {
    error = "the sheet, orientation, scale and margin are for PDF plots";
    return false;
  }
  AcDbObjectId layout;
  if (!settings.layout().empty()) {
    layout = layoutBlock(database, settings.layout(), error);
    if (layout.isNull()) return false;
  }
  SvgCanvas canvas;
  DrawingRenderer renderer(database, canvas);
  if (layout.isNull()) renderer.render();
  else renderer.renderLayout(layout);
  leftOut = renderer.leftOut();
  const AcDbExtents shown = shownPart(canvas, settings);
  const double mm = layout.isNull() ? unitMm(database) : paperUnitMm(database);
  const PlotSettings::View view = kind == Kind::Pdf ? settings.sheet(shown, mm) : settings.image(shown, kPixels);
  renderer.finish(view.height);
  canvas.finish(view, settings.window());
  if (kind == Kind::Svg) return writeText(canvas.text(), path, error);
  if (kind == Kind::Png)
    return SvgRasteriser::writePng(canvas.text(), static_cast<int>(view.pageWidth),
                                   static_cast<int>(view.pageHeight), path, error);
  return SvgRasteriser::writePdf(canvas.text(), view.pageWidth, view.pageHeight, path, error);
}
