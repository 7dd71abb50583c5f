// Bulk maintenance of every space of the drawing: mus recalculates, msxta
// copies the record's values into the attributes, mut restyles the label
// texts, maux gives every space an AUX attribute, mbta blanks the AUX texts,
// mrt lays the labels out again and mfrs renames spaces by a name prefix.
#include <cmath>
#include <memory>
#include <vector>

#include "AcDbAttribute.h"
#include "AcDbAttributeDefinition.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbObjectPointer.h"
#include "AcGeMatrix3d.h"
#include "aced.h"
#include "acutads.h"
#include "host/AcadDrawingLock.h"
#include "host/AcadUtilities.h"
#include "host/Layer.h"
#include "host/Layers.h"
#include "module/CommandShell.h"
#include "module/SpaceLoop.h"
#include "module/commands.h"
#include "spaces/ZelphAttribute.h"
#include "support/Preferences.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

const std::wstring kAuxLayer = L"ATT-AUX";

CAttribute* attributeOf(const CBlockDWG& space, int kind) {
  return space.getAttributes() != nullptr ? space.getAttributes()->getAtAttribute(kind) : nullptr;
}

std::wstring areaText(double area, int precision, int units) {
  return CUtilities::DoubleToCString(area, precision) + CBlockDWG::areaUnitText(units);
}

std::wstring perimeterText(double perimeter, int precision, int units) {
  return CUtilities::DoubleToCString(perimeter, precision) + CBlockDWG::lengthUnitText(units);
}

AcGeMatrix3d currentUcs(CAcadDrawing& drawing) {
  AcGeMatrix3d ucs;
  acdbUcsMatrix(ucs, drawing.getDatabase());
  return ucs;
}

// Measures the space again in the preference units.  An AREA or AUX text
// that showed the stored value follows the new one; a text the user typed
// over is left alone.
void updateSpace(CBlockDWG& space, AcApDocument* document, int units, int precision) {
  const CBlockDWG::LinkedLabels linked = space.linkedLabels();
  space.setPrecision(precision);
  space.setUnits(units);
  space.recalculateArea(document);
  space.recalculatePerimeter(document);
  space.relabel(linked);
}

struct SyncChoice {
  bool name = true;
  bool area = true;
  bool perimeter = false;
  bool recalculate = false;
};

void syncSpace(CBlockDWG& space, AcApDocument* document, const SyncChoice& choice, int units, int precision) {
  if (choice.recalculate) {
    space.setPrecision(precision);
    space.setUnits(units);
    space.recalculateArea(document);
    space.recalculatePerimeter(document);
  }
  CAttribute* name = attributeOf(space, CZelphAttribute::kName);
  CAttribute* area = attributeOf(space, CZelphAttribute::kArea);
  CAttribute* aux = attributeOf(space, CZelphAttribute::kAux);
  // Numbers not recalculated are in the space's own units, and so is their text.
  if (!choice.recalculate && space.getUnits() >= 0) units = space.getUnits();
  if (choice.name && name != nullptr) name->setValue(space.getName());
  if (choice.area && area != nullptr) area->setValue(areaText(space.getArea(), precision, units));
  if (choice.perimeter && aux != nullptr) aux->setValue(perimeterText(space.getPerimeter(), precision, units));
}

// One label setting asked for mut; nothing when the answer is "i".
struct TextSettingQuestion {
  const wchar_t* prompt;
  const wchar_t* invalidPrompt;
  const wchar_t* notPositivePrompt;  // null: any number is taken
};

bool askTextSetting(const TextSettingQuestion& question, double defaultValue, double& value) {
  // Shown as it is: at the area precision 0.4 would read 0, which is refused.
  const std::wstring defaultText = CUtilities::DoubleToCString(defaultValue, -1);
  std::wstring prompt = question.prompt;
  for (;;) {
    std::wstring reply;
    const bool answered = CAcadUtilities::getString(prompt, defaultText, reply);
    if (reply == L"i") return false;
    if (!CUtilities::isNumeric(reply)) {
      prompt = question.invalidPrompt;
    } else {
      value = CUtilities::CStringToDouble(reply);
      if (question.notPositivePrompt == nullptr || value > 0.0) return true;
      prompt = question.notPositivePrompt;
    }
    // A cancelled question would give the refused default for ever.
    if (!answered) return false;
  }
}

