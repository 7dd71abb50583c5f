// Applying a graphic report to a drawing: every listed space found by its
// handle is given its category's presentation, written back and hatched,
// the layers the report lists and the layers of everything it touched are
// shown and all others hidden.  What goes wrong with one space is printed
// after it and the rest of the report is still applied.
#pragma once

#include <memory>
#include <string>

#include "AcDbObjectId.h"
#include "host/AcadDrawingState.h"
#include "spaces/DrawnHatches.h"

class CAcadDrawing;
class CBlockDWG;
class CCategory;
class CGraphicReport;
class CZelphExceptions;

class CReportApplication {
 public:
  CReportApplication(CAcadDrawing& drawing, CGraphicReport& report);
  CReportApplication(const CReportApplication&) = delete;
  CReportApplication& operator=(const CReportApplication&) = delete;

  // Applies the report to the drawing, whose document is open.  The report's
  // categories then hold the spaces as the drawing has them.
  static void applyToDrawing(CAcadDrawing& drawing, CGraphicReport& report);

  void run();

 private:
  void prepareOutputState();
  void applyLayerList();
  void applyCategories();
  // Hatches, links and relabels the category's assets found by their
  // handles and shows their layers; what goes wrong with them is not shown.
  void applyAssets(CCategory& category);
  void applySpaces(CCategory& category);
  // The space of the drawing with the listed space's handle, given its
  // presentation and written back; null when the handle names no space.
  std::unique_ptr<CBlockDWG> applyListed(const CBlockDWG& listed);
  // Every space of the drawing but the gross-area block, as the category's spaces from now on.
  void applyToEverySpace(const CBlockDWG& wildcard, CCategory& category);
  // The listed presentation on a space of the drawing, which keeps its own
  // label height, rotation and width factor (and its area, withArea clear).
  void present(const CBlockDWG& listed, CBlockDWG& space, bool withArea) const;
  void write(CBlockDWG& space);
  void printErrors(const CBlockDWG& space, const CZelphExceptions& errors) const;
  // The legend and the pie chart where the first markers of the drawing
  // stand; what goes wrong with either is added to the failures.
  void drawChartsAtMarkers(CZelphExceptions& failures);
  void drawLegendAtMarker(CZelphExceptions& failures);
  // Erases model space's references to the block of that name.
  void eraseReferencesTo(const std::wstring& blockName);
  // The report's pie chart where the drawing's first pie marker stands.
  void drawPieChartAtMarker();
  void switchOnLayerOf(AcDbObjectId entityId);
  void switchOn(const std::wstring& layer);

  CAcadDrawing& m_drawing;
  CGraphicReport& m_report;
  // The drawing's layout and layers as the report leaves them.
  CAcadDrawingState m_output;
  // Hatches drawn by earlier reports, by the space or asset they cover.
  CDrawnHatches m_drawn;
};
