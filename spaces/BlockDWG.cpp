#include "spaces/BlockDWG.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cwchar>
#include <cwctype>
#include <string_view>

#include "AcApDocument.h"
#include "AcDbAttribute.h"
#include "AcDbAttributeDefinition.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTable.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbHatch.h"
#include "AcDbLayerTableRecord.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "AcDbRegAppTable.h"
#include "AcGeConstants.h"
#include "AcGeMatrix3d.h"
#include "aced.h"
#include "acutads.h"
#include "host/AcadDrawing.h"
#include "host/AcadDrawingLock.h"
#include "host/DrawingTransaction.h"
#include "host/AcadUtilities.h"
#include "host/HostProduct.h"
#include "host/Layer.h"
#include "host/Layers.h"
#include "spaces/DrawnHatches.h"
#include "spaces/ZelphAttribute.h"
#include "support/Utilities.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

namespace {

const std::wstring kNotSet = L"<Not Set>";
const std::wstring kNoXData = L"No X Data";

// A listed outline whose object is gone for good.
bool isGone(Acad::ErrorStatus status) { return status == Acad::eWasErased || status == Acad::eUnknownHandle; }

AcGeMatrix3d ucsOf(AcDbDatabase* database) {
  AcGeMatrix3d ucs;
  acdbUcsMatrix(ucs, database);
  return ucs;
}

// Opens the first polyline of a block definition in the mode; false when none.
bool openFirstPolyline(AcDbObjectId definition, AcDb::OpenMode mode, AcDbObjectPointer<AcDbPolyline>& polyline) {
  AcDbObjectIdArray entities;
  {
    const AcDbObjectPointer<AcDbBlockTableRecord> block(definition, AcDb::kForRead);
    if (!block) return false;
    entities = block->entityIds();
  }
  for (const AcDbObjectId& id : entities)
    if (polyline.open(id, mode) == Acad::eOk) return true;
  return false;
}

std::unique_ptr<AcDbAttributeDefinition> labelDefinition(int kind, const AcGePoint3d& position, double height,
                                                         double widthFactor, double radians) {
  static const wchar_t* const kPrompts[] = {L"Enter Name", L"Enter Area", L"Enter Auxillary Value"};
  static const wchar_t* const kDefaults[] = {L"DEFAULT NAME", L"DEFAULT AREA", L"DEFAULT AUX"};
  const std::wstring tag = CZelphAttribute::tagOfKind(kind);
  auto definition = std::make_unique<AcDbAttributeDefinition>(position, kDefaults[kind], tag.c_str(), kPrompts[kind]);
  definition->setHeight(height);
  definition->setRotation(radians);
  definition->setWidthFactor(widthFactor);
  definition->setNormal(CAcadUtilities::getUcsNormal());
  definition->setHorizontalMode(AcDb::kTextLeft);
  definition->setVerticalMode(AcDb::kTextBase);
  definition->setFieldLength(25);
  return definition;
}

// What a clone of the outline would hold: the definition keeps its own.
std::unique_ptr<AcDbPolyline> copyOfOutline(const AcDbPolyline& outline) {
  auto copy = std::make_unique<AcDbPolyline>(outline.numVerts());
  for (unsigned int index = 0; index < outline.numVerts(); ++index) {
    AcGePoint2d point;
    double bulge = 0.0, startWidth = -1.0, endWidth = -1.0;
    outline.getPointAt(index, point);
    outline.getBulgeAt(index, bulge);
    outline.getWidthsAt(index, startWidth, endWidth);
    copy->addVertexAt(index, point, bulge, startWidth, endWidth);
  }
  copy->setClosed(outline.isClosed());
  copy->setElevation(outline.elevation());
  copy->setNormal(outline.normal());
  copy->setPropertiesFrom(&outline);
  return copy;
}

// The attribute a graphic report's replacement value is for; -1 for other elements.
int swapKind(pugi::xml_node element) {
  static const std::pair<const char*, int> kinds[] = {
      {"mbSwapName", CZelphAttribute::kName}, {"mbSwapArea", CZelphAttribute::kArea}, {"mbSwapAux", CZelphAttribute::kAux}};
  for (const auto& [name, kind] : kinds)
    if (CXMLUtilities::isNamed(element, name)) return kind;
  return -1;
}

const wchar_t* const kHatchObject = L"CBlockDWG::hatchObject";

}  // namespace

// ---- The space and its kinds ----

CBlockDWG::CBlockDWG() {
  ZELPH_TRY
    initialise();
  ZELPH_CATCH(L"CBlockDWG::CBlockDWG")
}

CBlockDWG::CBlockDWG(AcDbBlockReference* reference, AcApDocument* document) {
  ZELPH_TRY
    initialise();
    setHyperlinks(std::make_unique<CHyperlinks>(reference));
    readReference(*reference);
    m_applicationName = L"ADE";
    AcResBufPtr record(reference->xData(m_applicationName.c_str()));
    if (record == nullptr) {
      m_applicationName = L"AECXDATA";
      record.reset(reference->xData(m_applicationName.c_str()));
    }
    if (record == nullptr) m_applicationName = kNoXData;
    if (record != nullptr) readXData(record.get(), document);
    m_attributes = std::make_unique<CAttributes>();
    m_attributes->extractSpaceBlockAttributeValues(reference, ucsOf(document != nullptr ? document->database() : nullptr));
    if (const CAttribute* name = m_attributes->getAtAttribute(CZelphAttribute::kName)) {
      m_code = name->getValue();
      m_name = name->getValue();
    }
    if (m_name.empty()) m_name = m_blockName;
  ZELPH_CATCH(L"CBlockDWG::CBlockDWG")
}

CBlockDWG::~CBlockDWG() = default;

void CBlockDWG::readReference(const AcDbBlockReference& reference) {
  ZELPH_TRY
    m_objectId = reference.objectId();
    m_layer = reference.layer();
    m_colourIndex = reference.colorIndex();
    m_lineweight = reference.lineWeight();
    const AcDbObjectPointer<AcDbBlockTableRecord> definition(reference.blockTableRecord(), AcDb::kForRead);
    if (definition) definition->getName(m_blockName);
    ACHAR handle[17];
    reference.handle().getIntoAsciiBuffer(handle);
    setHandle(handle);
  ZELPH_CATCH(L"CBlockDWG::readReference")
}

