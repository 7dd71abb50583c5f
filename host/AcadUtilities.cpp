#include "host/AcadUtilities.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>

#include "AcDbBlockReference.h"
#include "AcDbEntity.h"
#include "aced.h"
#include "acutads.h"
#include "dbmain.h"
#include "host/SelectionSet.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

// The host's text buffer for replies that may hold blanks.
constexpr size_t kReplyLength = 133;

std::wstring withDefault(const std::wstring& prompt, const std::wstring& defaultText) {
  return prompt + L" <" + defaultText + L">:";
}

// One text reply, blanks allowed, with the host's result; the reply is
// set only on RTNORM.
int askText(const std::wstring& prompt, std::wstring& reply) {
  ACHAR buffer[kReplyLength] = {};
  const int result = acedGetString(1, prompt.c_str(), buffer, kReplyLength);
  if (result == RTNORM) reply = buffer;
  return result;
}

// Area and length divisors from drawing units to square metres / metres
// and square feet / feet.
constexpr double kSquareMillimetresPerSquareMetre = 1000000.0;
constexpr double kSquareMillimetresPerSquareFoot = 92903.04;
constexpr double kSquareInchesPerSquareMetre = 1550.0031000062;
constexpr double kSquareInchesPerSquareFoot = 144.0;
constexpr double kMillimetresPerMetre = 1000.0;
constexpr double kMillimetresPerFoot = 304.8;
constexpr double kInchesPerMetre = 39.37007874015748;
constexpr double kInchesPerFoot = 12.0;

// The feet-and-inches display formats mean the drawing is drawn in inches.
bool drawnInInches(Adesk::Int16 lunits) { return lunits == 3 || lunits == 4; }

// Metres in one drawing unit by $INSUNITS, from the DXF reference; 0 where
// the value names no length (unitless, or unknown).
double metresPerUnit(AcDb::UnitsValue insunits) {
  static constexpr double kMetres[] = {0.0,     0.0254, 0.3048, 1609.344, 0.001,  0.01,  1.0,   1000.0, 2.54e-8,
                                       2.54e-5, 0.9144, 1e-10,  1e-9,     1e-6,   0.1,   10.0,  100.0,  1e9,
                                       1.495978707e11,  9.4607304725808e15, 3.0856775814913673e16,
                                       1200.0 / 3937.0, 100.0 / 3937.0,     3600.0 / 3937.0,       6336000.0 / 3937.0};
  const int index = static_cast<int>(insunits);
  return index > 0 && index < static_cast<int>(std::size(kMetres)) ? kMetres[index] : 0.0;
}

double areaDivisor(Adesk::Int16 lunits, AcDb::UnitsValue insunits, int units) {
  if (insunits == AcDb::kUnitsInches || (metresPerUnit(insunits) == 0.0 && drawnInInches(lunits)))
    return units == 0 ? kSquareInchesPerSquareMetre : kSquareInchesPerSquareFoot;
  if (insunits == AcDb::kUnitsMillimeters || metresPerUnit(insunits) == 0.0)
    return units == 0 ? kSquareMillimetresPerSquareMetre : kSquareMillimetresPerSquareFoot;
  const double length = CAcadUtilities::lengthDivisor(lunits, units, insunits);
  return length * length;
}

void requireObject(const void* object, const std::wstring& function, const std::wstring& what) {
  if (object == nullptr)
    throw new CEXUnhandled(ZELPH_BANNER, ZELPH_SOURCE, function, L"No " + what + L" was given.", 0);
}

double curveArea(const AcDbCurve* curve, const std::wstring& function) {
  requireObject(curve, function, L"curve");
  double area = 0.0;
  ZELPH_CHECK_STATUS(curve->getArea(area), function, L"");
  return area;
}

double curveLength(const AcDbCurve* curve, const std::wstring& function) {
  requireObject(curve, function, L"curve");
  double end = 0.0, length = 0.0;
  ZELPH_CHECK_STATUS(curve->getEndParam(end), function, L"");
  ZELPH_CHECK_STATUS(curve->getDistAtParam(end, length), function, L"");
  return length;
}

AcGePoint3d translate(const AcGePoint3d& point, short from, short to, const std::wstring& function,
                      int displacement = 0) {
  resbuf fromSystem{}, toSystem{};
  fromSystem.restype = RTSHORT;
  fromSystem.resval.rint = from;
  toSystem.restype = RTSHORT;
  toSystem.resval.rint = to;
  const ads_point in = {point.x, point.y, point.z};
  ads_point out = {0.0, 0.0, 0.0};
  if (acedTrans(in, &fromSystem, &toSystem, displacement, out) != RTNORM)
    throw new CEXUnhandled(ZELPH_BANNER, ZELPH_SOURCE, function, L"The host cannot translate the point.", RTERROR);
  return AcGePoint3d(out[X], out[Y], out[Z]);
}

