// mlmc and mpmc: a legend marker from a closed polyline, a pie chart
// marker from a circle, for graphic reports to be drawn at.
#include <memory>

#include "AcDbBlockTable.h"
#include "AcDbCurve.h"
#include "AcDbDatabase.h"
#include "AcDbObjectPointer.h"
#include "acutads.h"
#include "host/AcadDrawing.h"
#include "host/AcadDrawingLock.h"
#include "host/AcadUtilities.h"
#include "host/HostProduct.h"
#include "module/CommandShell.h"
#include "module/DocumentLock.h"
#include "module/commands.h"
#include "spaces/MarkerBlockLegend.h"
#include "spaces/MarkerBlockPie.h"
#include "support/Preferences.h"
#include "support/ZelphExceptions.h"

namespace {

// What one marker command says.
struct MarkerCommand {
  const wchar_t* title;
  const wchar_t* exists;
  const wchar_t* pick;
  const wchar_t* onLockedLayer;
  const wchar_t* unopened;
};

const MarkerCommand kLegend = {
    L"Zelph Create Legend Marker Block", L"\n\nLegend Marker Block Already Exists\n", L"\nPlease select a polyline:\n",
    L"\nPolyline On Locked Layer - Legend Block Marker Creation Failed\n",
    L"\nUnable to get Polyline - Error %s - Legend Block Marker Creation Failed\n"};
const MarkerCommand kPie = {
    L"Zelph Create Pie Chart Marker Block", L"\n\n Pie Chart Marker Block Already Exists\n",
    L"\nPlease select a circle:\n", L"\nCircle On Locked Layer - Pie Chart Marker Block Creation Failed\n",
    L"\nUnable to get Circle - Error %s - Pie Chart Marker Block Creation Failed\n"};

bool hasBlock(AcDbDatabase* database, const wchar_t* name) {
  AcDbObjectPointer<AcDbBlockTable> table(database->blockTableId(), AcDb::kForRead);
  return table && table->has(name);
}

// Whether the picked outline can become a marker; says why not.
bool isUsableOutline(AcDbObjectId id, const MarkerCommand& words) {
  AcDbEntityPointer outline(id, AcDb::kForWrite);
  if (outline.openStatus() == Acad::eOnLockedLayer) {
    acutPrintf(words.onLockedLayer);
    return false;
  }
  if (!outline) {
    acutPrintf(words.unopened, acadErrorStatusText(outline.openStatus()));
    return false;
  }
  const AcDbCurve* curve = AcDbCurve::cast(outline.object());
  if (curve == nullptr || !curve->isClosed()) {
    acutPrintf(L"\nInvalid Selection - Polyline is not closed\n\n");
    return false;
  }
  return true;
}

template <class Marker>
void createMarker(const MarkerCommand& words, const wchar_t* creation) {
  const CDocumentLock documentLock;
  if (!CHostProduct::current().isFullProduct()) return;
  CCommandShell shell(words.title);
  CAcadDrawing drawing;
  drawing.bindCurrentDocument();
  if (drawing.getDatabase() == nullptr) return;
  if (hasBlock(drawing.getDatabase(), Marker::kKind.blockName)) {
    acutPrintf(words.exists);
    return;
  }
  const CAcadDrawingLock lock(drawing);
  if (!lock.isLocked()) return;
  CPreferences preferences;
  preferences.loadPreferences();
  AcDbObjectId outline;
  if (CAcadUtilities::selectObjectId(outline, words.pick, Marker::kKind.outlineClass) != CAcadUtilities::kPicked)
    return;
  if (!isUsableOutline(outline, words)) return;
  ZELPH_TRY
    Marker().createMarkerBlock(drawing, outline, preferences);
  ZELPH_CATCH(creation)
}

}  // namespace

void zelphLegendMarkerCreate() {
  try {
    createMarker<CMarkerBlockLegend>(kLegend, L"createLegendMarkerBlock");
  } catch (...) {
    acutPrintf(L"\nUnhandled Error - Marker Block Creation Failed\n");
    zelphCommandFailed(L"legendMarkerBlockCreate");
  }
}

void zelphPieMarkerCreate() {
  try {
    createMarker<CMarkerBlockPie>(kPie, L"createPieMarkerBlock");
  } catch (...) {
    acutPrintf(L"\nUnhandled Error - Marker Block Creation Failed\n");
    zelphCommandFailed(L"pieMarkerBlockCreate");
  }
}