void CBlockDWG::initialise() {
  ZELPH_TRY
    m_name.clear();
    m_area = m_perimeter = m_roomHeight = m_volume = 0.0;
    for (std::wstring* text : {&m_areaType, &m_costCentre, &m_date, &m_dateLastMove, &m_deptCharge, &m_specialReq,
                               &m_tagType, &m_totalStaff, &m_totalWorkstations})
      *text = kNotSet;
    m_units = -1;
    m_precision = -1;
    m_applicationName = L"ADE";
    m_hatch.reset();
    m_attributes.reset();
    m_assets.reset();
    m_level = 6;
  ZELPH_CATCH(L"CBlockDWG::initialise")
}

bool CBlockDWG::isSpaceBlockName(const std::wstring& name) {
  static const std::wstring prefix = L"ROOM-";
  return name.size() > prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), name.begin(),
                    [](wchar_t a, wchar_t b) { return std::towupper(a) == std::towupper(b); });
}

std::wstring CBlockDWG::areaUnitText(int units) { return units == 0 ? L"sq.m." : L"sq.ft."; }

std::wstring CBlockDWG::lengthUnitText(int units) { return units == 0 ? L"m." : L"ft."; }

void CBlockDWG::copyInto(CBlockDWG* target) const {
  ZELPH_TRY
    if (target == nullptr) return;
    static_cast<CBlock&>(*target) = static_cast<const CBlock&>(*this);
    target->m_objectId = m_objectId;
    target->m_acdbHandle = m_acdbHandle;
    target->m_colourIndex = m_colourIndex;
    target->m_lineweight = m_lineweight;
    target->m_layer = m_layer;
    target->m_blockName = m_blockName;
    target->m_applicationName = m_applicationName;
    target->m_handlesToAdd.insert(target->m_handlesToAdd.end(), m_handlesToAdd.begin(), m_handlesToAdd.end());
    target->m_handlesToMinus.insert(target->m_handlesToMinus.end(), m_handlesToMinus.begin(), m_handlesToMinus.end());
    if (m_attributes != nullptr) {
      target->m_attributes = std::make_unique<CAttributes>();
      m_attributes->copyZelphAttributesTo(*target->m_attributes);
    }
    if (getHyperlinks() != nullptr) {
      auto hyperlinks = std::make_unique<CHyperlinks>();
      getHyperlinks()->copyTo(*hyperlinks);
      target->setHyperlinks(std::move(hyperlinks));
    }
    if (m_assets != nullptr) {
      target->m_assets = std::make_unique<CAssets>();
      m_assets->copyTo(*target->m_assets);
    }
    if (m_hatch != nullptr) {
      target->m_hatch = std::make_unique<CHatch>();
      m_hatch->copyTo(*target->m_hatch);
    }
  ZELPH_CATCH(L"CBlockDWG::copyInto")
}

void CBlockDWG::deSerialize(pugi::xml_node node, const CHatch* hatch) {
  ZELPH_TRY
    if (CXMLUtilities::isNamed(node, "zelphBlock") && node.first_child() && hatch != nullptr) {
      m_hatch = std::make_unique<CHatch>();
      hatch->copyTo(*m_hatch);
    }
    CXMLUtilities::readElement(node, "zelphBlock", [this](pugi::xml_node child) {
      const auto is = [&child](const char* name) { return CXMLUtilities::isNamed(child, name); };
      const std::wstring text = CXMLUtilities::text(child);
      if (is("mbHandle")) {
        setHandle(text);
      } else if (is("mbName")) {
        m_name = text;
      } else if (is("mbCode")) {
        m_code = text;
      } else if (is("mbArea")) {
        m_area = CUtilities::CStringToDouble(text);
        m_hasReportArea = !text.empty();
      } else if (const int kind = swapKind(child); kind >= 0) {
        if (m_attributes == nullptr) m_attributes = std::make_unique<CAttributes>();
        m_attributes->add(std::make_unique<CZelphAttribute>(kind, text, L""), false);
      } else if (is("hyperlinks")) {
        auto hyperlinks = std::make_unique<CHyperlinks>();
        hyperlinks->deSerialize(child);
        setHyperlinks(std::move(hyperlinks));
      } else if (is("assets")) {
        m_assets = std::make_unique<CAssets>();
        m_assets->deSerialize(child, nullptr);  // a space's own assets have no category hatch
      }
    });
  ZELPH_CATCH(L"CBlockDWG::deSerialize")
}

void CBlockDWG::setHandle(const std::wstring& handle) {
  CBlock::setHandle(handle);
  m_acdbHandle = AcDbHandle(handle.c_str());
}

CBlockDWGRoom::CBlockDWGRoom() {
  setBlockName(L"ROOM-");
  m_level = 7;
}

CBlockDWGRoom::CBlockDWGRoom(AcDbBlockReference* reference, AcApDocument* document, bool withAssets)
    : CBlockDWG(reference, document) {
  ZELPH_TRY
    m_level = 7;
    if (withAssets) collectAssets(reference);
  ZELPH_CATCH(L"CBlockDWGRoom::CBlockDWGRoom")
}

void CBlockDWGRoom::collectAssets(AcDbBlockReference* reference) {
  AcDbObjectPointer<AcDbPolyline> outline;
  if (!openFirstPolyline(reference->blockTableRecord(), AcDb::kForRead, outline)) return;
  auto assets = std::make_unique<CAssets>();
  // The outline where the reference draws it, so that a rotated or scaled
  // space looks for its assets in the right place; a placement the outline
  // cannot take only moves it.
  const std::unique_ptr<AcDbPolyline> placed = copyOfOutline(*outline.object());
  if (placed->transformBy(reference->blockTransform()) == Acad::eOk)
    assets->getPolylineAssets(AcGePoint3d(0, 0, 0), placed.get());
  else
    assets->getPolylineAssets(reference->position(), outline.object());
  setAssets(std::move(assets));
}

CBlockDWGFloor::CBlockDWGFloor() {
  setBlockName(L"ROOM-GROSS_AREA");
  m_level = 8;
}

CBlockDWGFloor::CBlockDWGFloor(AcDbBlockReference* reference, AcApDocument* document)
    : CBlockDWG(reference, document) {
  m_level = 8;
}