// Sorting on for every method, regeneration and plotting among them, so
// the draw order is honoured.
constexpr short kAllSortMethods = 127;

void sortForDrawOrder() {
  resbuf value{};
  if (acedGetVar(L"SORTENTS", &value) != RTNORM || value.restype != RTSHORT) return;
  if ((value.resval.rint & kAllSortMethods) == kAllSortMethods) return;
  value.resval.rint = static_cast<short>(value.resval.rint | kAllSortMethods);
  acedSetVar(L"SORTENTS", &value);
}

// The id of the block's sort table, made when missing; null when it cannot be had.
AcDbObjectId sortTableOf(AcDbObjectId blockId) {
  AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
  if (!block) return AcDbObjectId();
  if (block->extensionDictionary().isNull() &&
      (block->upgradeOpen() != Acad::eOk || block->createExtensionDictionary() != Acad::eOk))
    return AcDbObjectId();
  AcDbObjectPointer<AcDbDictionary> dictionary(block->extensionDictionary(), AcDb::kForRead);
  if (!dictionary) return AcDbObjectId();
  AcDbObjectId tableId;
  if (dictionary->getAt(L"ACAD_SORTENTS", tableId) == Acad::eOk) return tableId;
  if (dictionary->upgradeOpen() != Acad::eOk) return AcDbObjectId();
  AcDbObjectPointer<AcDbSortentsTable> table;
  table.create();
  table->setBlockId(blockId);
  if (dictionary->setAt(L"ACAD_SORTENTS", table.object(), tableId) != Acad::eOk) return AcDbObjectId();
  return tableId;
}

int keptInRange(int value, int highest) { return value >= 0 && value <= highest ? value : 0; }

// Asked again after anything but an answer; a cancel of the question asked
// again ends it, so Escape twice, or an input that has ended, leaves it.
std::optional<std::wstring> askTextUntilAnswered(const std::wstring& prompt, const std::wstring& retryPrompt) {
  std::wstring reply;
  if (askText(L"\n" + prompt, reply) == RTNORM) return reply;
  for (;;) {
    const int result = askText(L"\nInvalid input! - " + retryPrompt, reply);
    if (result == RTNORM) return reply;
    if (result == RTCAN) return std::nullopt;
  }
}

}  // namespace

// The feet-and-inches display formats mean the drawing is drawn in inches.
// A unit that $INSUNITS names decides; else the display format does.
double CAcadUtilities::lengthDivisor(Adesk::Int16 lunits, int units, AcDb::UnitsValue insunits) {
  if (insunits == AcDb::kUnitsInches || (metresPerUnit(insunits) == 0.0 && drawnInInches(lunits)))
    return units == 0 ? kInchesPerMetre : kInchesPerFoot;
  if (insunits == AcDb::kUnitsMillimeters || metresPerUnit(insunits) == 0.0)
    return units == 0 ? kMillimetresPerMetre : kMillimetresPerFoot;
  constexpr double kMetresPerFoot = 0.3048;
  return (units == 0 ? 1.0 : kMetresPerFoot) / metresPerUnit(insunits);
}

CAcadUtilities::~CAcadUtilities() = default;

void CAcadUtilities::getBoolean(const std::wstring& prompt, bool defaultValue, bool& value) {
  ZELPH_TRY
    std::wstring reply;
    value = defaultValue;
    if (askText(L"\n" + withDefault(prompt, CUtilities::BoolToCString(defaultValue)), reply) == RTNORM &&
        !reply.empty())
      value = CUtilities::CStringToBOOL(reply);
    acutPrintf(L" %s\n", CUtilities::BoolToCString(value).c_str());
  ZELPH_CATCH(L"CAcadUtilities::getBoolean")
}

void CAcadUtilities::getDouble(const std::wstring& prompt, double defaultValue, int decimals, double& value) {
  ZELPH_TRY
    const std::wstring question = L"\n" + withDefault(prompt, CUtilities::DoubleToCString(defaultValue, decimals));
    ads_real reply = 0.0;
    value = acedGetReal(question.c_str(), &reply) == RTNORM ? reply : defaultValue;
    acutPrintf(L" %s\n", CUtilities::DoubleToCString(value, decimals).c_str());
  ZELPH_CATCH(L"CAcadUtilities::getDouble")
}

