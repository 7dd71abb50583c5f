#include "spaces/MarkerBlockLegend.h"

#include "AcDbBlockReference.h"
#include "AcDbPolyline.h"
#include "host/AcadUtilities.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

const CMarkerBlock::Kind CMarkerBlockLegend::kKind = {
    L"MARKER-LEGEND", L"ZELPH_LEGEND_MARKER", L"AcDbPolyline", L"enter legend precision", L"enter legend text size",
    L"specify legend rotation (in degrees)"};

CMarkerBlockLegend::CMarkerBlockLegend(const AcDbBlockReference& reference) {
  ZELPH_TRY
    readMarker(reference);
  ZELPH_CATCH(L"CMarkerBlockLegend::CMarkerBlockLegend")
}

AcGePoint3d CMarkerBlockLegend::insertionPoint(const AcDbEntity& outline) const {
  ZELPH_TRY
    return CAcadUtilities::getPolylineTopLeft(AcDbPolyline::cast(&outline));
  ZELPH_CATCH(L"CMarkerBlockLegend::insertionPoint")
}

std::vector<CMarkerBlock::Setting> CMarkerBlockLegend::settings(int precision, double textSize,
                                                                const AcDbEntity&) const {
  ZELPH_TRY
    return {{L"LEGENDTITLE", L"LEGEND BLOCK", L""},
            {L"LEGENDTEXTSIZE", L"Enter legend text size", CUtilities::DoubleToCString(textSize, precision)},
            {L"LEGENDPRECISION", L"Enter precision", CUtilities::IntToCString(precision)},
            {L"LEGENDROTATION", L"Enter Rotation", CUtilities::DoubleToCString(0.0, precision)},
            {L"LEGENDUNITS", L"Enter legend units", CUtilities::IntToCString(m_units)}};
  ZELPH_CATCH(L"CMarkerBlockLegend::settings")
}

void CMarkerBlockLegend::readSetting(const std::wstring& tag, const std::wstring& text) {
  ZELPH_TRY
    if (tag == L"LEGENDTEXTSIZE")
      m_textSize = CUtilities::CStringToDouble(text);
    else if (tag == L"LEGENDPRECISION")
      m_precision = CUtilities::CStringToInt(text);
    else if (tag == L"LEGENDUNITS")
      m_units = CUtilities::CStringToInt(text);
  ZELPH_CATCH(L"CMarkerBlockLegend::readSetting")
}
