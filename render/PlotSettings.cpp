#include "PlotSettings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

struct Sheet {
  const char* name;
  double width, height;  // millimetres, portrait
};

const Sheet kSheets[] = {
    {"A4", 210, 297},        {"A3", 297, 420},         {"A2", 420, 594},         {"A1", 594, 841},
    {"A0", 841, 1189},       {"LETTER", 215.9, 279.4}, {"LEGAL", 215.9, 355.6},  {"TABLOID", 279.4, 431.8},
    {"ANSI-C", 431.8, 558.8}, {"ANSI-D", 558.8, 863.6}, {"ANSI-E", 863.6, 1117.6},
};

std::string upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// A whole text as a positive finite number.
bool readNumber(const std::string& text, double& value) {
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && end == text.c_str() + text.size() && std::isfinite(value);
}

bool readNumbers(std::string text, size_t count, std::vector<double>& values) {
  values.clear();
  std::replace(text.begin(), text.end(), ',', ' ');
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find(' ', start), text.size());
    double value = 0.0;
    if (end > start) {
      if (!readNumber(text.substr(start, end - start), value)) return false;
      values.push_back(value);
    }
    start = end + 1;
  }
  return values.size() == count;
}

}  // namespace

const char* PlotSettings::usage() {
  return "  --layout NAME        a paper space layout with its viewports (default model space)\n"
         "  --window X1,Y1,X2,Y2 show only that window of the drawing (default its extents)\n"
         "  --sheet NAME         a PDF plot's sheet: A4 (default) to A0, Letter, Legal, Tabloid,\n"
         "                       ANSI-C to ANSI-E, or WIDTHxHEIGHT in millimetres\n"
         "  --portrait, --landscape  the sheet's orientation (default: as the drawing is wider or taller)\n"
         "  --scale 1:N|fit      paper to drawing in the drawing's units (default fit)\n"
         "  --margin MM          the margin round the sheet (default 10)\n";
}

bool PlotSettings::parse(const std::vector<std::string>& options, std::string& error) {
  for (size_t index = 0; index < options.size(); ++index) {
    const std::string& option = options[index];
    if (option == "--portrait" || option == "--landscape") {
      m_orientation = option == "--portrait" ? Orientation::Portrait : Orientation::Landscape;
      m_sheetOptions = true;
      continue;
    }
    if (option != "--sheet" && option != "--scale" && option != "--margin" && option != "--window" &&
        option != "--layout") {
      error = "unknown option " + option;
      return false;
    }
    if (index + 1 >= options.size()) {
      error = option + " needs a value";
      return false;
    }
    const std::string& value = options[++index];
    bool read = true;
    if (option == "--sheet") read = readSheet(value, error);
    else if (option == "--scale") read = readScale(value, error);
    else if (option == "--window") read = readWindow(value, error);
    else if (option == "--layout") m_layout = value;
    else if (!readNumber(value, m_margin) || m_margin < 0.0) read = false, error = "--margin needs millimetres";
    if (!read) return false;
    m_sheetOptions = m_sheetOptions || (option != "--window" && option != "--layout");
  }
  return true;
}

bool PlotSettings::readSheet(const std::string& name, std::string& error) {
  const std::string wanted = upper(name);
  for (const Sheet& sheet : kSheets) {
    if (wanted != sheet.name) continue;
    m_sheetWidth = sheet.width;
    m_sheetHeight = sheet.height;
    return true;
  }
  const size_t by = wanted.find('X');
  if (by != std::string::npos && readNumber(wanted.substr(0, by), m_sheetWidth) &&
      readNumber(wanted.substr(by + 1), m_sheetHeight) && m_sheetWidth > 0.0 && m_sheetHeight > 0.0)
    return true;
  error = "unknown sheet " + name + " (A4 to A0, Letter, Legal, Tabloid, ANSI-C to ANSI-E, or WIDTHxHEIGHT in mm)";
  return false;
}