void CAcadUtilities::getInteger(const std::wstring& prompt, int defaultValue, int& value) {
  ZELPH_TRY
    const std::wstring question = L"\n" + withDefault(prompt, CUtilities::IntToCString(defaultValue));
    int reply = 0;
    value = acedGetInt(question.c_str(), &reply) == RTNORM ? reply : defaultValue;
    acutPrintf(L" %i\n", value);
  ZELPH_CATCH(L"CAcadUtilities::getInteger")
}

std::wstring CAcadUtilities::getString(const std::wstring& prompt) {
  ZELPH_TRY
    return askString(prompt).value_or(std::wstring());
  ZELPH_CATCH(L"CAcadUtilities::getString")
}

std::optional<std::wstring> CAcadUtilities::askString(const std::wstring& prompt) {
  ZELPH_TRY
    return askTextUntilAnswered(prompt + L":", prompt);
  ZELPH_CATCH(L"CAcadUtilities::askString")
}

bool CAcadUtilities::getString(const std::wstring& prompt, const std::wstring& defaultText, std::wstring& text) {
  ZELPH_TRY
    const std::wstring question = withDefault(prompt, defaultText);
    const std::optional<std::wstring> reply = askTextUntilAnswered(question, question);
    text = reply && !reply->empty() ? *reply : defaultText;
    acutPrintf(L" %s\n", text.c_str());
    return reply.has_value();
  ZELPH_CATCH(L"CAcadUtilities::getString")
}

// ---- Picks in the drawing ----

namespace {

// The picked entity's class name, or nothing when it cannot be opened.
bool pickedClassName(AcDbObjectId id, std::wstring& className) {
  const AcDbEntityPointer entity(id, AcDb::kForRead);
  if (!entity) return false;
  className = entity->isA()->name();
  return true;
}

bool pickOne(const std::wstring& prompt, AcDbObjectId& id) {
  ads_name entity;
  ads_point point;
  return acedEntSel(prompt.c_str(), entity, point) == RTNORM && acdbGetObjectId(id, entity) == Acad::eOk;
}

}  // namespace

int CAcadUtilities::selectObjectId(AcDbObjectId& id, const std::wstring& prompt, const std::wstring& className) {
  ZELPH_TRY
    const std::wstring question = L"\n" + (prompt.empty() ? std::wstring(L"Please select an object") : prompt);
    for (;;) {
      AcDbObjectId picked;
      if (!pickOne(question, picked)) {
        acutPrintf(L"Cancelled by User.\n");
        return kPickCancelled;
      }
      std::wstring pickedClass;
      if (!pickedClassName(picked, pickedClass)) continue;
      if (pickedClass == className) {
        id = picked;
        return kPicked;
      }
      acutPrintf(L"Invalid selection - %s.\n", pickedClass.c_str());
    }
  ZELPH_CATCH(L"CAcadUtilities::selectObjectId")
}

bool CAcadUtilities::selectObjectId(AcDbObjectId& id, const std::wstring& prompt) {
  ZELPH_TRY
    return pickOne(prompt, id);
  ZELPH_CATCH(L"CAcadUtilities::selectObjectId")
}

int CAcadUtilities::selectObjectIds(AcDbObjectIdArray& ids, const std::wstring& prompt) {
  ZELPH_TRY
    acutPrintf(L"\n%s", prompt.c_str());
    const CSelectionSet selection(nullptr, nullptr, nullptr, nullptr);
    if (!selection.made()) return 1;
    for (const AcDbObjectId& id : selection.ids()) {
      std::wstring className;
      if (pickedClassName(id, className) && className != L"AcDbBlockReference") ids.push_back(id);
    }
    return 1;
  ZELPH_CATCH(L"CAcadUtilities::selectObjectIds")
}

int CAcadUtilities::userSelectSpaceHandle(AcDbHandle& handle) {
  ZELPH_TRY
    AcDbObjectId id;
    if (selectObjectId(id, L"\nPlease select a space\n", L"AcDbBlockReference") != kPicked) return kNoSpacePicked;
    const AcDbEntityPointer entity(id, AcDb::kForRead);
    if (!entity) return kNoSpacePicked;
    handle = entity->handle();
    return kPicked;
  ZELPH_CATCH(L"CAcadUtilities::userSelectSpaceHandle")
}

