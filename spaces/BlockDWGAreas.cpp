// CBlockDWG: added and subtracted areas.
// Every method of CBlockDWG reports the one source unit "BlockDWG".
#define ZELPH_SOURCE L"BlockDWG"

#include "spaces/BlockDWG.h"

#include <cstdint>

#include "AcApDocument.h"
#include "AcDbBlockReference.h"
#include "AcDbDatabase.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "acutads.h"
#include "host/AcadDrawing.h"
#include "host/AcadDrawingLock.h"
#include "host/AcadUtilities.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

// A listed outline whose object is gone for good.
bool isGone(Acad::ErrorStatus status) { return status == Acad::eWasErased || status == Acad::eUnknownHandle; }

}  // namespace

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
