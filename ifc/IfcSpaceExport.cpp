#include "ifc/IfcSpaceExport.h"

#include <cwchar>

#include "AcDbDatabase.h"
#include "host/AcadUtilities.h"
#include "ifc/IfcFootprint.h"
#include "ifc/IfcShapes.h"
#include "ifc/IfcUnits.h"
#include "ifc/StepFile.h"
#include "spaces/BlockDWG.h"
#include "spaces/Blocks.h"
#include "support/ZelphExceptions.h"

namespace {

const std::wstring kNotSet = L"<Not Set>";
const std::wstring kNoRecord = L"No X Data";

enum QuantityKind { kArea, kLength, kVolume };

bool isSet(const std::wstring& value) { return !value.empty() && value != kNotSet; }

std::wstring setOrEmpty(const std::wstring& value) { return isSet(value) ? value : std::wstring(); }

std::wstring auxiliaryOf(const CBlockDWG& space) {
  const CAttributes* attributes = space.getAttributes();
  const CAttribute* aux = attributes != nullptr ? attributes->getAtAttribute(2) : nullptr;
  // A blank AUX text only keeps the label in place.
  if (aux == nullptr || aux->getValue().find_first_not_of(L' ') == std::wstring::npos) return std::wstring();
  return aux->getValue();
}

// A count the record keeps as text: only a whole text that is a number.
bool readCount(const std::wstring& text, double& count) {
  if (!isSet(text)) return false;
  wchar_t* end = nullptr;
  count = std::wcstod(text.c_str(), &end);
  while (end != nullptr && *end == L' ') ++end;
  return end != text.c_str() && end != nullptr && *end == 0 && count >= 0.0;
}

}  // namespace

struct CIfcSpaceExport::Storey {
  const CBlockDWG* floor = nullptr;  // null for the storey of spaces that lie in none
  std::unique_ptr<CIfcFootprint> footprint;
  int placement = 0;
  int spacePlacement = 0;  // shared by the storey's spaces
  std::vector<int> spaces;
};

CIfcSpaceExport::CIfcSpaceExport(AcDbDatabase* database, const std::wstring& projectName,
                                 const std::wstring& application)
    : m_database(database),
      m_projectName(projectName),
      m_application(application),
      m_ids(database->fingerprintGuid()) {}

CIfcSpaceExport::~CIfcSpaceExport() = default;

bool CIfcSpaceExport::hasRecord(const CBlockDWG& space) { return space.getApplicationName() != kNoRecord; }

bool CIfcSpaceExport::feet(const CBlockDWG& space) { return space.getUnits() != 0; }

std::wstring CIfcSpaceExport::id(CIfcGlobalId::Role role, std::uint64_t handle) const {
  const std::string text = m_ids.of(role, handle);
  return std::wstring(text.begin(), text.end());
}

std::string CIfcSpaceExport::write(const CBlocks& spaces, const std::wstring& fileName, const std::string& timestamp) {
  ZELPH_TRY
  m_file = std::make_unique<CStepFile>(fileName, m_application, timestamp);
  sortSpaces(spaces);
  const double metresPerUnit = 1.0 / CAcadUtilities::lengthDivisor(m_database->lunits(), 0, m_database->insunits());
  m_units = std::make_unique<CIfcUnits>(*m_file, metresPerUnit, projectInFeet());
  m_shapes = std::make_unique<CIfcShapes>(*m_file);
  const int sitePlacement = m_file->add(IfcEntity::LocalPlacement).unset().ref(m_shapes->origin()).end();
  const int buildingPlacement = m_file->add(IfcEntity::LocalPlacement).ref(sitePlacement).ref(m_shapes->origin()).end();
  readStoreys();
  for (const CBlockDWG* room : m_rooms) {
    const CIfcFootprint footprint(*room, m_database);
    Storey& storey = storeyOf(footprint);
    placeStorey(storey, buildingPlacement);
    writeSpace(*room, storey, footprint);
  }
  std::vector<int> storeys;
  for (Storey& storey : m_storeys) {
    placeStorey(storey, buildingPlacement);
    storeys.push_back(writeStorey(storey));
  }
  writeStructure(storeys, sitePlacement, buildingPlacement);
  m_spaceCount = static_cast<int>(m_rooms.size());
  m_storeyCount = static_cast<int>(m_storeys.size());
  return m_file->text();
  ZELPH_CATCH(L"CIfcSpaceExport::write")
}