CBlockDWGBuilding::CBlockDWGBuilding(AcDbBlockReference* reference, AcApDocument* document)
    : CBlockDWG(reference, document) {
  m_level = 9;
}

CBlockDWGSite::CBlockDWGSite(AcDbBlockReference* reference, AcApDocument* document)
    : CBlockDWG(reference, document) {
  m_level = 10;
}

// ---- Turning an outline into a space block ----

Acad::ErrorStatus CBlockDWG::createBlockReference(CAcadDrawing& drawing, AcDbObjectId outline,
                                                  const AcGePoint3d& basePoint, double textHeight,
                                                  double widthFactor, double rotation) {
  ZELPH_TRY
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return lock.getStatus();
    // A space is made whole or not at all.
    CDrawingTransaction transaction;
    AcDbObjectId layer;
    {
      const AcDbEntityPointer entity(outline, AcDb::kForRead);
      if (!entity) return entity.openStatus();
      layer = entity->layerId();
    }
    AcDbObjectId definitionId;
    Acad::ErrorStatus status = createBlockDefinition(definitionId, {outline}, basePoint, textHeight, widthFactor, rotation, drawing);
    if (status != Acad::eOk) return status;
    auto reference = std::make_unique<AcDbBlockReference>(basePoint, definitionId);
    reference->setLayer(layer);
    reference->transformBy(ucsOf(drawing.getDatabase()));
    reference->setNormal(CAcadUtilities::getUcsNormal());
    AcDbObjectId referenceId;
    status = drawing.postToDrawing(reference, referenceId);
    if (status != Acad::eOk) return status;
    const AcDbObjectPointer<AcDbBlockReference> placed(referenceId, AcDb::kForWrite);
    if (!placed) return placed.openStatus();
    AcDbObjectIdArray entities;
    {
      const AcDbObjectPointer<AcDbBlockTableRecord> definition(definitionId, AcDb::kForRead);
      if (!definition) return definition.openStatus();
      entities = definition->entityIds();
    }
    for (const AcDbObjectId& id : entities) {
      const AcDbObjectPointer<AcDbAttributeDefinition> label(id, AcDb::kForRead);
      if (!label || label->isConstant()) continue;
      AcDbObjectPointer<AcDbAttribute> attribute;
      attribute.create();
      attribute->setAttributeFromBlock(label.object(), placed->blockTransform());
      attribute->setHorizontalMode(AcDb::kTextLeft);
      const CAttribute* value = m_attributes != nullptr ? m_attributes->getAtAttribute(label->tag()) : nullptr;
      if (value != nullptr) attribute->setTextString(value->getValue().c_str());
      placed->appendAttribute(attribute.object());
    }
    ACHAR handle[17];
    placed->handle().getIntoAsciiBuffer(handle);
    setHandle(handle);
    m_objectId = referenceId;
    writeXData(placed.object());
    transaction.commit();
    return Acad::eOk;
  ZELPH_CATCH(L"CBlockDWG::createBlockReference")
}

Acad::ErrorStatus CBlockDWG::createBlockDefinition(AcDbObjectId& definitionId, const AcDbObjectIdArray& entities,
                                                   const AcGePoint3d& basePoint, double textHeight,
                                                   double widthFactor, double rotation, CAcadDrawing& drawing) {
  ZELPH_TRY
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return lock.getStatus();
    Acad::ErrorStatus status = Acad::eOk;
    AcDbDatabase* database = drawing.getDatabase();
    const AcDbObjectPointer<AcDbBlockTable> table(database->blockTableId(), AcDb::kForWrite);
    if (!table) return table.openStatus();
    if (table->has(m_blockName.c_str())) return Acad::eDuplicateRecordName;
    AcDbObjectPointer<AcDbBlockTableRecord> definition;
    definition.create();
    definition->setName(m_blockName.c_str());
    status = table->add(definitionId, definition.object());
    if (status != Acad::eOk) return status;
    AcGeMatrix3d toOrigin;
    toOrigin.setToTranslation(AcGePoint3d(0, 0, 0) - basePoint);
    for (const AcDbObjectId& id : entities) {
      const AcDbEntityPointer entity(id, AcDb::kForWrite);
      if (entity) entity->transformBy(toOrigin);
    }
    status = definition->assumeOwnershipOf(entities);
    if (status != Acad::eOk) return status;
    const double radians = rotation / 180.0 * kPi;
    const AcGePoint3d origin(0, 0, 0);
    const AcGeVector3d across(-std::sin(radians), std::cos(radians), 0.0);
    const AcGePoint3d places[] = {origin + across * (1.5 * textHeight), origin, origin - across * (1.5 * textHeight)};
    static const wchar_t* const kLayers[] = {L"ATT-NAME", L"ATT-AREA", L"ATT-AUX"};
    for (const int kind : {CZelphAttribute::kArea, CZelphAttribute::kName, CZelphAttribute::kAux}) {
      const AcDbObjectPointer<AcDbAttributeDefinition> label(
          labelDefinition(kind, places[kind], textHeight, widthFactor, radians));
      std::wstring layer = kLayers[kind];
      if (CLayer::ensureLayerExists(layer, drawing) == 1) label->setLayer(layer.c_str());
      definition->appendAcDbEntity(label.object());
    }
    return Acad::eOk;
  ZELPH_CATCH(L"CBlockDWG::createBlockDefinition")
}

// ---- The extended-data record ----

