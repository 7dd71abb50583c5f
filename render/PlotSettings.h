// How a picture is laid out: a window of the drawing or its extents, and
// for a plot the sheet, its orientation, the scale and the margins.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "AcDbExtents.h"

class PlotSettings {
 public:
  // The part of the drawing a picture shows and how big it is.
  struct View {
    double left = 0.0, bottom = 0.0, width = 1.0, height = 1.0;  // drawing units
    double pageWidth = 1.0, pageHeight = 1.0;  // pixels for an image, millimetres for a sheet
    double unitsPerMm = 1.0;                   // drawing units one millimetre of the page shows
    bool onSheet = false;
  };

  // Reads "--layout NAME", "--sheet A3", "--portrait", "--landscape", "--scale 1:100|fit",
  // "--margin MM" and "--window X1,Y1,X2,Y2"; false with the reason in error.
  bool parse(const std::vector<std::string>& options, std::string& error);
  static const char* usage();

  bool hasSheetOptions() const { return m_sheetOptions; }
  const std::optional<AcDbExtents>& window() const { return m_window; }
  // The paper space layout to show; empty for model space.
  const std::string& layout() const { return m_layout; }
  // An image whose longer side is that many pixels, around what is shown.
  View image(const AcDbExtents& shown, int pixels) const;
  // A sheet with what is shown at its centre; unitMm is how long the
  // drawing's unit is, for a scale given as a ratio.
  View sheet(const AcDbExtents& shown, double unitMm) const;

 private:
  bool readSheet(const std::string& name, std::string& error);
  bool readScale(const std::string& text, std::string& error);
  bool readWindow(const std::string& text, std::string& error);

  double m_sheetWidth = 210.0, m_sheetHeight = 297.0;  // A4
  enum class Orientation { Fit, Portrait, Landscape } m_orientation = Orientation::Fit;
  double m_ratio = 0.0;  // paper to drawing, 0 to fit
  double m_margin = 10.0;
  std::optional<AcDbExtents> m_window;
  std::string m_layout;
  bool m_sheetOptions = false;
};