// The area and volume unit of the first space that has a record, rooms
// before floors; square metres when none has.
bool CIfcSpaceExport::projectInFeet() const {
  for (const std::vector<const CBlockDWG*>* list : {&m_rooms, &m_floors})
    for (const CBlockDWG* space : *list)
      if (hasRecord(*space)) return feet(*space);
  return false;
}

void CIfcSpaceExport::sortSpaces(const CBlocks& spaces) {
  for (int index = 0; index < spaces.getCount(); ++index) {
    const auto* space = static_cast<const CBlockDWG*>(spaces.getAt(index));
    switch (space->getLevel()) {
      case 8: m_floors.push_back(space); break;
      case 9: m_building = space; break;
      case 10: m_site = space; break;
      default: m_rooms.push_back(space); break;
    }
  }
}

void CIfcSpaceExport::readStoreys() {
  for (const CBlockDWG* floor : m_floors) {
    Storey storey;
    storey.floor = floor;
    storey.footprint = std::make_unique<CIfcFootprint>(*floor, m_database);
    m_storeys.push_back(std::move(storey));
  }
}

// The storey whose outline holds a point inside the footprint; the storey
// of spaces that lie in none when no outline does.
CIfcSpaceExport::Storey& CIfcSpaceExport::storeyOf(const CIfcFootprint& footprint) {
  if (!footprint.empty()) {
    const AcGePoint2d inside = footprint.outline().interiorPoint();
    for (Storey& storey : m_storeys)
      if (storey.floor != nullptr && !storey.footprint->empty() && storey.footprint->outline().contains(inside))
        return storey;
  }
  for (Storey& storey : m_storeys)
    if (storey.floor == nullptr) return storey;
  m_storeys.push_back(Storey());
  return m_storeys.back();
}

void CIfcSpaceExport::placeStorey(Storey& storey, int buildingPlacement) {
  if (storey.placement != 0) return;
  storey.placement = m_file->add(IfcEntity::LocalPlacement).ref(buildingPlacement).ref(m_shapes->origin()).end();
  storey.spacePlacement = m_file->add(IfcEntity::LocalPlacement).ref(storey.placement).ref(m_shapes->origin()).end();
}

void CIfcSpaceExport::writeSpace(const CBlockDWG& space, Storey& storey, const CIfcFootprint& footprint) {
  const double depth = space.getRoomHeight() * CAcadUtilities::lengthDivisor(m_database->lunits(), space.getUnits(), m_database->insunits());
  const int shape = footprint.empty() ? 0 : m_shapes->shapeOf(footprint, depth);
  const std::uint64_t handle = space.getAcDbHandle();
  const int spaceId = m_file->add(IfcEntity::Space)
                          .text((id(CIfcGlobalId::kSpace, handle))).unset()
                          .text(space.getName()).unset().textOrUnset(setOrEmpty(space.getAreaType()))
                          .ref(storey.spacePlacement).ref(shape).textOrUnset(auxiliaryOf(space))
                          .enumeration("ELEMENT").enumeration("SPACE").unset().end();
  storey.spaces.push_back(spaceId);
  if (!hasRecord(space)) return;
  writeSpaceQuantities(space, footprint, spaceId);
  writeOccupancy(space, spaceId);
  writeRecordItems(space, spaceId);
}

