#include "spaces/MarkerBlockPie.h"

#include "AcDbBlockReference.h"
#include "AcDbCircle.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

// The segment offset the marker offers; charts take theirs from the report.
constexpr double kOffset = 500.0;
// Without a radius of its own the chart is ten texts wide.
constexpr double kRadiusInTexts = 10.0;

}  // namespace

const CMarkerBlock::Kind CMarkerBlockPie::kKind = {
    L"MARKER-PIECHART", L"ZELPH_PIECHART_MARKER", L"AcDbCircle", L"enter pie chart precision",
    L"enter pie chart text size", L"specify pie chart rotation (in degrees)"};

CMarkerBlockPie::CMarkerBlockPie() : m_radius(kRadiusInTexts * m_textSize) {}

CMarkerBlockPie::CMarkerBlockPie(const AcDbBlockReference& reference) : CMarkerBlockPie() {
  ZELPH_TRY
    readMarker(reference);
  ZELPH_CATCH(L"CMarkerBlockPie::CMarkerBlockPie")
}

AcGePoint3d CMarkerBlockPie::insertionPoint(const AcDbEntity& outline) const {
  ZELPH_TRY
    return AcDbCircle::cast(&outline)->center();
  ZELPH_CATCH(L"CMarkerBlockPie::insertionPoint")
}

std::vector<CMarkerBlock::Setting> CMarkerBlockPie::settings(int precision, double textSize,
                                                             const AcDbEntity& outline) const {
  ZELPH_TRY
    const double radius = AcDbCircle::cast(&outline)->radius();
    return {{L"PIETITLE", L"PIE BLOCK", L""},
            {L"PIETEXTSIZE", L"Enter pie text size", CUtilities::DoubleToCString(textSize, precision)},
            {L"PIEPRECISION", L"Enter precision", CUtilities::IntToCString(precision)},
            {L"PIERADIUS", L"Enter Radius", CUtilities::DoubleToCString(radius, precision)},
            {L"PIEXYOFFSETVALUE", L"Enter pie chart offset value", CUtilities::DoubleToCString(kOffset, precision)}};
  ZELPH_CATCH(L"CMarkerBlockPie::settings")
}

void CMarkerBlockPie::readSetting(const std::wstring& tag, const std::wstring& text) {
  ZELPH_TRY
    if (tag == L"PIETEXTSIZE")
      m_textSize = CUtilities::CStringToDouble(text);
    else if (tag == L"PIEPRECISION")
      m_precision = CUtilities::CStringToInt(text);
    else if (tag == L"PIERADIUS")
      m_radius = CUtilities::CStringToDouble(text);
  ZELPH_CATCH(L"CMarkerBlockPie::readSetting")
}
