// mgr and magr: applying a graphic report to the drawing it names or to
// the current drawing; mlbd and mpbd: defining a report's legend or pie
// chart in the current drawing from settings asked for.
#include <memory>

#include "AcApDocManager.h"
#include "aced.h"
#include "acutads.h"
#include "charts/LegendTable.h"
#include "host/AcadDrawing.h"
#include "host/HostProduct.h"
#include "host/SelectionSet.h"
#include "module/CommandShell.h"
#include "module/DocumentLock.h"
#include "module/commands.h"
#include "reports/GraphicReport.h"
#include "reports/ReportApplication.h"
#include "spaces/Blocks.h"
#include "support/FileUtilities.h"
#include "support/ZelphExceptions.h"

namespace {

// The report's own drawing, opened and left open; or the current one.
std::unique_ptr<CAcadDrawing> drawingFor(const CGraphicReport& report, bool named) {
  if (named) {
    auto drawing = std::make_unique<CAcadDrawing>(report.getDrawingPath(), report.getDrawingFilename());
    drawing->setCurrentDocument(1);
    return drawing;
  }
  auto drawing = std::make_unique<CAcadDrawing>();
  drawing->bindCurrentDocument();
  return drawing;
}

// Asks for a report file and runs the work on the report and its drawing
// inside the drawing's lock; false when no file was given.
template <class Work>
bool withReport(bool named, Work work) {
  const std::wstring path = CFileUtilities::browseForFile(L"XML Graphic Reports (*.xml)|*.xml");
  if (path.empty()) return false;
  CGraphicReport report;
  report.load(path);
  const std::unique_ptr<CAcadDrawing> drawing = drawingFor(report, named);
  if (drawing->lock() == Acad::eOk) {
    try {
      work(report, *drawing);
    } catch (...) {
      drawing->unlock();
      throw;
    }
    drawing->unlock();
  }
  return true;
}

bool hasMarkers(int (*select)(ads_name)) { return CSelectionSet(select).length() > 0; }

// A drawing with both markers got its legend and pie chart when the report
// was applied; the missing ones are defined from settings asked for.
void defineChartsWithoutMarkers(CGraphicReport& report, CAcadDrawing& drawing) {
  if (!CHostProduct::current().isFullProduct()) return defineLegacyLegendAndPie(drawing, report, true, true);
  const bool legend = !hasMarkers(CBlocks::getLegendBlockSS);
  const bool pie = !hasMarkers(CBlocks::getPieBlockSS);
  if (legend || pie) defineLegacyLegendAndPie(drawing, report, legend, pie);
}

void applyReport(bool named) {
  const CDocumentLock documentLock;
  const bool given = withReport(named, [](CGraphicReport& report, CAcadDrawing& drawing) {
    CReportApplication::applyToDrawing(drawing, report);
    acutPrintf(L"graphic report successfully applied.\n");
    defineChartsWithoutMarkers(report, drawing);
  });
  if (given) acutPrintf(L"\n");
}

void defineChart(bool legend, bool pie) {
  const CDocumentLock documentLock;
  withReport(false, [legend, pie](CGraphicReport& report, CAcadDrawing& drawing) {
    defineLegacyLegendAndPie(drawing, report, legend, pie);
  });
}

}  // namespace

void zelphGraphicReport() {
  CCommandShell shell;
  ZELPH_TRY
    applyReport(true);
  ZELPH_COMMAND_CATCH(L"graphicReport")
}

void zelphApplyGraphicReport() {
  CCommandShell shell;
  ZELPH_TRY
    applyReport(false);
  ZELPH_COMMAND_CATCH(L"applyGraphicReport")
}

void zelphLegendBlockDefine() {
  CCommandShell shell(L"Zelph Legend Block Define");
  ZELPH_TRY
    defineChart(true, false);
  ZELPH_COMMAND_CATCH(L"legendBlockDefine")
}

void zelphPieBlockDefine() {
  CCommandShell shell(L"Zelph Pie Chart Block Define");
  ZELPH_TRY
    defineChart(false, true);
  ZELPH_COMMAND_CATCH(L"pieBlockDefine")
}