void CIfcSpaceExport::writeSpaceQuantities(const CBlockDWG& space, const CIfcFootprint& footprint, int spaceId) {
  const bool inFeet = feet(space);
  const int area = m_units->area(inFeet), length = m_units->length(inFeet), volume = m_units->volume(inFeet);
  std::vector<int> quantities = {quantity(kArea, L"NetFloorArea", area, space.getArea()),
                                 quantity(kLength, L"NetPerimeter", length, space.getPerimeter())};
  if (!footprint.empty()) {
    quantities.push_back(quantity(kArea, L"GrossFloorArea", area, footprint.grossArea()));
    quantities.push_back(quantity(kLength, L"GrossPerimeter", length, footprint.grossPerimeter()));
  }
  if (space.getRoomHeight() > 0.0) quantities.push_back(quantity(kLength, L"Height", length, space.getRoomHeight()));
  // The record's volume; else the floor area over the room height.
  const double netVolume = space.getVolume() > 0.0 ? space.getVolume() : space.getArea() * space.getRoomHeight();
  if (netVolume > 0.0) quantities.push_back(quantity(kVolume, L"NetVolume", volume, netVolume));
  writeQuantities(L"Qto_SpaceBaseQuantities", quantities, space, spaceId);
}

int CIfcSpaceExport::quantity(int kind, const wchar_t* name, int unit, double value) {
  static const IfcEntity kEntities[] = {IfcEntity::QuantityArea, IfcEntity::QuantityLength, IfcEntity::QuantityVolume};
  return m_file->add(kEntities[kind]).text(name).unset().ref(unit).real(value).unset().end();
}

int CIfcSpaceExport::writeQuantities(const std::wstring& name, const std::vector<int>& quantities,
                                     const CBlockDWG& owner, int ownerId) {
  const std::uint64_t handle = owner.getAcDbHandle();
  const int set = m_file->add(IfcEntity::ElementQuantity)
                      .text((id(CIfcGlobalId::kQuantities, handle))).unset().text(name).unset().unset()
                      .refs(quantities).end();
  link(CIfcGlobalId::kQuantitiesLink, handle, set, ownerId);
  return set;
}

void CIfcSpaceExport::link(CIfcGlobalId::Role role, std::uint64_t handle, int propertySet, int ownerId) {
  m_file->add(IfcEntity::RelDefinesByProperties)
      .text((id(role, handle))).unset().unset().unset().refs({ownerId}).ref(propertySet).end();
}

void CIfcSpaceExport::writeOccupancy(const CBlockDWG& space, int spaceId) {
  double staff = 0.0;
  if (!readCount(space.getTotalStaff(), staff)) return;
  const int number = m_file->add(IfcEntity::PropertySingleValue)
                         .text(L"OccupancyNumber").unset().typed("IFCCOUNTMEASURE", staff).unset().end();
  const std::uint64_t handle = space.getAcDbHandle();
  const int set = m_file->add(IfcEntity::PropertySet)
                      .text((id(CIfcGlobalId::kOccupancy, handle))).unset()
                      .text(L"Pset_SpaceOccupancyRequirements").unset().refs({number}).end();
  link(CIfcGlobalId::kOccupancyLink, handle, set, spaceId);
}

// The record's other items under its own keys, with the space's handle and
// block so that a facility system can find the space in the drawing again.
void CIfcSpaceExport::writeRecordItems(const CBlockDWG& space, int spaceId) {
  const std::pair<const wchar_t*, const std::wstring*> items[] = {
      {L"HANDLE", &space.getHandle()},           {L"BLOCK", &space.getBlockName()},
      {L"TAGTYPE", &space.getTagType()},         {L"AREA_TYPE", &space.getAreaType()},
      {L"COST_CENTRE", &space.getCostCentre()},  {L"DATE", &space.getDate()},
      {L"DATE_L_MOVE", &space.getDateLastMove()}, {L"DEPT_CHARGE", &space.getDeptCharge()},
      {L"SPECIAL_REQ", &space.getSpecialReq()},  {L"TOT_STAFF", &space.getTotalStaff()},
      {L"TOT_WKSTNS", &space.getTotalWorkstations()},
  };
  std::vector<int> properties;
  for (const auto& [key, value] : items) {
    if (!isSet(*value)) continue;
    properties.push_back(
        m_file->add(IfcEntity::PropertySingleValue).text(key).unset().typedText("IFCLABEL", *value).unset().end());
  }
  const std::uint64_t handle = space.getAcDbHandle();
  const int set = m_file->add(IfcEntity::PropertySet)
                      .text((id(CIfcGlobalId::kProperties, handle))).unset().text(L"Spatiary").unset()
                      .refs(properties).end();
  link(CIfcGlobalId::kPropertiesLink, handle, set, spaceId);
}