// ---- maux: the auxiliary attribute ----

// Where NAME and AUX stand around AREA: one and a half text heights
// across the text direction.
struct LabelFrame {
  AcGePoint3d area;
  AcGeVector3d normal;
  double rotation = 0.0;
  double widthFactor = 1.0;
  double height = 0.0;

  AcGeVector3d across() const {
    return AcGeVector3d(-std::sin(rotation) * height * 1.5, std::cos(rotation) * height * 1.5, 0.0);
  }
  AcGePoint3d above() const { return area + across(); }
  AcGePoint3d below() const { return area - across(); }
};

template <class Text>
LabelFrame frameOf(const Text& area) {
  LabelFrame frame;
  frame.area = area.position();
  frame.normal = area.normal();
  frame.rotation = area.rotation();
  frame.widthFactor = area.widthFactor();
  frame.height = area.height();
  return frame;
}

template <class Text>
void placeText(Text& text, const AcGePoint3d& at, const LabelFrame& frame) {
  text.setPosition(at);
  if (!text.isDefaultAlignment()) text.setAlignmentPoint(at);
  text.setRotation(frame.rotation);
  text.setWidthFactor(frame.widthFactor);
  text.setHeight(frame.height);
}

// The NAME, AREA and AUX texts of a block definition or reference, opened
// for write while the labels live.
template <class Text>
class Labels {
 public:
  explicit Labels(const AcDbObjectIdArray& ids) {
    for (const AcDbObjectId& id : ids) {
      auto text = std::make_unique<AcDbObjectPointer<Text>>(id, AcDb::kForWrite);
      if (!*text) continue;
      Slot* slot = slotFor((*text)->tag());
      if (slot != nullptr && *slot == nullptr) *slot = std::move(text);
    }
  }
  Text* name() const { return m_name ? m_name->object() : nullptr; }
  Text* area() const { return m_area ? m_area->object() : nullptr; }
  Text* aux() const { return m_aux ? m_aux->object() : nullptr; }

 private:
  typedef std::unique_ptr<AcDbObjectPointer<Text>> Slot;
  // Tags compare exactly; the first text of each tag counts.
  Slot* slotFor(const std::wstring& tag) {
    if (tag == L"NAME") return &m_name;
    if (tag == L"AREA") return &m_area;
    if (tag == L"AUX") return &m_aux;
    return nullptr;
  }

  Slot m_name, m_area, m_aux;
};

void iterateThroughZelphBlockDefinition(AcDbBlockTableRecord* definition) {
  ZELPH_TRY
    const Labels<AcDbAttributeDefinition> labels(definition->entityIds());
    if (labels.area() == nullptr) return;  // no frame to lay the others out by
    labels.area()->setHorizontalMode(AcDb::kTextLeft);
    const LabelFrame frame = frameOf(*labels.area());
    if (labels.name() != nullptr) {
      labels.name()->setHorizontalMode(AcDb::kTextLeft);
      placeText(*labels.name(), frame.above(), frame);
    }
    if (labels.aux() != nullptr) {
      placeText(*labels.aux(), frame.below(), frame);
      return;
    }
    const AcDbObjectPointer<AcDbAttributeDefinition> aux(
        std::make_unique<AcDbAttributeDefinition>(frame.below(), L"default aux", L"AUX", L"Enter Auxillary"));
    aux->setNormal(frame.normal);
    aux->setHorizontalMode(AcDb::kTextLeft);
    aux->setVerticalMode(labels.area()->verticalMode());
    placeText(*aux.object(), frame.below(), frame);
    aux->setFieldLength(25);
    aux->setLayer(kAuxLayer.c_str());
    definition->appendAcDbEntity(aux.object());
  ZELPH_CATCH(L"iterateThroughZelphBlockDefinition")
}