bool PlotSettings::readScale(const std::string& text, std::string& error) {
  if (upper(text) == "FIT") {
    m_ratio = 0.0;
    return true;
  }
  const size_t colon = text.find(':');
  double paper = 0.0, drawing = 0.0;
  if (colon != std::string::npos && readNumber(text.substr(0, colon), paper) &&
      readNumber(text.substr(colon + 1), drawing) && paper > 0.0 && drawing > 0.0) {
    m_ratio = paper / drawing;
    return true;
  }
  error = "the scale is 1:N or fit, not " + text;
  return false;
}

bool PlotSettings::readWindow(const std::string& text, std::string& error) {
  std::vector<double> corners;
  if (!readNumbers(text, 4, corners) || corners[0] == corners[2] || corners[1] == corners[3]) {
    error = "the window is two opposite corners X1,Y1,X2,Y2, not " + text;
    return false;
  }
  m_window = AcDbExtents(AcGePoint3d(std::min(corners[0], corners[2]), std::min(corners[1], corners[3]), 0.0),
                         AcGePoint3d(std::max(corners[0], corners[2]), std::max(corners[1], corners[3]), 0.0));
  return true;
}

PlotSettings::View PlotSettings::image(const AcDbExtents& shown, int pixels) const {
  const AcGePoint3d low = shown.minPoint(), high = shown.maxPoint();
  double sizeX = high.x - low.x, sizeY = high.y - low.y;
  const double longer = std::max({sizeX, sizeY, 1e-9});
  // A window is shown as asked; extents get a margin, so nothing touches the edge.
  const double margin = m_window ? 0.0 : longer * 0.02;
  sizeX = std::max(sizeX, longer / 100.0) + 2.0 * margin;
  sizeY = std::max(sizeY, longer / 100.0) + 2.0 * margin;
  View view;
  view.left = (low.x + high.x - sizeX) / 2.0;
  view.bottom = (low.y + high.y - sizeY) / 2.0;
  view.width = sizeX;
  view.height = sizeY;
  const double pixel = std::max(sizeX, sizeY) / pixels;
  view.pageWidth = std::max(1.0, std::round(sizeX / pixel));
  view.pageHeight = std::max(1.0, std::round(sizeY / pixel));
  // A screen of 96 pixels to the inch.
  view.unitsPerMm = pixel * 96.0 / 25.4;
  return view;
}

PlotSettings::View PlotSettings::sheet(const AcDbExtents& shown, double unitMm) const {
  const AcGePoint3d low = shown.minPoint(), high = shown.maxPoint();
  const double sizeX = std::max(high.x - low.x, 1e-9), sizeY = std::max(high.y - low.y, 1e-9);
  const bool landscape = m_orientation == Orientation::Landscape || (m_orientation == Orientation::Fit && sizeX > sizeY);
  View view;
  view.onSheet = true;
  view.pageWidth = landscape ? std::max(m_sheetWidth, m_sheetHeight) : std::min(m_sheetWidth, m_sheetHeight);
  view.pageHeight = landscape ? std::min(m_sheetWidth, m_sheetHeight) : std::max(m_sheetWidth, m_sheetHeight);
  const double printableX = std::max(view.pageWidth - 2.0 * m_margin, 1.0);
  const double printableY = std::max(view.pageHeight - 2.0 * m_margin, 1.0);
  // Millimetres of paper a drawing unit takes.
  const double paper = m_ratio > 0.0 ? m_ratio * unitMm : std::min(printableX / sizeX, printableY / sizeY);
  view.unitsPerMm = 1.0 / paper;
  view.width = view.pageWidth * view.unitsPerMm;
  view.height = view.pageHeight * view.unitsPerMm;
  view.left = (low.x + high.x - view.width) / 2.0;
  view.bottom = (low.y + high.y - view.height) / 2.0;
  return view;
}
