// Creating and deleting spaces: mbc opens the space creator, mgabc makes
// the drawing's single gross-area block, mdb turns a space back into its
// outline.
#include "AcDbBlockTable.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "acutads.h"
#include "host/AcadDrawing.h"
#include "host/AcadUtilities.h"
#include "module/CommandShell.h"
#include "module/commands.h"
#include "spaces/BlockDWG.h"
#include "support/Preferences.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"
#include "tools/PresBlockCreation.h"
#include "tools/SpaceOutline.h"

namespace {

const std::wstring kGrossAreaBlock = L"ROOM-GROSS_AREA";

// Exact, case-sensitive: the block table itself ignores case.
bool blockDefinitionExists(CAcadDrawing& drawing, const std::wstring& wanted) {
  AcDbDatabase* database = drawing.isOpen() ? drawing.getDatabase() : nullptr;
  if (database == nullptr) return false;
  const AcDbObjectPointer<AcDbBlockTable> table(database->blockTableId(), AcDb::kForRead);
  if (!table) return false;
  for (const AcDbObjectId& id : table->recordIds()) {
    const AcDbObjectPointer<AcDbBlockTableRecord> block(id, AcDb::kForRead);
    if (!block) continue;
    std::wstring name;
    block->getName(name);
    if (!name.empty() && name.front() != L'*' && name == wanted) return true;
  }
  return false;
}

void createGrossAreaBlock(CAcadDrawing& drawing, AcDbObjectId polylineId, const CPreferences& preferences) {
  ZELPH_TRY
    CSpaceOutline outline(polylineId, preferences.getUnits(), preferences.getPrecision());
    if (!outline.prepare(drawing)) return;
    CBlockDWGFloor floor;
    outline.fillSpace(floor, L"GROSS AREA", kGrossAreaBlock, preferences.getTextSize(), preferences.getTextScale(),
                      preferences.getTextRotation(), true);
    const Acad::ErrorStatus status = outline.createBlockReference(
        floor, drawing, preferences.getTextSize(), preferences.getTextScale(), preferences.getTextRotation());
    if (status == Acad::eOk)
      acutPrintf(L"Block Created Successfully\n");
    else
      acutPrintf(L"Block Creation Failed - Error Code %s\n", CUtilities::IntToCString(static_cast<int>(status)).c_str());
  ZELPH_CATCH(L"createGrossAreaBlock")
}

// Checks the picked outline and makes the block from it.
void takeGrossAreaOutline(CAcadDrawing& drawing, AcDbObjectId polylineId) {
  if (!CSpaceOutline::isClosedOutline(polylineId, true)) return;
  CPreferences preferences;
  preferences.loadPreferences();
  createGrossAreaBlock(drawing, polylineId, preferences);
}

}  // namespace

void zelphBlockCreate() {
  CCommandShell shell(L"Zelph Block Create");
  ZELPH_TRY
    CPresBlockCreation::open();
  ZELPH_COMMAND_CATCH(L"zelphBlockCreate")
}

void zelphGrossAreaBlockCreate() {
  CCommandShell shell(L"Zelph Create Gross Area Block");
  ZELPH_TRY
    CAcadDrawing drawing;
    drawing.bindCurrentDocument();
    if (blockDefinitionExists(drawing, kGrossAreaBlock)) {
      acutPrintf(L"\n\nGross Area Block Already Exists\n");
      return;
    }
    if (drawing.lock() != Acad::eOk) return;
    AcDbObjectId polylineId;
    if (CAcadUtilities::selectObjectId(polylineId, L"\nPlease select a polyline:\n", L"AcDbPolyline") ==
        CAcadUtilities::kPicked) {
      try {
        takeGrossAreaOutline(drawing, polylineId);
      } catch (...) {
        drawing.unlock();
        throw;
      }
    }
    drawing.unlock();
  ZELPH_COMMAND_CATCH(L"grossAreaBlockCreate")
}

void zelphDeleteBlock() {
  CCommandShell shell(L"Zelph Block Delete");
  ZELPH_TRY
    CAcadDrawing drawing;
    drawing.bindCurrentDocument();
    CBlockDWG space;
    AcDbObjectId id;
    if (CAcadUtilities::selectObjectId(id, L"Select the Zelph Block to delete", L"AcDbBlockReference") !=
        CAcadUtilities::kPicked)
      return;
    space.setObjectId(id);
    space.deleteBlock(drawing);
  ZELPH_COMMAND_CATCH(L"zelphDeleteBlock")
}