void iterateThroughZelphBlockReference(AcDbBlockReference* reference) {
  ZELPH_TRY
    AcDbObjectIdArray ids;
    for (auto it = reference->attributeIterator(); !it->done(); it->step()) ids.push_back(it->objectId());
    const Labels<AcDbAttribute> labels(ids);
    if (labels.area() == nullptr) return;
    const LabelFrame frame = frameOf(*labels.area());
    if (labels.name() != nullptr) placeText(*labels.name(), frame.above(), frame);
    if (labels.aux() != nullptr) {
      placeText(*labels.aux(), frame.below(), frame);
      return;
    }
    const AcDbObjectPointer<AcDbAttribute> aux(std::make_unique<AcDbAttribute>(frame.below(), L" ", L"AUX"));
    aux->setNormal(frame.normal);
    aux->setHorizontalMode(labels.area()->horizontalMode());
    aux->setVerticalMode(labels.area()->verticalMode());
    placeText(*aux.object(), frame.below(), frame);
    aux->setLayer(kAuxLayer.c_str());
    reference->appendAttribute(aux.object());
  ZELPH_CATCH(L"iterateThroughZelphBlockReference")
}

void addAuxiliary(const CBlockDWG& space) {
  AcDbObjectPointer<AcDbBlockReference> reference(space.getObjectId(), AcDb::kForWrite);
  if (!reference) return;
  {
    AcDbObjectPointer<AcDbBlockTableRecord> definition(reference->blockTableRecord(), AcDb::kForWrite);
    if (definition) iterateThroughZelphBlockDefinition(definition.object());
  }
  iterateThroughZelphBlockReference(reference.object());
}

void turnOnZelphLayers(CAcadDrawing& drawing) {
  ZELPH_TRY
    CLayers layers;
    layers.getDWGLayers(drawing);
    for (const wchar_t* name : {L"ATT-NAME", L"ATT-AREA", L"ATT-AUX"})
      if (CLayer* layer = layers.getAtLayer(name)) layer->setOff(0);
    layers.applyToDWG(drawing);
  ZELPH_CATCH(L"turnOnZelphLayers")
}

}  // namespace

void zelphUpdateSpaces() {
  CCommandShell shell(L"Zelph Update Spaces");
  ZELPH_TRY
    CPreferences preferences;
    preferences.loadPreferences();
    CSpaceLoop loop;
    AcApDocument* document = loop.getDrawing().getDocument();
    loop.changeEach([&](CBlockDWG& space) {
      updateSpace(space, document, preferences.getUnits(), preferences.getPrecision());
      return true;
    });
  ZELPH_COMMAND_CATCH(L"updateSpaces")
}

void zelphSyncXDataToAttributes() {
  CCommandShell shell(L"Zelph Update Spaces");
  ZELPH_TRY
    SyncChoice choice;
    CAcadUtilities::getBoolean(L"Sync XData name to name attribute?", true, choice.name);
    CAcadUtilities::getBoolean(L"Sync XData area to area attribute?", true, choice.area);
    CAcadUtilities::getBoolean(L"Sync XData perimeter to aux attribute?", false, choice.perimeter);
    CAcadUtilities::getBoolean(L"Recalculate values before sync?", false, choice.recalculate);
    CPreferences preferences;
    preferences.loadPreferences();
    CSpaceLoop loop;
    AcApDocument* document = loop.getDrawing().getDocument();
    loop.changeEach([&](CBlockDWG& space) {
      syncSpace(space, document, choice, preferences.getUnits(), preferences.getPrecision());
      return true;
    });
  ZELPH_COMMAND_CATCH(L"syncXDataToAttributes")
}