double CAcadUtilities::calculatePolylineArea(const AcDbCurve* curve, Adesk::Int16 lunits, int units,
                                             AcDb::UnitsValue insunits) {
  ZELPH_TRY
    return curveArea(curve, L"CAcadUtilities::calculatePolylineArea") / areaDivisor(lunits, insunits, units);
  ZELPH_CATCH(L"CAcadUtilities::calculatePolylineArea")
}

double CAcadUtilities::calculatePolylinePerimeter(const AcDbCurve* curve, Adesk::Int16 lunits, int units,
                                                  AcDb::UnitsValue insunits) {
  ZELPH_TRY
    return getPolyPerimeter(curve) / CAcadUtilities::lengthDivisor(lunits, units, insunits);
  ZELPH_CATCH(L"CAcadUtilities::calculatePolylinePerimeter")
}

double CAcadUtilities::getPolyPerimeter(const AcDbCurve* curve) {
  ZELPH_TRY
    return curveLength(curve, L"CAcadUtilities::getPolyPerimeter");
  ZELPH_CATCH(L"CAcadUtilities::getPolyPerimeter")
}

double CAcadUtilities::recalculateBlockArea(const AcDbBlockReference* reference, const AcDbCurve* curve,
                                            Adesk::Int16 lunits, int units, AcDb::UnitsValue insunits) {
  ZELPH_TRY
    requireObject(reference, L"CAcadUtilities::recalculateBlockArea", L"block reference");
    const AcGeScale3d scale = reference->scaleFactors();
    return calculatePolylineArea(curve, lunits, units, insunits) * std::fabs(scale.sx) * std::fabs(scale.sy);
  ZELPH_CATCH(L"CAcadUtilities::recalculateBlockArea")
}

double CAcadUtilities::recalculateBlockPerimeter(const AcDbBlockReference* reference, const AcDbCurve* curve,
                                                 Adesk::Int16 lunits, int units, AcDb::UnitsValue insunits) {
  ZELPH_TRY
    requireObject(reference, L"CAcadUtilities::recalculateBlockPerimeter", L"block reference");
    const AcGeScale3d scale = reference->scaleFactors();
    // Lengths scale by one factor only when x and y agree.
    const double factor = std::fabs(scale.sx) == std::fabs(scale.sy) ? std::fabs(scale.sx) : 0.0;
    return calculatePolylinePerimeter(curve, lunits, units, insunits) * factor;
  ZELPH_CATCH(L"CAcadUtilities::recalculateBlockPerimeter")
}

AcGePoint3d CAcadUtilities::convertUCSToWCS(const AcGePoint3d& point) {
  ZELPH_TRY
    return translate(point, 1, 0, L"CAcadUtilities::convertUCSToWCS");
  ZELPH_CATCH(L"CAcadUtilities::convertUCSToWCS")
}

AcGePoint3d CAcadUtilities::convertWCSToUCS(const AcGePoint3d& point) {
  ZELPH_TRY
    return translate(point, 0, 1, L"CAcadUtilities::convertWCSToUCS");
  ZELPH_CATCH(L"CAcadUtilities::convertWCSToUCS")
}

std::unique_ptr<AcDbBlockReference> CAcadUtilities::placeReference(AcDbObjectId definition,
                                                                   const AcGePoint3d& position, double rotation,
                                                                   const AcGeVector3d& normal,
                                                                   AcDbDatabase* database) {
  auto reference = std::make_unique<AcDbBlockReference>(position, definition);
  reference->setRotation(rotation);
  reference->setScaleFactors(AcGeScale3d(1.0, 1.0, 1.0));
  AcGeMatrix3d ucs;
  acdbUcsMatrix(ucs, database);
  reference->transformBy(ucs);
  reference->setNormal(normal);
  return reference;
}

AcGeVector3d CAcadUtilities::getUcsNormal() {
  ZELPH_TRY
    return translate(AcGePoint3d(0.0, 0.0, 1.0), 1, 0, L"CAcadUtilities::getUcsNormal", 1).asVector();
  ZELPH_CATCH(L"CAcadUtilities::getUcsNormal")
}

