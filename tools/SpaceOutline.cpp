#include "tools/SpaceOutline.h"

#include <algorithm>
#include <vector>

#include "AcDbDatabase.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "AcGeMatrix3d.h"
#include "aced.h"
#include "acutads.h"
#include "host/AcadDrawing.h"
#include "host/AcadUtilities.h"
#include "spaces/Attributes.h"
#include "spaces/BlockDWG.h"
#include "spaces/ZelphAttribute.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

std::wstring areaUnitText(int units) { return units == 1 ? L"sq.ft." : L"sq.m."; }

void addLabel(CAttributes& attributes, int kind, const std::wstring& value) {
  auto attribute = std::make_unique<CZelphAttribute>();
  attribute->setKind(kind);
  attribute->setValue(value);
  attributes.add(std::move(attribute), false);
}

}  // namespace

CSpaceOutline::CSpaceOutline(AcDbObjectId polyline, int units, int precision)
    : m_polyline(polyline), m_units(units), m_precision(precision) {}

namespace {

void reportOpenFailure(Acad::ErrorStatus status) {
  if (status == Acad::eOnLockedLayer)
    acutPrintf(L"\nPolyline On Locked Layer - Block Creation Failed\n");
  else
    acutPrintf(L"\nUnable get Polyline - Error %s - Block Creation Failed\n",
               CUtilities::IntToCString(static_cast<int>(status)).c_str());
}

// Fewer than three distinct vertices enclose no area.
bool hasThreeDistinctVertices(const AcDbPolyline& polyline) {
  std::vector<AcGePoint2d> points(polyline.numVerts());
  for (unsigned int index = 0; index < polyline.numVerts(); ++index) polyline.getPointAt(index, points[index]);
  std::sort(points.begin(), points.end(),
            [](const AcGePoint2d& a, const AcGePoint2d& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  const auto last = std::unique(points.begin(), points.end(),
                                [](const AcGePoint2d& a, const AcGePoint2d& b) { return a.isEqualTo(b); });
  return last - points.begin() >= 3;
}

// Why the polyline cannot outline a space, or null.
const wchar_t* outlineProblem(const AcDbPolyline& polyline) {
  if (!polyline.isClosed()) return L"is not closed";
  if (polyline.normal().isZeroLength()) return L"has no extrusion direction";
  if (!hasThreeDistinctVertices(polyline)) return L"has fewer than three distinct vertices";
  return nullptr;
}

}  // namespace

bool CSpaceOutline::isClosedOutline(AcDbObjectId polylineId, bool forWrite) {
  ZELPH_TRY
    const wchar_t* problem = nullptr;
    {
      const AcDbObjectPointer<AcDbPolyline> polyline(polylineId, forWrite ? AcDb::kForWrite : AcDb::kForRead);
      if (!polyline) {
        reportOpenFailure(polyline.openStatus());
        return false;
      }
      problem = outlineProblem(*polyline.object());
    }
    if (problem != nullptr) acutPrintf(L"\nInvalid Selection - Polyline %s\n\n", problem);
    return problem == nullptr;
  ZELPH_CATCH(L"CSpaceOutline::isClosedOutline")
}

bool CSpaceOutline::prepare(CAcadDrawing& drawing) {
  ZELPH_TRY
    acutPrintf(L"Select Name and Area Text Position:\n");
    ads_point point;
    if (acedGetPoint(nullptr, L"\nEnter Attribute points: ", point) != RTNORM) return false;
    return prepare(drawing, AcGePoint3d(point[X], point[Y], point[Z]));
  ZELPH_CATCH(L"CSpaceOutline::prepare")
}

bool CSpaceOutline::prepare(CAcadDrawing& drawing, const AcGePoint3d& labelPoint) {
  ZELPH_TRY
    m_labelPoint = labelPoint;
    const AcDbEntityPointer entity(m_polyline, AcDb::kForWrite);
    if (!entity) {
      reportOpenFailure(entity.openStatus());
      return false;
    }
    auto* polyline = AcDbPolyline::cast(entity.object());
    if (polyline == nullptr) {
      acutPrintf(L"\nInvalid Selection\n\n");
      return false;
    }
    AcDbDatabase* database = drawing.getDatabase();
    AcGeMatrix3d ucs;
    acdbUcsMatrix(ucs, database);
    polyline->transformBy(ucs.inverse());
    const Adesk::Int16 lunits = database->lunits();
    m_area = CAcadUtilities::calculatePolylineArea(polyline, lunits, m_units, database->insunits());
    m_perimeter = CAcadUtilities::calculatePolylinePerimeter(polyline, lunits, m_units, database->insunits());
    return true;
  ZELPH_CATCH(L"CSpaceOutline::prepare")
}

void CSpaceOutline::fillSpace(CBlockDWG& space, const std::wstring& name, const std::wstring& blockName,
                              double textSize, double textScale, double textRotation, bool rounded) const {
  ZELPH_TRY
    const std::wstring areaText = CUtilities::DoubleToCString(m_area, m_precision);
    const std::wstring perimeterText = CUtilities::DoubleToCString(m_perimeter, m_precision);
    space.setUnits(m_units);
    space.setPrecision(m_precision);
    space.setName(name);
    space.setArea(rounded ? CUtilities::CStringToDouble(areaText) : m_area);
    space.setPerimeter(rounded ? CUtilities::CStringToDouble(perimeterText) : m_perimeter);
    space.setBlockName(blockName);
    auto attributes = std::make_unique<CAttributes>();
    attributes->setTextHeight(textSize);
    attributes->setWidthFactor(textScale);
    attributes->setRotation(textRotation);
    addLabel(*attributes, 0, name);
    addLabel(*attributes, 1, areaText + areaUnitText(m_units));
    addLabel(*attributes, 2, L" ");
    space.setAttributes(std::move(attributes));
  ZELPH_CATCH(L"CSpaceOutline::fillSpace")
}

Acad::ErrorStatus CSpaceOutline::createBlockReference(CBlockDWG& space, CAcadDrawing& drawing, double textSize,
                                                      double textScale, double textRotation) const {
  ZELPH_TRY
    return space.createBlockReference(drawing, m_polyline, m_labelPoint, textSize, textScale, textRotation);
  ZELPH_CATCH(L"CSpaceOutline::createBlockReference")
}