void CBlockDWG::writeXData(AcDbEntity* entity) {
  ZELPH_TRY
    if (AcDbBlockReference::cast(entity) == nullptr) return;
    const std::wstring area = areaUnitText(m_units);
    const std::wstring length = lengthUnitText(m_units);
    const std::wstring volume = m_units == 0 ? L"cu.m." : L"cu.ft.";
    if (m_applicationName == kNoXData) m_applicationName = L"ADE";
    acdbRegApp(m_applicationName.c_str(), entity->database());
    const CAttribute* nameAttribute =
        m_attributes != nullptr ? m_attributes->getAtAttribute(CZelphAttribute::kName) : nullptr;
    const std::wstring name = nameAttribute != nullptr ? nameAttribute->getValue() : m_name;
    const auto number = [this](double value) { return CUtilities::DoubleToCString(value, m_precision); };
    const std::wstring items[] = {
        L"AREA=" + number(m_area) + area,        L"PERIMETER=" + number(m_perimeter) + length,
        L"NAME=" + name,                         L"TAGTYPE=" + m_tagType,
        L"AREA_TYPE=" + m_areaType,              L"COST_CENTRE=" + m_costCentre,
        L"DATE=" + m_date,                       L"DATE_L_MOVE=" + m_dateLastMove,
        L"DEPT_CHARGE=" + m_deptCharge,          L"ROOM_HEIGHT=" + number(m_roomHeight) + length,
        L"SPECIAL_REQ=" + m_specialReq,          L"TOT_STAFF=" + m_totalStaff,
        L"TOT_WKSTNS=" + m_totalWorkstations,    L"VOLUME=" + number(m_volume) + volume,
        L"HANDLESTOMINUS=" + handlesText(m_handlesToMinus), L"HANDLESTOADD=" + handlesText(m_handlesToAdd)};
    const AcResBufPtr record(acutBuildList(1001, m_applicationName.c_str(), 1002, L"{", 0));
    resbuf* last = record->rbnext;
    for (const std::wstring& item : items) {
      last->rbnext = acutBuildList(1000, item.c_str(), 0);
      last = last->rbnext;
    }
    last->rbnext = acutBuildList(1002, L"}", 0);
    const Acad::ErrorStatus status = entity->setXData(record.get());
    ZELPH_CHECK_STATUS(status, L"CBlockDWG::writeXData", L"");
  ZELPH_CATCH(L"CBlockDWG::writeXData")
}

void CBlockDWG::readArea(const std::wstring& item) {
  auto endsWith = [&item](const std::wstring& unit) {
    return item.size() >= unit.size() && item.compare(item.size() - unit.size(), unit.size(), unit) == 0;
  };
  std::wstring value = item;
  if (endsWith(L"sq.m.")) {
    value = CAcadUtilities::extractData(0x100, item);
    m_units = 0;
  } else if (endsWith(L"sq.ft.")) {
    value = CAcadUtilities::extractData(0x101, item);
    m_units = 1;
  }
  if (value != item) value = CUtilities::trim(value);
  const size_t point = value.find(L'.');
  m_precision = point == std::wstring::npos ? 0 : static_cast<int>(value.size() - point - 1);
  m_area = value == item ? 0.0 : CUtilities::CStringToDouble(value);
}

void CBlockDWG::readPerimeter(const std::wstring& item) {
  const auto endsWith = [&item](const std::wstring& unit) {
    return item.size() >= unit.size() && item.compare(item.size() - unit.size(), unit.size(), unit) == 0;
  };
  // Without a unit only the key goes: cutting a unit that is not there
  // would cut off digits.
  const int code = endsWith(L"ft.") ? 0x111 : endsWith(L"m.") ? 0x110 : 0x1110;
  const std::wstring value =
      code == 0x1110 ? item.substr(std::wcslen(L"PERIMETER=")) : CAcadUtilities::extractData(code, item);
  m_perimeter = CUtilities::CStringToDouble(value);
}

void CBlockDWG::readXData(const resbuf* record, AcApDocument* document) {
  ZELPH_TRY
    using namespace std::string_view_literals;
    AcDbDatabase* database = document != nullptr ? document->database() : nullptr;
    static const struct {
      std::wstring_view key;
      int code;
      std::wstring CBlock::*field;
    } texts[] = {{L"TAGTYPE="sv, 0x1000, &CBlockDWG::m_tagType},       {L"AREA_TYPE="sv, 0x1001, &CBlockDWG::m_areaType},
                 {L"COST_CENTRE="sv, 0x1010, &CBlockDWG::m_costCentre}, {L"DATE="sv, 0x1011, &CBlockDWG::m_date},
                 {L"DATE_L_MOVE="sv, 0x1100, &CBlockDWG::m_dateLastMove},
                 {L"DEPT_CHARGE="sv, 0x1101, &CBlockDWG::m_deptCharge}, {L"SPECIAL_REQ="sv, 0x1111, &CBlockDWG::m_specialReq},
                 {L"TOT_STAFF="sv, 0x10000, &CBlockDWG::m_totalStaff},  {L"TOT_WKSTNS="sv, 0x10001, &CBlockDWG::m_totalWorkstations}};
    for (const resbuf* buffer = record; buffer != nullptr; buffer = buffer->rbnext) {
      if (buffer->restype != 1000 || buffer->resval.rstring == nullptr) continue;
      const std::wstring item = buffer->resval.rstring;
      const auto starts = [&item](std::wstring_view key) { return std::wstring_view(item).substr(0, key.size()) == key; };
      if (starts(L"AREA="sv)) readArea(item);
      if (starts(L"PERIMETER="sv)) readPerimeter(item);
      if (starts(L"ROOM_HEIGHT="sv)) m_roomHeight = CUtilities::CStringToDouble(CAcadUtilities::extractData(0x1110, item));
      if (starts(L"VOLUME="sv)) m_volume = CUtilities::CStringToDouble(CAcadUtilities::extractData(0x10010, item));
      if (starts(L"HANDLESTOMINUS="sv)) setHandlesToMinus(CAcadUtilities::extractData(0x10011, item), database);
      if (starts(L"HANDLESTOADD="sv)) setHandlesToAdd(CAcadUtilities::extractData(0x10100, item), database);
      for (const auto& text : texts)
        if (starts(text.key)) this->*text.field = CAcadUtilities::extractData(text.code, item);
    }
  ZELPH_CATCH(L"CBlockDWG::readXData")
}

std::wstring CBlockDWG::handlesText(const std::vector<AcDbHandle>& list) {
  std::wstring text;
  for (const AcDbHandle& handle : list) {
    ACHAR buffer[17];
    handle.getIntoAsciiBuffer(buffer);
    text += std::wstring(buffer) + L",";
  }
  return text;
}

std::wstring CBlockDWG::getHandlesToAddAsString() const { return handlesText(m_handlesToAdd); }
std::wstring CBlockDWG::getHandlesToMinusAsString() const { return handlesText(m_handlesToMinus); }