void CAcadUtilities::getBlockExtents(const AcDbEntity* entity, AcGePoint3d& minimum, AcGePoint3d& maximum,
                                     double border) {
  ZELPH_TRY
    const AcDbBlockReference* reference = AcDbBlockReference::cast(entity);
    if (reference == nullptr) return;
    AcDbObjectPointer<AcDbBlockTableRecord> definition(reference->blockTableRecord(), AcDb::kForRead);
    if (!definition) return;
    AcDbExtents extents;
    bool found = false;
    for (const AcDbObjectId& id : definition->entityIds()) {
      AcDbEntityPointer member(id, AcDb::kForRead);
      if (!member || member->isA()->name() != std::wstring(L"AcDbPolyline")) continue;
      found = member->getGeomExtents(extents) == Acad::eOk;
      break;
    }
    if (!found) return;
    AcGePoint3d low = extents.minPoint(), high = extents.maxPoint();
    if (border > 0.0) {
      low.x -= border;
      low.y -= border;
      high.x += border;
      high.y += border;
    }
    const AcGeMatrix3d transform = reference->blockTransform();
    minimum = low.transformBy(transform);
    maximum = high.transformBy(transform);
  ZELPH_CATCH(L"CAcadUtilities::getBlockExtents")
}

AcGePoint3d CAcadUtilities::getPolylineTopLeft(const AcDbPolyline* polyline, const AcGeMatrix3d* transform) {
  ZELPH_TRY
    AcGePoint3d corner(std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(), 0.0);
    if (polyline == nullptr) return corner;
    for (unsigned int i = 0; i < polyline->numVerts(); ++i) {
      AcGePoint3d vertex;
      if (polyline->getPointAt(i, vertex) != Acad::eOk) continue;
      if (transform != nullptr) vertex.transformBy(*transform);
      corner.x = std::min(corner.x, vertex.x);
      corner.y = std::max(corner.y, vertex.y);
    }
    return corner;
  ZELPH_CATCH(L"CAcadUtilities::getPolylineTopLeft")
}

AcDbObjectId CAcadUtilities::convertHandleToObjectId(const AcDbHandle& handle) {
  ZELPH_TRY
    ACHAR text[17] = {};
    handle.getIntoAsciiBuffer(text, sizeof text / sizeof text[0]);
    ads_name name = {0, 0};
    AcDbObjectId id;
    if (acdbHandEnt(text, name) == RTNORM) acdbGetObjectId(id, name);
    return id;
  ZELPH_CATCH(L"CAcadUtilities::convertHandleToObjectId")
}

void CAcadUtilities::moveEntityToBottom(AcDbEntity* entity) {
  ZELPH_TRY
    if (entity == nullptr || entity->objectId().isNull()) return;
    sortForDrawOrder();
    AcDbObjectPointer<AcDbSortentsTable> table(sortTableOf(entity->blockId()), AcDb::kForWrite);
    if (!table) return;
    table->moveToBottom(AcDbObjectIdArray{entity->objectId()});
  ZELPH_CATCH(L"CAcadUtilities::moveEntityToBottom")
}

int CAcadUtilities::convertMediaSize(int value) {
  ZELPH_TRY
    return keptInRange(value, 88);
  ZELPH_CATCH(L"CAcadUtilities::convertMediaSize")
}

int CAcadUtilities::convertPlotArea(int value) {
  ZELPH_TRY
    return keptInRange(value, 5);
  ZELPH_CATCH(L"CAcadUtilities::convertPlotArea")
}

int CAcadUtilities::convertPlotDevice(int value) {
  ZELPH_TRY
    return keptInRange(value, 3);
  ZELPH_CATCH(L"CAcadUtilities::convertPlotDevice")
}

int CAcadUtilities::convertScale(int value) {
  ZELPH_TRY
    return keptInRange(value, 33);
  ZELPH_CATCH(L"CAcadUtilities::convertScale")
}

namespace {

struct ItemCut {
  int code;
  std::size_t leading;
  std::size_t trailing;
};

const ItemCut kItemCuts[] = {
    {0x11, 5, 0},    {0x100, 5, 5},    {0x101, 5, 6},    {0x110, 10, 2},   {0x111, 10, 3},
    {0x1000, 8, 0},  {0x1001, 10, 0},  {0x1010, 12, 0},  {0x1011, 5, 0},   {0x1100, 12, 0},
    {0x1101, 12, 0}, {0x1110, 12, 0},  {0x1111, 12, 0},  {0x10000, 10, 0}, {0x10001, 11, 0},
    {0x10010, 7, 0}, {0x10011, 15, 0}, {0x10100, 13, 0},
};

}  // namespace

std::wstring CAcadUtilities::extractData(int code, const std::wstring& text) {
  ZELPH_TRY
    for (const ItemCut& cut : kItemCuts) {
      if (cut.code != code) continue;
      if (text.size() < cut.leading + cut.trailing) return L"";
      return text.substr(cut.leading, text.size() - cut.leading - cut.trailing);
    }
    return L"";
  ZELPH_CATCH(L"CAcadUtilities::extractData")
}
