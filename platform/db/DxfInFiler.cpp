#include "DxfInFiler.h"

#include <charconv>
#include <cmath>

#include "AcDbDatabase.h"
#include "AcDbLayerTable.h"
#include "AcDbStub.h"
#include "DxfCodeTable.h"
#include "DxfError.h"
#include "DxfText.h"

namespace {

std::string_view trimmed(std::string_view value) {
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  return value;
}

}  // namespace

DxfInFiler::DxfInFiler(AcDbDatabase& database) : m_database(database) {}

void DxfInFiler::fail(const std::string& message) const { throw DxfError(m_tag.line, message); }

double DxfInFiler::real() const {
  const std::string_view value = trimmed(m_tag.value);
  double result = 0.0;
  const auto parsed = std::from_chars(value.data(), value.data() + value.size(), result);
  // NaN and infinity are numbers to the parser but to no other program.
  if (value.empty() || parsed.ec != std::errc() || parsed.ptr != value.data() + value.size() ||
      !std::isfinite(result))
    fail("value '" + std::string(value.substr(0, 40)) + "' of group code " + std::to_string(m_tag.code) +
         " is not a number");
  return result;
}

long long DxfInFiler::integer() const {
  const std::string_view value = trimmed(m_tag.value);
  long long result = 0;
  const char* begin = value.data() + (!value.empty() && value.front() == '+' ? 1 : 0);
  const auto parsed = std::from_chars(begin, value.data() + value.size(), result);
  if (value.empty() || parsed.ec != std::errc() || parsed.ptr != value.data() + value.size())
    fail("value '" + std::string(value.substr(0, 40)) + "' of group code " + std::to_string(m_tag.code) +
         " is not an integer");
  return result;
}

void DxfInFiler::check() const {
  switch (DxfCodeTable::kind(m_tag.code)) {
    case DxfValueKind::Double:
    case DxfValueKind::Point:
      real();
      break;
    case DxfValueKind::Int16:
    case DxfValueKind::Int32:
    case DxfValueKind::Int64:
      integer();
      break;
    default:
      break;
  }
}

std::wstring DxfInFiler::text() const { return DxfText::decode(m_tag.value); }

void DxfInFiler::appendText(std::string& out) const { DxfText::appendDecoded(m_tag.value, out); }

AcDbHandle DxfInFiler::handle() const {
  const std::string value(trimmed(m_tag.value));
  const AcDbHandle parsed(value.c_str());
  if (parsed.isNull() && value != "0")
    fail("value '" + value.substr(0, 40) + "' of group code " + std::to_string(m_tag.code) + " is not a handle");
  return parsed;
}

AcDbObjectId DxfInFiler::objectId() const {
  // Neighbouring objects mostly name the same owner.
  if (m_tag.value == m_lastHandleText) return m_lastId;
  const AcDbHandle value = handle();
  AcDbObjectId id;
  if (!value.isNull()) m_database.getAcDbObjectId(id, true, value);
  m_lastHandleText = m_tag.value;
  m_lastId = id;
  return id;
}

AcDbObjectId DxfInFiler::record(AcDbObjectId table) const {
  auto* symbols = residentObject<AcDbSymbolTable>(table);
  AcDbObjectId id;
  if (symbols != nullptr) symbols->getAt(text().c_str(), id);
  return id;
}

AcDbObjectId DxfInFiler::layer() {
  const auto known = m_layers.find(m_tag.value);
  if (known != m_layers.end()) return known->second;
  AcDbObjectId id = record(m_database.layerTableId());
  auto* table = residentObject<AcDbLayerTable>(m_database.layerTableId());
  if (id.isNull() && table != nullptr && !m_tag.value.empty()) {
    auto layer = std::make_unique<AcDbLayerTableRecord>();
    layer->setName(text().c_str());
    m_database.addAcDbObject(id, layer.get());
    AcDbLayerTableRecord* added = layer.release();
    table->adoptRecord(added);
    added->close();
  }
  m_layers.emplace(m_tag.value, id);
  return id;
}