void CBlockDWG::addHandle(std::vector<AcDbHandle>& list, const AcDbHandle& handle, AcDbDatabase* database) {
  AcDbObjectId id;
  if (database == nullptr || database->getAcDbObjectId(id, false, handle) == Acad::eOk) list.push_back(handle);
}

void CBlockDWG::setHandles(std::vector<AcDbHandle>& list, const std::wstring& text, AcDbDatabase* database) {
  if (text.empty()) return;
  list.clear();
  // Every entry ends with a comma as written here; other programs may leave
  // the comma off the last one, which is kept all the same.
  size_t start = 0;
  while (start < text.size()) {
    const size_t comma = std::min(text.find(L',', start), text.size());
    const AcDbHandle handle(text.substr(start, comma - start).c_str());
    if (!handle.isNull()) addHandle(list, handle, database);
    start = comma + 1;
  }
}

void CBlockDWG::setHandlesToAdd(const std::wstring& text, AcDbDatabase* database) {
  setHandles(m_handlesToAdd, text, database);
}

void CBlockDWG::setHandlesToMinus(const std::wstring& text, AcDbDatabase* database) {
  setHandles(m_handlesToMinus, text, database);
}

void CBlockDWG::addHandleToAdd(const AcDbHandle& handle, AcDbDatabase* database) {
  addHandle(m_handlesToAdd, handle, database);
}

void CBlockDWG::addHandleToMinus(const AcDbHandle& handle, AcDbDatabase* database) {
  addHandle(m_handlesToMinus, handle, database);
}

void CBlockDWG::removeHandleToAdd(int index) {
  if (index >= 0 && static_cast<size_t>(index) < m_handlesToAdd.size()) m_handlesToAdd.erase(m_handlesToAdd.begin() + index);
}

void CBlockDWG::removeHandleToMinus(int index) {
  if (index >= 0 && static_cast<size_t>(index) < m_handlesToMinus.size())
    m_handlesToMinus.erase(m_handlesToMinus.begin() + index);
}

// ---- Added and subtracted areas ----

void CBlockDWG::setHandlesToAdd(const AcDbObjectIdArray& ids) {
  ZELPH_TRY
    setOutlineHandles(m_handlesToAdd, ids, L"adds");
  ZELPH_CATCH(L"CBlockDWG::setHandlesToAdd")
}

void CBlockDWG::setHandlesToMinus(const AcDbObjectIdArray& ids) {
  ZELPH_TRY
    setOutlineHandles(m_handlesToMinus, ids, L"subtracts");
  ZELPH_CATCH(L"CBlockDWG::setHandlesToMinus")
}

void CBlockDWG::setOutlineHandles(std::vector<AcDbHandle>& list, const AcDbObjectIdArray& ids, const wchar_t* verb) {
  list.clear();
  for (const AcDbObjectId& id : ids) {
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
    if (!entity) continue;
    // Only polylines are measured: anything else would be listed and count nothing.
    if (AcDbPolyline::cast(entity.object()) != nullptr) {
      list.push_back(entity->handle());
      continue;
    }
    ACHAR handle[17];
    entity->handle().getIntoAsciiBuffer(handle);
    acutPrintf(L"\n%s %s is not a polyline: it %s nothing and is left out.\n", entity->isA()->name(), handle, verb);
  }
}

int CBlockDWG::convertHandlesToObjectIds(const std::vector<AcDbHandle>& handles, AcDbDatabase* database,
                                         AcDbObjectIdArray& ids) {
  ZELPH_TRY
    for (const AcDbHandle& handle : handles) {
      AcDbObjectId id;
      if (database == nullptr || database->getAcDbObjectId(id, false, handle) != Acad::eOk) id = AcDbObjectId::kNull;
      ids.push_back(id);
    }
    return 0;
  ZELPH_CATCH(L"CBlockDWG::convertHandlesToObjectIds")
}

double CBlockDWG::sumList(std::vector<AcDbHandle>& list, AcApDocument* document, bool area) {
  AcDbDatabase* database = document->database();
  double sum = 0.0;
  for (size_t index = 0; index < list.size();) {
    AcDbObjectId id;
    if (database->getAcDbObjectId(id, false, list[index]) != Acad::eOk) {
      ++index;
      continue;
    }
    const AcDbEntityPointer entity(id, AcDb::kForRead);
    if (isGone(entity.openStatus())) {
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
      continue;
    }
    if (const auto* polyline = entity ? AcDbPolyline::cast(entity.object()) : nullptr)
      sum += area ? CAcadUtilities::calculatePolylineArea(polyline, database->lunits(), m_units, database->insunits())
                  : CAcadUtilities::calculatePolylinePerimeter(polyline, database->lunits(), m_units,
                                                               database->insunits());
    ++index;
  }
  return sum;
}

double CBlockDWG::calcAddArea(AcApDocument* document) {
  ZELPH_TRY
    return sumList(m_handlesToAdd, document, true);
  ZELPH_CATCH(L"CBlockDWG::calcAddArea")
}

double CBlockDWG::calcSubArea(AcApDocument* document) {
  ZELPH_TRY
    return sumList(m_handlesToMinus, document, true);
  ZELPH_CATCH(L"CBlockDWG::calcSubArea")
}

double CBlockDWG::calcAddAreaPerimeters(AcApDocument* document) {
  ZELPH_TRY
    return sumList(m_handlesToAdd, document, false);
  ZELPH_CATCH(L"CBlockDWG::calcAddAreaPerimeters")
}

double CBlockDWG::calcSubAreaPerimeters(AcApDocument* document) {
  ZELPH_TRY
    return sumList(m_handlesToMinus, document, false);
  ZELPH_CATCH(L"CBlockDWG::calcSubAreaPerimeters")
}

double CBlockDWG::measureOwnOutline(AcApDocument* document, bool area) const {
  const AcDbObjectPointer<AcDbBlockReference> reference(m_objectId, AcDb::kForRead);
  if (!reference) return -1.0;
  AcDbObjectPointer<AcDbPolyline> outline;
  if (!openFirstPolyline(reference->blockTableRecord(), AcDb::kForRead, outline)) return 0.0;
  const AcDbDatabase* database = document->database();
  return area ? CAcadUtilities::recalculateBlockArea(reference.object(), outline.object(), database->lunits(), m_units,
                                                     database->insunits())
              : CAcadUtilities::recalculateBlockPerimeter(reference.object(), outline.object(), database->lunits(),
                                                          m_units, database->insunits());
}

