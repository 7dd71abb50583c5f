#include "host/Layer.h"

#include <memory>

#include "dbmain.h"
#include "host/AcadDrawing.h"
#include "support/TextCase.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

namespace {

const std::wstring kForbiddenInNames = L"<>/\\\";?*,=`";

// Layers cannot be by layer or by block; such a colour leaves the default.
std::unique_ptr<AcDbLayerTableRecord> newRecord(const std::wstring& name, const AcCmColor& colour) {
  auto record = std::make_unique<AcDbLayerTableRecord>();
  if (record->setName(name.c_str()) != Acad::eOk) return nullptr;
  if (!colour.isByLayer() && !colour.isByBlock()) record->setColor(colour);
  return record;
}

// A layer colour from an index: by block (0) and by layer (256) stay as they are asked.
AcCmColor colourOfIndex(int index) {
  AcCmColor colour;
  if (index >= 0 && index <= 256) colour.setColorIndex(static_cast<std::uint16_t>(index));
  return colour;
}

}  // namespace

CLayer::CLayer() { m_colour = colourOfIndex(0); }

CLayer::CLayer(const AcDbLayerTableRecord* record) : CLayer() { getDWGLayer(record); }

CLayer::~CLayer() = default;

std::wstring CLayer::validateLayerName(const std::wstring& name) {
  ZELPH_TRY
    std::wstring valid;
    for (wchar_t c : name)
      if (kForbiddenInNames.find(c) == std::wstring::npos) valid += c;
    return valid;
  ZELPH_CATCH(L"CLayer::validateLayerName")
}

int CLayer::ensureLayerExists(std::wstring& name, CAcadDrawing& drawing) {
  ZELPH_TRY
    name = validateLayerName(name);
    if (drawing.lock() != Acad::eOk) return 0;
    const int exists = createIfMissing(drawing.getDatabase(), name, colourOfIndex(7));
    drawing.unlock();
    return exists;
  ZELPH_CATCH(L"CLayer::ensureLayerExists")
}

int CLayer::createIfMissing(AcDbDatabase* database, const std::wstring& name, const AcCmColor& colour) {
  ZELPH_TRY
    if (database == nullptr || name.empty()) return 0;
    AcDbObjectPointer<AcDbLayerTable> table(database->layerTableId(), AcDb::kForRead);
    if (!table) return 0;
    if (table->has(name.c_str())) return 1;
    const AcDbObjectPointer<AcDbLayerTableRecord> record(newRecord(name, colour));
    return record && table->upgradeOpen() == Acad::eOk && table->add(record.object()) == Acad::eOk ? 1 : 0;
  ZELPH_CATCH(L"CLayer::createIfMissing")
}

void CLayer::applyToDWG(CAcadDrawing& drawing) {
  ZELPH_TRY
    if (!m_changed || drawing.lock() != Acad::eOk) return;
    AcDbDatabase* database = drawing.getDatabase();
    AcDbObjectPointer<AcDbLayerTable> table(database->layerTableId(), AcDb::kForWrite);
    if (table) {
      AcDbObjectId existing;
      if (table->getAt(m_name.c_str(), existing) != Acad::eOk) {
        const AcDbObjectPointer<AcDbLayerTableRecord> record(newRecord(m_name, m_colour));
        if (record) {
          writeFlags(record.object());
          AcDbObjectId added;
          if (table->add(added, record.object()) == Acad::eOk) m_objectId = added;
        }
      } else {
        AcDbObjectPointer<AcDbLayerTableRecord> record(existing, AcDb::kForWrite);
        if (record) {
          if (m_objectId.isNull()) m_objectId = existing;
          writeFlags(record.object());
        }
      }
    }
    table.close();
    drawing.unlock();
  ZELPH_CATCH(L"CLayer::applyToDWG")
}

void CLayer::writeFlags(AcDbLayerTableRecord* record) const {
  record->setIsFrozen(m_frozen != 0);
  record->setIsLocked(m_locked != 0);
  record->setIsOff(m_off != 0);
  record->setIsPlottable(m_plottable != 0);
  // A value the host does not know leaves the record's weight.
  record->setLineWeight(static_cast<AcDb::LineWeight>(m_lineWeight));
}

void CLayer::getDWGLayer(const AcDbLayerTableRecord* record) {
  ZELPH_TRY
    if (record == nullptr) return;
    m_objectId = record->objectId();
    m_name = CTextCase::upper(record->name());
    m_colour = record->color();
    m_colourIndex = m_colour.colorIndex();
    m_frozen = record->isFrozen() ? 1 : 0;
    m_locked = record->isLocked() ? 1 : 0;
    m_off = record->isOff() ? 1 : 0;
    m_plottable = record->isPlottable() ? 1 : 0;
    m_lineWeight = record->lineWeight();
  ZELPH_CATCH(L"CLayer::getDWGLayer")
}

void CLayer::deSerialize(pugi::xml_node node) {
  ZELPH_TRY
    CXMLUtilities::readElement(node, "layerOn", [this](pugi::xml_node child) {
      if (CXMLUtilities::isNamed(child, "loName"))
        setName(CXMLUtilities::text(child));
      else if (CXMLUtilities::isNamed(child, "loDescription"))
        setDescription(CXMLUtilities::text(child));
    });
  ZELPH_CATCH(L"CLayer::deSerialize")
}

void CLayer::setObjectId(AcDbObjectId id) {
  m_objectId = id;
  m_changed = 1;
}

void CLayer::setName(const std::wstring& name) {
  ZELPH_TRY
    m_name = validateLayerName(name);
    m_changed = 1;
  ZELPH_CATCH(L"CLayer::setName")
}

void CLayer::setDescription(const std::wstring& description) {
  m_description = description;
  m_changed = 1;
}

void CLayer::setColourIndex(int index) {
  m_colourIndex = index;
  m_colour = colourOfIndex(index);
  m_changed = 1;
}

void CLayer::setColour(const AcCmColor& colour) {
  m_colour = colour;
  m_changed = 1;
}

void CLayer::setFrozen(int frozen) {
  m_frozen = frozen ? 1 : 0;
  m_changed = 1;
}

void CLayer::setLocked(int locked) {
  m_locked = locked ? 1 : 0;
  m_changed = 1;
}

void CLayer::setOff(int off) {
  m_off = off ? 1 : 0;
  m_changed = 1;
}

void CLayer::setPlottable(int plottable) {
  m_plottable = plottable ? 1 : 0;
  m_changed = 1;
}

void CLayer::setLineWeight(int lineWeight) {
  m_lineWeight = lineWeight;
  m_changed = 1;
}