void zelphUpdateText() {
  CCommandShell shell(L"Zelph Update Text Size");
  ZELPH_TRY
    CPreferences preferences;
    preferences.loadPreferences();
    double size = 0.0, scale = 0.0, rotation = 0.0;
    const bool newSize = askTextSetting({L"Enter new Text Size or (i)gnore", L"Invalid Input. Enter new Text Siz or (i)gnore",
                                         L"Text Size must be greater than 0\nEnter new Text Size or (i)gnore"},
                                        preferences.getTextSize(), size);
    const bool newScale =
        askTextSetting({L"Enter new Text Scale or (i)gnore", L"Invalid Input. Enter new Text Scale or (i)gnore",
                        L"Text Scale must be greater than 0\nEnter new Text Scale or (i)gnore"},
                       preferences.getTextScale(), scale);
    const bool newRotation = askTextSetting(
        {L"Enter new Text Rotation or (i)gnore", L"Invalid Input. Enter new Text Rotation or (i)gnore", nullptr},
        preferences.getTextRotation(), rotation);
    CSpaceLoop loop;
    loop.changeEach([&](CBlockDWG& space) {
      if (CAttributes* attributes = space.getAttributes()) {
        if (newSize) attributes->setTextHeight(size);
        if (newScale) attributes->setWidthFactor(scale);
        if (newRotation) attributes->setRotation(rotation);
      }
      return true;
    });
  ZELPH_COMMAND_CATCH(L"updateTextSize")
}

void zelphAuxilarator() {
  CCommandShell shell;
  ZELPH_TRY
    CSpaceLoop loop;
    CAcadDrawing& drawing = loop.getDrawing();
    if (!drawing.isOpen()) return;
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return;
    std::wstring layer = kAuxLayer;
    CLayer::ensureLayerExists(layer, drawing);
    turnOnZelphLayers(drawing);
    for (int index = 0; index < loop.getCount(); ++index) addAuxiliary(loop.getAt(index));
    drawing.regenDrawing();
  ZELPH_COMMAND_CATCH(L"zelphAuxilarator")
}

void zelphBlankThirdAttribute() {
  CCommandShell shell;
  ZELPH_TRY
    CSpaceLoop loop;
    const int altered = loop.changeEach([](CBlockDWG& space) {
      CAttribute* aux = attributeOf(space, CZelphAttribute::kAux);
      if (aux == nullptr) return false;
      aux->setValue(L" ");
      return true;
    });
    acutPrintf(L"%i block(s) altered\n", altered);
  ZELPH_COMMAND_CATCH(L"blankThirdAttribute")
}

void zelphRefreshTags() {
  CCommandShell shell;
  ZELPH_TRY
    CSpaceLoop loop;
    const AcGeMatrix3d ucs = currentUcs(loop.getDrawing());
    const CAcadDrawingLock lock(loop.getDrawing());
    if (!lock.isLocked()) return;
    for (int index = 0; index < loop.getCount(); ++index) loop.getAt(index).updateAttributes(ucs, nullptr);
  ZELPH_COMMAND_CATCH(L"zelphRefreshTags")
}

void mfrs() {
  CCommandShell shell;
  ZELPH_TRY
    const std::wstring find = CAcadUtilities::getString(L"Enter String to Find");
    const std::wstring replace = CAcadUtilities::getString(L"Enter String to Replace");
    CSpaceLoop loop;
    const int changed = loop.changeEach([&](CBlockDWG& space) {
      const std::wstring oldName = space.getName();
      if (oldName.compare(0, find.size(), find) != 0) return false;
      const std::wstring newName = replace + oldName.substr(find.size());
      if (CAttribute* name = attributeOf(space, CZelphAttribute::kName)) name->setValue(newName);
      space.setName(newName);
      acutPrintf(L"%s changed to %s\n", oldName.c_str(), newName.c_str());
      return true;
    });
    acutPrintf(L"%i blocks processed - %i changes made", loop.getCount(), changed);
  ZELPH_COMMAND_CATCH(L"zelphFindReplaceStub")
}