void CBlockDWG::recalculateArea(AcApDocument* document) {
  ZELPH_TRY
    const double base = measureOwnOutline(document, true);
    if (base < 0.0) return;  // the reference cannot be opened
    m_area = CUtilities::roundDouble(base - calcSubArea(document) + calcAddArea(document), m_precision);
  ZELPH_CATCH(L"CBlockDWG::recalculateArea")
}

void CBlockDWG::recalculatePerimeter(AcApDocument* document) {
  ZELPH_TRY
    const double base = measureOwnOutline(document, false);
    if (base < 0.0) return;
    m_perimeter = calcSubAreaPerimeters(document) + base + calcAddAreaPerimeters(document);
  ZELPH_CATCH(L"CBlockDWG::recalculatePerimeter")
}

void CBlockDWG::highlightList(std::vector<AcDbHandle>& list, CAcadDrawing& drawing, int colourIndex, bool highlight) {
  AcDbDatabase* database = drawing.getDatabase();
  for (size_t index = 0; index < list.size();) {
    AcDbObjectId id;
    AcDbEntityPointer outline;
    // An erased outline is still found by its handle; only opening it tells.
    Acad::ErrorStatus status = database->getAcDbObjectId(id, false, list[index]);
    if (status == Acad::eOk) status = outline.open(id, AcDb::kForWrite);
    if (isGone(status)) {
      list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
      continue;
    }
    ++index;
    if (status != Acad::eOk) continue;
    outline->setColorIndex(static_cast<std::uint16_t>(highlight ? colourIndex : m_colourIndex));
    outline->setLineWeight(static_cast<AcDb::LineWeight>(highlight ? AcDb::kLnWt100 : m_lineweight));
    ZELPH_CHECK_STATUS(outline.close(), L"CBlockDWG::highlightList", drawing.getFolder() + drawing.getName());
  }
}

void CBlockDWG::highlightAreasAdded(CAcadDrawing& drawing, bool highlight, bool print) {
  ZELPH_TRY
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return;
    if (print) acutPrintf(L"\nThere are %i area(s) added to this block\n", static_cast<int>(m_handlesToAdd.size()));
    highlightList(m_handlesToAdd, drawing, 3, highlight);
    drawing.regenDrawing();
  ZELPH_CATCH(L"CBlockDWG::highlightAreasAdded")
}

void CBlockDWG::highlightAreasSubtracted(CAcadDrawing& drawing, bool highlight, bool print) {
  ZELPH_TRY
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return;
    if (print)
      acutPrintf(L"\nThere are %i area(s) subtracted from this block\n", static_cast<int>(m_handlesToMinus.size()));
    highlightList(m_handlesToMinus, drawing, 1, highlight);
    drawing.regenDrawing();
  ZELPH_CATCH(L"CBlockDWG::highlightAreasSubtracted")
}

void CBlockDWG::convertUnits(int units) {
  ZELPH_TRY
    constexpr double kSquareFeetPerSquareMetre = 10.7639104;
    constexpr double kFeetPerMetre = 3.2808399;
    if (m_units == units) return;
    if (units != 0) {
      m_area *= kSquareFeetPerSquareMetre;
      m_perimeter *= kFeetPerMetre;
    } else {
      m_area /= kSquareFeetPerSquareMetre;
      m_perimeter /= kFeetPerMetre;
    }
    m_units = units != 0 ? 1 : 0;
  ZELPH_CATCH(L"CBlockDWG::convertUnits")
}

// ---- Drawing operations ----

std::wstring CBlockDWG::lockedLayer() const {
  ZELPH_TRY
    const auto lockedLayerOf = [](AcDbObjectId entityId) {
      AcDbObjectPointer<AcDbEntity> entity(entityId, AcDb::kForRead);
      if (!entity) return std::wstring();
      AcDbObjectPointer<AcDbLayerTableRecord> layer(entity->layerId(), AcDb::kForRead);
      return layer && layer->isLocked() ? entity->layer() : std::wstring();
    };
    std::wstring locked = lockedLayerOf(m_objectId);
    AcDbObjectPointer<AcDbBlockReference> reference(m_objectId, AcDb::kForRead);
    if (!reference) return locked;
    for (const AcDbObjectId& id : reference->attributeIds())
      if (locked.empty()) locked = lockedLayerOf(id);
    return locked;
  ZELPH_CATCH(L"CBlockDWG::lockedLayer")
}

CBlockDWG::LinkedLabels CBlockDWG::linkedLabels() const {
  ZELPH_TRY
    LinkedLabels linked;
    if (m_attributes == nullptr) return linked;
    const CAttribute* area = m_attributes->getAtAttribute(CZelphAttribute::kArea);
    const CAttribute* aux = m_attributes->getAtAttribute(CZelphAttribute::kAux);
    linked.area = area != nullptr &&
                  area->getValue() == CUtilities::DoubleToCString(m_area, m_precision) + areaUnitText(m_units);
    linked.perimeter = aux != nullptr && aux->getValue() == CUtilities::DoubleToCString(m_perimeter, m_precision) +
                                                                 lengthUnitText(m_units);
    return linked;
  ZELPH_CATCH(L"CBlockDWG::linkedLabels")
}

void CBlockDWG::relabel(const LinkedLabels& linked) {
  ZELPH_TRY
    if (linked.area)
      m_attributes->getAtAttribute(CZelphAttribute::kArea)
          ->setValue(CUtilities::DoubleToCString(m_area, m_precision) + areaUnitText(m_units));
    if (linked.perimeter)
      m_attributes->getAtAttribute(CZelphAttribute::kAux)
          ->setValue(CUtilities::DoubleToCString(m_perimeter, m_precision) + lengthUnitText(m_units));
  ZELPH_CATCH(L"CBlockDWG::relabel")
}