int CIfcSpaceExport::writeStorey(Storey& storey) {
  const std::uint64_t handle = storey.floor != nullptr ? std::uint64_t(storey.floor->getAcDbHandle()) : 0;
  const std::wstring name = storey.floor != nullptr ? storey.floor->getName() : L"Default Storey";
  const int storeyId = m_file->add(IfcEntity::BuildingStorey)
                           .text((id(CIfcGlobalId::kStorey, handle))).unset().text(name).unset().unset()
                           .ref(storey.placement).unset()
                           .textOrUnset(storey.floor != nullptr ? auxiliaryOf(*storey.floor) : std::wstring())
                           .enumeration("ELEMENT").real(0.0).end();
  if (storey.floor != nullptr && hasRecord(*storey.floor)) {
    const bool inFeet = feet(*storey.floor);
    writeQuantities(L"Qto_BuildingStoreyBaseQuantities",
                    {quantity(kArea, L"GrossFloorArea", m_units->area(inFeet), storey.floor->getArea()),
                     quantity(kLength, L"GrossPerimeter", m_units->length(inFeet), storey.floor->getPerimeter())},
                    *storey.floor, storeyId);
  }
  if (!storey.spaces.empty()) aggregate(CIfcGlobalId::kStoreyParts, handle, storeyId, storey.spaces);
  return storeyId;
}

void CIfcSpaceExport::writeStructure(const std::vector<int>& storeys, int sitePlacement, int buildingPlacement) {
  const std::uint64_t siteHandle = m_site != nullptr ? std::uint64_t(m_site->getAcDbHandle()) : 0;
  const std::uint64_t buildingHandle = m_building != nullptr ? std::uint64_t(m_building->getAcDbHandle()) : 0;
  const int building = m_file->add(IfcEntity::Building)
                           .text((id(CIfcGlobalId::kBuilding, buildingHandle))).unset()
                           .text(m_building != nullptr ? m_building->getName() : m_projectName).unset().unset()
                           .ref(buildingPlacement).unset().unset().enumeration("ELEMENT").unset().unset().unset()
                           .end();
  aggregate(CIfcGlobalId::kBuildingParts, buildingHandle, building, storeys);
  const int site = m_file->add(IfcEntity::Site)
                       .text((id(CIfcGlobalId::kSite, siteHandle))).unset()
                       .text(m_site != nullptr ? m_site->getName() : L"Site").unset().unset()
                       .ref(sitePlacement).unset().unset().enumeration("ELEMENT")
                       .unset().unset().unset().unset().unset().end();
  aggregate(CIfcGlobalId::kSiteParts, siteHandle, site, {building});
  const int project = m_file->add(IfcEntity::Project)
                          .text((id(CIfcGlobalId::kProject, 0))).unset().text(m_projectName).unset().unset()
                          .unset().unset().refs({m_shapes->context()}).ref(m_units->assignment()).end();
  aggregate(CIfcGlobalId::kProjectParts, 0, project, {site});
}

int CIfcSpaceExport::aggregate(CIfcGlobalId::Role role, std::uint64_t handle, int whole, const std::vector<int>& parts) {
  return m_file->add(IfcEntity::RelAggregates)
      .text((id(role, handle))).unset().unset().unset().ref(whole).refs(parts).end();
}
