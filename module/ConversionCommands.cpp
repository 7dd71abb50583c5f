// Maintenance commands kept off the help listing: msc_has hatches every
// space in one colour and says how long it took, msc_hs hatches one picked
// space, msc_isc turns the room labels of a foreign labelling scheme into
// spaces, msc_cal puts the three label attributes of every space on their
// own layers, and msc_dsd prints all the module knows about one picked space.
#include <chrono>
#include <cmath>
#include <ctime>
#include <memory>
#include <string>

#include "AcDbAttribute.h"
#include "AcDbBlockReference.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "AcGeConstants.h"
#include "aced.h"
#include "acutads.h"
#include "host/AcadDrawing.h"
#include "host/AcadDrawingLock.h"
#include "host/AcadDrawingState.h"
#include "host/AcadUtilities.h"
#include "host/Layer.h"
#include "host/Layers.h"
#include "host/SelectionSet.h"
#include "host/StatusBarProgress.h"
#include "module/CommandShell.h"
#include "module/commands.h"
#include "spaces/BlockDWG.h"
#include "spaces/Blocks.h"
#include "spaces/Hatch.h"
#include "spaces/ZelphAttribute.h"
#include "support/Preferences.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"
#include "tools/SpaceOutline.h"

namespace {

const std::wstring kLabelLayer = L"DOVREL";
const wchar_t* const kAttributeLayers[] = {L"ATT-NAME", L"ATT-AREA", L"ATT-AUX"};

// ---- msc_isc: the foreign room labels ----

// What a foreign room label says: the room's name and text style, and the
// handle of its outline.
struct DovrelLabel {
  std::wstring room;
  std::wstring outlineHandle;
  double height = 10.0;
  double widthFactor = 1.0;
  double rotation = 10.0;  // degrees, when the label has no ROOM text
};

DovrelLabel interrogateDovrelBlock(AcDbBlockReference* label) {
  ZELPH_TRY
    DovrelLabel found;
    for (auto it = label->attributeIterator(); !it->done(); it->step()) {
      AcDbObjectPointer<AcDbAttribute> attribute(it->objectId(), AcDb::kForRead);
      if (!attribute) continue;
      if (attribute->tag() == L"ROOM") {
        found.room = attribute->textString();
        found.height = attribute->height();
        found.widthFactor = attribute->widthFactor();
        found.rotation = attribute->rotation() * 180.0 / kPi;
      } else if (attribute->tag() == L"PLINE2_ID") {
        found.outlineHandle = attribute->textString();
      }
    }
    return found;
  ZELPH_CATCH(L"interrogateDovrelBlock")
}

// The labelled outline, closed; the null id when the handle names nothing
// that can be opened.
AcDbObjectId closedOutline(const std::wstring& handle) {
  if (handle.empty()) return AcDbObjectId::kNull;
  const AcDbObjectId id = CAcadUtilities::convertHandleToObjectId(AcDbHandle(handle.c_str()));
  AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
  if (!entity) return AcDbObjectId::kNull;
  if (auto* polyline = AcDbPolyline::cast(entity.object())) polyline->setClosed(true);
  return id;
}

// Numbered as the space creator numbers, so that no label collides with a
// space the drawing already has; the number is used up only by a space made.
void createDovrelBlock(CAcadDrawing& drawing, AcDbObjectId outlineId, const AcGePoint3d& at, const DovrelLabel& label,
                       int& number, const CPreferences& preferences) {
  ZELPH_TRY
    CSpaceOutline outline(outlineId, preferences.getUnits(), preferences.getPrecision());
    if (!outline.prepare(drawing, at)) return;
    CBlockDWGRoom room;
    outline.fillSpace(room, label.room, L"ROOM-" + CUtilities::IntToCString(number), label.height, label.widthFactor,
                      label.rotation, false);
    if (outline.createBlockReference(room, drawing, label.height, label.widthFactor, label.rotation) == Acad::eOk)
      ++number;
  ZELPH_CATCH(L"createDovrelBlock")
}

void convertDovrelLabel(CAcadDrawing& drawing, AcDbObjectId labelId, int& number, const CPreferences& preferences) {
  AcDbObjectPointer<AcDbBlockReference> label(labelId, AcDb::kForWrite);
  if (!label) return;
  const DovrelLabel read = interrogateDovrelBlock(label.object());
  const AcDbObjectId outline = closedOutline(read.outlineHandle);
  if (!outline.isNull()) createDovrelBlock(drawing, outline, label->position(), read, number, preferences);
  // The label goes out of sight with its layer, made space or not.
  label->setLayer(kLabelLayer.c_str());
}

void showOnlyTheBomaLayer(CAcadDrawing& drawing) {
  CLayers layers;
  AcCmColor white;
  white.setRGB(255, 255, 255);
  std::wstring name = kLabelLayer;
  layers.ensureLayerExists(drawing, name, white);
  layers.getDWGLayers(drawing);
  if (CLayer* labels = layers.getAtLayer(kLabelLayer)) {
    labels->setOff(1);
    labels->applyToDWG(drawing);
  }
  if (CLayer* boma = layers.getAtLayer(L"BOMA")) {
    boma->setFrozen(0);
    boma->setOff(0);
    boma->applyToDWG(drawing);
  }
}

int getDovrelBlockSS(ads_name selection) {
  const AcResBufPtr filter(acutBuildList(RTDXF0, L"INSERT", 2, L"DOVREL_SPACE_LABEL", 0));
  return acedSSGet(L"X", nullptr, nullptr, filter.get(), selection);
}

void convertDovrelLabels(CAcadDrawing& drawing, const CPreferences& preferences) {
  const CSelectionSet selection(getDovrelBlockSS);
  if (!selection.made()) return;
  int number = CBlocks::nextRoomNumber(drawing);
  for (const AcDbObjectId& id : selection.ids()) convertDovrelLabel(drawing, id, number, preferences);
}

// ---- msc_cal: the attribute layers ----

// True when one of the space's label attributes was on another layer.
bool moveToAttributeLayers(CBlockDWG& space) {
  CAttributes* attributes = space.getAttributes();
  if (attributes == nullptr) return false;
  bool moved = false;
  for (const int kind : {CZelphAttribute::kName, CZelphAttribute::kArea, CZelphAttribute::kAux}) {
    CAttribute* attribute = attributes->getAtAttribute(kind);
    if (attribute == nullptr || attribute->getLayer() == kAttributeLayers[kind]) continue;
    attribute->setLayer(kAttributeLayers[kind]);
    moved = true;
  }
  return moved;
}

void writeAttributeLayers(CBlockDWG& space) {
  AcDbObjectPointer<AcDbBlockReference> reference(space.getObjectId(), AcDb::kForWrite);
  if (reference) space.getAttributes()->applyToDWG(reference.object());
}

// The space of the drawing the user picks; null when nothing or no space
// was picked.
CBlockDWG* pickedSpace(CAcadDrawing& drawing, CBlocks& spaces) {
  AcDbHandle handle;
  if (CAcadUtilities::userSelectSpaceHandle(handle) != CAcadUtilities::kPicked) return nullptr;
  ACHAR text[17];
  handle.getIntoAsciiBuffer(text);
  spaces.getZelphDWGBlocks_SS(drawing, false, L'f');
  return static_cast<CBlockDWG*>(spaces.getAt(std::wstring(text)));
}

// ---- msc_has and msc_hs: hatching in one colour ----

std::unique_ptr<CHatch> maintenanceHatch() {
  auto hatch = std::make_unique<CHatch>();
  hatch->setPattern(L"SOLID");
  hatch->setAngle(0);
  hatch->setScale(500);
  hatch->setLayer(L"#Hatch");
  AcCmColor yellow;
  yellow.setRGB(255, 255, 0);
  hatch->setColour(yellow);
  return hatch;
}

void hatchSpace(CAcadDrawing& drawing, CBlockDWG& space) {
  space.setHatch(maintenanceHatch());
  CZelphExceptions errors;
  space.applyToDWG(drawing, errors);
  errors.displayMessageBoxes();
}

void printLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  wchar_t text[16];
  std::wcsftime(text, sizeof text / sizeof text[0], L"%H:%M:%S", &local);
  acutPrintf(L"%s\n", text);
}