void CBlockDWG::applyToDWG(CAcadDrawing& drawing, CZelphExceptions& errors) {
  ZELPH_TRY
    const CAcadDrawingLock lock(drawing);
    ZELPH_CHECK_STATUS(lock.getStatus(), L"CBlockDWG::applyToDWG", drawing.getFolder() + drawing.getName());
    // Written in part, record and labels would disagree: a space on a locked layer is left whole.
    const std::wstring locked = lockedLayer();
    if (!locked.empty())
      return errors.add(std::make_unique<CEXUnhandled>(ZELPH_BANNER, ZELPH_SOURCE, L"CBlockDWG::applyToDWG",
                                                       lockedMessage(locked), 0));
    const AcDbObjectPointer<AcDbBlockReference> reference(m_objectId, AcDb::kForWrite);
    if (!reference) return;
    updateBlockIdentifier(reference.object());
    writeXData(reference.object());
    if (m_attributes != nullptr && m_attributes->getCount() > 0)
      m_attributes->applyToDWG(reference.object(), ucsOf(drawing.getDatabase()), nullptr);
    if (m_hatch != nullptr) {
      AcDbObjectId hatchId;
      hatchBlock(drawing, reference.object(), hatchId, errors);
      if (getHyperlinks() != nullptr) getHyperlinks()->applyToEntity(hatchId);
    }
    if (getHyperlinks() != nullptr) hyperlinkBlock(reference.object());
    if (m_assets != nullptr) {
      // What goes wrong with the assets is not the space's to report.
      CZelphExceptions assetErrors;
      m_assets->applyToDWG(drawing, assetErrors);
    }
  ZELPH_CATCH(L"CBlockDWG::applyToDWG")
}

std::wstring CBlockDWG::lockedMessage(const std::wstring& layer) const {
  return m_name + L" (" + m_blockName + L") skipped: layer " + layer + L" is locked.";
}

void CBlockDWG::updateAttributes(const AcGeMatrix3d& ucs, const AcGePoint3d* anchor) {
  ZELPH_TRY
    if (m_attributes != nullptr) m_attributes->applyToDWG(m_objectId, ucs, anchor);
  ZELPH_CATCH(L"CBlockDWG::updateAttributes")
}

void CBlockDWG::updateBlockIdentifier(AcDbBlockReference* reference) {
  ZELPH_TRY
    const AcDbObjectPointer<AcDbBlockTableRecord> definition(reference->blockTableRecord(), AcDb::kForWrite);
    if (!definition) return;
    std::wstring current;
    definition->getName(current);
    if (current != m_blockName && !m_blockName.empty()) definition->setName(m_blockName.c_str());
  ZELPH_CATCH(L"CBlockDWG::updateBlockIdentifier")
}

void CBlockDWG::copyFormatting(CBlockDWG* target) const {
  ZELPH_TRY
    if (target == nullptr) return;
    target->m_area = m_area;
    if (m_attributes != nullptr) copyLabelsInto(*target);
    if (m_hatch != nullptr) {
      if (target->m_hatch == nullptr) target->m_hatch = std::make_unique<CHatch>();
      m_hatch->copyTo(*target->m_hatch);
    }
    if (getHyperlinks() != nullptr) {
      auto hyperlinks = std::make_unique<CHyperlinks>();
      getHyperlinks()->copyTo(*hyperlinks);
      target->setHyperlinks(std::move(hyperlinks));
    }
  ZELPH_CATCH(L"CBlockDWG::copyFormatting")
}

void CBlockDWG::copyLabelsInto(CBlockDWG& target) const {
  if (target.m_attributes == nullptr) target.m_attributes = std::make_unique<CAttributes>();
  CAttributes& into = *target.m_attributes;
  into.setTextHeight(m_attributes->getTextHeight());
  into.setRotation(m_attributes->getRotation());
  into.setWidthFactor(m_attributes->getWidthFactor());
  for (const int kind : {CZelphAttribute::kName, CZelphAttribute::kArea, CZelphAttribute::kAux}) {
    const CAttribute* from = m_attributes->getAtAttribute(kind);
    if (from == nullptr) continue;
    if (into.getAtAttribute(kind) == nullptr) into.add(std::make_unique<CZelphAttribute>(kind, L"", L""), true);
    into.getAtAttribute(kind)->setValue(from->getValue());
  }
}

void CBlockDWG::hatchBlock(CAcadDrawing& drawing, AcDbEntity* entity, AcDbObjectId& hatchId,
                           CZelphExceptions& errors) {
  ZELPH_TRY
    auto* reference = AcDbBlockReference::cast(entity);
    if (reference == nullptr) return;
    AcDbObjectId outline;
    AcDbObjectPointer<AcDbPolyline> polyline;
    if (openFirstPolyline(reference->blockTableRecord(), AcDb::kForRead, polyline)) outline = polyline->objectId();
    polyline.close();
    AcDbObjectIdArray idsToAdd, idsToMinus;
    convertHandlesToObjectIds(m_handlesToAdd, drawing.getDatabase(), idsToAdd);
    convertHandlesToObjectIds(m_handlesToMinus, drawing.getDatabase(), idsToMinus);
    hatchObject(drawing, reference, outline, idsToAdd, idsToMinus, hatchId, errors);
  ZELPH_CATCH(L"CBlockDWG::hatchBlock")
}

bool CBlockDWG::appendLoops(AcDbHatch& hatch, const AcDbBlockReference* reference, AcDbObjectId outline,
                            const AcDbObjectIdArray& idsToAdd, const AcDbObjectIdArray& idsToMinus,
                            CZelphExceptions& errors) const {
  // A placed copy: the outline in the block definition is never touched.
  std::unique_ptr<AcDbPolyline> placed;
  {
    const AcDbObjectPointer<AcDbPolyline> polyline(outline, AcDb::kForRead);
    if (!polyline) return false;
    placed = copyOfOutline(*polyline.object());
  }
  placed->transformBy(reference->blockTransform());
  if (hatch.appendLoop(AcDbHatch::kOutermost, *placed) != Acad::eOk) return false;
  for (const AcDbObjectId& id : idsToAdd)
    if (hatch.appendLoop(AcDbHatch::kExternal, AcDbObjectIdArray{id}) != Acad::eOk)
      errors.add(CEXZelph::additionalHatchAreas(ZELPH_SOURCE, kHatchObject, m_name));
  for (const AcDbObjectId& id : idsToMinus)
    if (hatch.appendLoop(AcDbHatch::kDefault, AcDbObjectIdArray{id}) != Acad::eOk)
      errors.add(CEXZelph::noHatchAreas(ZELPH_SOURCE, kHatchObject, m_name));
  return true;
}

