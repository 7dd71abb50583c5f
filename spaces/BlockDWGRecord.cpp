// CBlockDWG: the extended-data record.
// Every method of CBlockDWG reports the one source unit "BlockDWG".
#define ZELPH_SOURCE L"BlockDWG"

#include "spaces/BlockDWG.h"

#include <algorithm>
#include <cwchar>
#include <string_view>

#include "AcApDocument.h"
#include "AcDbBlockReference.h"
#include "AcDbDatabase.h"
#include "AcDbRegAppTable.h"
#include "aced.h"
#include "acutads.h"
#include "host/AcadUtilities.h"
#include "spaces/ZelphAttribute.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

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