// ---- msc_dsd: one space's details ----

void printAttribute(const CAttributes& attributes, int kind, const wchar_t* format) {
  if (const CAttribute* attribute = attributes.getAtAttribute(kind)) acutPrintf(format, attribute->getValue().c_str());
}

void displaySpaceDetails(const CBlockDWG& space) {
  acutPrintf(L"\n");
  acutPrintf(L"Block Identifier %s\n", space.getBlockName().c_str());
  acutPrintf(L"Handle\t\t\t %s\n", space.getHandle().c_str());
  if (const CAttributes* attributes = space.getAttributes()) {
    if (attributes->getCount() > 0) {
      acutPrintf(L"Attributes\n");
      printAttribute(*attributes, CZelphAttribute::kName, L"\tName '%s'\n");
      printAttribute(*attributes, CZelphAttribute::kArea, L"\tArea '%s'\n");
      printAttribute(*attributes, CZelphAttribute::kAux, L"\t Aux '%s'\n");
      acutPrintf(L"\n");
    }
  }
  acutPrintf(L"XDATA\n");
  acutPrintf(L"\t Area           %f\n", space.getArea());
  acutPrintf(L"\t Perimeter      %f\n", space.getPerimeter());
  acutPrintf(L"\t Tag Type       %s\n", space.getTagType().c_str());
  acutPrintf(L"\t Area Type      %s\n", space.getAreaType().c_str());
  acutPrintf(L"\t Cost Centre    %s\n", space.getCostCentre().c_str());
  acutPrintf(L"\t Date           %s\n", space.getDate().c_str());
  acutPrintf(L"\t Date Last Move %s\n", space.getDateLastMove().c_str());
  acutPrintf(L"\t Dept Charge    %s\n", space.getDeptCharge().c_str());
  acutPrintf(L"\t Room Height    %f\n", space.getRoomHeight());
  acutPrintf(L"\t Special Req    %s\n", space.getSpecialReq().c_str());
  acutPrintf(L"\t Tot Staff      %s\n", space.getTotalStaff().c_str());
  acutPrintf(L"\t Tot Wk Stns    %s\n", space.getTotalWorkstations().c_str());
  acutPrintf(L"\t Vloume         %f\n", space.getVolume());
  acutPrintf(L"\n\n");
}

}  // namespace