void CBlockDWG::hatchObject(CAcadDrawing& drawing, AcDbBlockReference* reference, AcDbObjectId outline,
                            const AcDbObjectIdArray& idsToAdd, const AcDbObjectIdArray& idsToMinus,
                            AcDbObjectId& hatchId, CZelphExceptions& errors) {
  ZELPH_TRY
    if (m_hatch == nullptr) return;
    const std::wstring drawingName = drawing.getFolder() + drawing.getName();
    const auto hostFailure = [&](Acad::ErrorStatus status, int line) {
      errors.add(std::make_unique<CEXUnhandled>(ZELPH_BANNER, ZELPH_SOURCE, kHatchObject, status, line, drawingName,
                                                nullptr));
    };
    // The hatch's layer is made only under the lock.
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return hostFailure(lock.getStatus(), __LINE__);
    auto hatch = std::make_unique<AcDbHatch>();
    const Acad::ErrorStatus made = m_hatch->applyTo(*hatch, CAcadUtilities::getUcsNormal());
    if (made != Acad::eOk) return hostFailure(made, __LINE__);
    std::wstring layer = m_hatch->getLayer();
    CLayers layers;
    if (layers.ensureLayerExists(drawing, layer, m_hatch->getColour()) == 1) hatch->setLayer(layer.c_str());
    if (!appendLoops(*hatch, reference, outline, idsToAdd, idsToMinus, errors))
      return errors.add(CEXZelph::hatchNotClosed(ZELPH_SOURCE, kHatchObject, m_name, m_handle));
    // A pattern that cannot be drawn is reported; the hatch is kept all the same.
    const std::wstring subject = L"zelph block " + m_name;
    const Acad::ErrorStatus evaluated = hatch->evaluateHatch();
    if (evaluated == Acad::eHatchTooDense)
      errors.add(CEXZelph::hatchTooDense(ZELPH_SOURCE, kHatchObject, subject, hatch->patternName(),
                                         hatch->patternScale()));
    else if (evaluated == Acad::eHatchNotDenseEnough)
      errors.add(CEXZelph::hatchTooSparse(ZELPH_SOURCE, kHatchObject, subject, hatch->patternName(),
                                          hatch->patternScale()));
    else if (evaluated != Acad::eOk)
      hostFailure(evaluated, __LINE__);
    CDrawnHatches::tag(*hatch, drawing.getDatabase(), m_handle);
    const Acad::ErrorStatus posted = drawing.postToDrawing(hatch, hatchId);
    if (posted != Acad::eOk) return hostFailure(posted, __LINE__);
    const AcDbEntityPointer placed(hatchId, AcDb::kForRead);
    if (placed) CAcadUtilities::moveEntityToBottom(placed.object());
  ZELPH_CATCH(kHatchObject)
}

void CBlockDWG::hyperlinkEntity(AcDbEntity* entity) {
  ZELPH_TRY
    if (getHyperlinks() != nullptr) getHyperlinks()->applyToEntity(entity);
  ZELPH_CATCH(L"CBlockDWG::hyperlinkEntity")
}

void CBlockDWG::hyperlinkBlock(AcDbBlockReference* reference) {
  ZELPH_TRY
    if (reference == nullptr) return;
    hyperlinkEntity(reference);
    const CHostProduct::Kind host = CHostProduct::current().kind();
    if (host != CHostProduct::kAutoCADLT && host != CHostProduct::kAutoCAD) return;
    for (const AcDbObjectId& id : reference->attributeIds()) {
      AcDbObjectPointer<AcDbAttribute> attribute(id, AcDb::kForWrite);
      if (attribute) hyperlinkEntity(attribute.object());
    }
  ZELPH_CATCH(L"CBlockDWG::hyperlinkBlock")
}

int CBlockDWG::deleteBlock(CAcadDrawing& drawing) {
  ZELPH_TRY
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return 0;
    const AcDbEntityPointer entity(m_objectId, AcDb::kForWrite);
    auto* reference = entity ? AcDbBlockReference::cast(entity.object()) : nullptr;
    if (reference == nullptr || !reference->blockTransform().isUniScaledOrtho()) return 0;
    const AcDbObjectPointer<AcDbBlockTableRecord> definition(reference->blockTableRecord(), AcDb::kForWrite);
    if (!definition) return 0;
    std::wstring name;
    definition->getName(name);
    // Furniture and other blocks keep their parts and attributes.
    if (!isSpaceBlockName(name)) {
      acutPrintf(L"\n%s is not a space: nothing deleted.\n", name.c_str());
      return 0;
    }
    AcGeMatrix3d shift;
    shift.setToTranslation(AcGePoint3d(0, 0, 0) - definition->origin());
    const AcGeMatrix3d placement = reference->blockTransform() * shift;
    for (const AcDbObjectId& id : definition->entityIds()) {
      const AcDbEntityPointer part(id, AcDb::kForWrite);
      const auto* polyline = part ? AcDbPolyline::cast(part.object()) : nullptr;
      if (polyline == nullptr) continue;
      auto copy = copyOfOutline(*polyline);
      copy->transformBy(placement);
      AcDbObjectId copyId;
      drawing.postToDrawing(copy, copyId);
    }
    reference->erase();
    deleteBlockDefinition(drawing, definition.object());
    return 1;
  ZELPH_CATCH(L"CBlockDWG::deleteBlock")
}

int CBlockDWG::deleteBlockDefinition(CAcadDrawing& drawing, AcDbBlockTableRecord* definition) {
  ZELPH_TRY
    AcDbObjectIdArray entities;
    {
      const AcDbObjectPointer<AcDbBlockTableRecord> model(drawing.getDatabase()->modelSpaceId(), AcDb::kForRead);
      if (!model) return 0;
      entities = model->entityIds();
    }
    for (const AcDbObjectId& id : entities) {
      const AcDbObjectPointer<AcDbBlockReference> reference(id, AcDb::kForRead);
      if (reference && reference->blockTableRecord() == definition->objectId()) return 0;
    }
    return definition->erase() == Acad::eOk ? 1 : 0;
  ZELPH_CATCH(L"CBlockDWG::deleteBlockDefinition")
}
