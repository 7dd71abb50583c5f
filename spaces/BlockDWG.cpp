#include "spaces/BlockDWG.h"

#include <algorithm>
#include <cwctype>

#include "AcApDocument.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "AcGeMatrix3d.h"
#include "aced.h"
#include "acutads.h"
#include "spaces/ZelphAttribute.h"
#include "support/Utilities.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

namespace {

const std::wstring kNotSet = L"<Not Set>";

// The attribute a graphic report's replacement value is for; -1 for other elements.
int swapKind(pugi::xml_node element) {
  static const std::pair<const char*, int> kinds[] = {
      {"mbSwapName", CZelphAttribute::kName}, {"mbSwapArea", CZelphAttribute::kArea}, {"mbSwapAux", CZelphAttribute::kAux}};
  for (const auto& [name, kind] : kinds)
    if (CXMLUtilities::isNamed(element, name)) return kind;
  return -1;
}

}  // namespace

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

AcGeMatrix3d CBlockDWG::ucsOf(AcDbDatabase* database) {
  AcGeMatrix3d ucs;
  acdbUcsMatrix(ucs, database);
  return ucs;
}

bool CBlockDWG::openFirstPolyline(AcDbObjectId definition, AcDb::OpenMode mode,
                                  AcDbObjectPointer<AcDbPolyline>& polyline) {
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

std::unique_ptr<AcDbPolyline> CBlockDWG::copyOfOutline(const AcDbPolyline& outline) {
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
