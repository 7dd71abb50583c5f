// CAcadUtilities: measuring outlines in square metres or feet.
// Every method of CAcadUtilities reports the one source unit "AcadUtilities".
#define ZELPH_SOURCE L"AcadUtilities"

#include "host/AcadUtilities.h"

#include <cmath>

#include "AcDbBlockReference.h"
#include "dbmain.h"
#include "support/ZelphExceptions.h"

namespace {

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