void msc_has() {
  CCommandShell shell;
  ZELPH_TRY
    printLocalTime();
    const auto started = std::chrono::steady_clock::now();
    CAcadDrawing drawing;
    drawing.bindCurrentDocument();
    CBlocks spaces;
    spaces.getZelphDWGBlocks_SS(drawing, false, L'f');
    int hatched = 0;
    CStatusBarProgress progress(L"Hatching spaces", spaces.getCount());
    for (int index = 0; index < spaces.getCount(); ++index) {
      progress.step();
      auto& space = *static_cast<CBlockDWG*>(spaces.getAt(index));
      if (space.getName() == L"GROSS AREA") continue;
      ++hatched;
      hatchSpace(drawing, space);
    }
    printLocalTime();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
    const int seconds = static_cast<int>(std::lround(elapsed.count()));
    acutPrintf(L"%i block(s) hatched in %d seconds (%.2f s/b)\n", hatched, seconds,
               hatched > 0 ? static_cast<double>(seconds) / hatched : 0.0);
  ZELPH_COMMAND_CATCH(L"hatchAllSpaces")
}

void msc_hs() {
  CCommandShell shell;
  ZELPH_TRY
    CAcadDrawing drawing;
    drawing.bindCurrentDocument();
    CBlocks spaces;
    if (CBlockDWG* space = pickedSpace(drawing, spaces)) hatchSpace(drawing, *space);
  ZELPH_COMMAND_CATCH(L"hatchSpace")
}

void msc_isc() {
  CCommandShell shell;
  ZELPH_TRY
    CAcadDrawing drawing;
    drawing.bindCurrentDocument();
    CPreferences preferences;
    preferences.loadPreferences();
    drawing.zoomExtents();
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return;
    showOnlyTheBomaLayer(drawing);
    convertDovrelLabels(drawing, preferences);
  ZELPH_COMMAND_CATCH(L"zelphDovrelConversion")
}

void msc_cal() {
  CCommandShell shell;
  ZELPH_TRY
    CAcadDrawing drawing;
    if (!drawing.bindCurrentDocument()) return;
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return;
    for (std::wstring layer : kAttributeLayers) CLayer::ensureLayerExists(layer, drawing);
    CAcadDrawingState found, takeOff;
    found.getState(drawing);
    takeOff.getState(drawing);
    takeOff.setStateForTakeOff(drawing);
    CBlocks spaces;
    spaces.getZelphDWGBlocks_SS(drawing, false, L'f');
    for (int index = 0; index < spaces.getCount(); ++index) {
      auto& space = *static_cast<CBlockDWG*>(spaces.getAt(index));
      if (moveToAttributeLayers(space)) writeAttributeLayers(space);
    }
    // Every layer goes back as it was, not only those the module changed.
    CLayers& layers = found.getLayers();
    for (int index = 0; index < layers.count(); ++index) layers.getAt(index)->setChanged(1);
    found.applyState(drawing, false);
  ZELPH_COMMAND_CATCH(L"checkAttributeLayers")
}

void msc_dsd() {
  CCommandShell shell;
  ZELPH_TRY
    CAcadDrawing drawing;
    drawing.bindCurrentDocument();
    CBlocks spaces;
    if (const CBlockDWG* space = pickedSpace(drawing, spaces)) displaySpaceDetails(*space);
  ZELPH_COMMAND_CATCH(L"displaySpaceDetails")
}
