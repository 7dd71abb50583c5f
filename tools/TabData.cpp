#include "tools/TabData.h"

#include <memory>

#include "CDataExchange.h"
#include "host/AcadDrawing.h"
#include "host/AcadUtilities.h"
#include "resources/resource.h"
#include "spaces/BlockDWG.h"
#include "spaces/ZelphAttribute.h"
#include "support/OnExit.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"
#include "tools/PresBlock.h"

namespace {

std::wstring valueOfKind(const CAttributes* attributes, int kind) {
  const CAttribute* attribute = attributes != nullptr ? attributes->getAtAttribute(kind) : nullptr;
  return attribute != nullptr ? attribute->getValue() : std::wstring();
}

void setValueOfKind(CAttributes& attributes, int kind, const std::wstring& value) {
  if (attributes.getAtAttribute(kind) == nullptr) attributes.add(std::make_unique<CZelphAttribute>(kind, L"", L""), true);
  attributes.getAtAttribute(kind)->setValue(value);
}

}  // namespace

CTabData::CTabData() { bindHandlers(); }

void CTabData::bindHandlers() {
  onClicked(IDC_DATA_AREA_RECALC, [this] { OnCmdAreaRecalc(); });
  onClicked(IDC_DATA_PERIMETER_RECALC, [this] { OnCmdPerimeterRecalc(); });
  onClicked(IDC_DATA_AREA_COPY, [this] { copyWithUnit(true); });
  onClicked(IDC_DATA_PERIMETER_COPY, [this] { copyWithUnit(false); });
  onClicked(IDC_DATA_ADD_SET, [this] { pickAreas(true); });
  onClicked(IDC_DATA_SUB_SET, [this] { pickAreas(false); });
  onClicked(IDC_DATA_ADD_DELETE, [this] { deleteAreas(true); });
  onClicked(IDC_DATA_SUB_DELETE, [this] { deleteAreas(false); });
  onClicked(IDC_DATA_ADD_HIGHLIGHT, [this] { toggleHighlight(true); });
  onClicked(IDC_DATA_SUB_HIGHLIGHT, [this] { toggleHighlight(false); });
}

void CTabData::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_DATA_NAME, m_name);
  DDX_Text(pDX, IDC_DATA_AREA_TEXT, m_areaText);
  DDX_Text(pDX, IDC_DATA_AUX, m_auxText);
  DDX_Text(pDX, IDC_DATA_AREA, m_areaValue);
  DDX_Text(pDX, IDC_DATA_PERIMETER, m_perimeterValue);
  DDX_Text(pDX, IDC_DATA_AREA_UNIT, m_areaUnit);
  DDX_Text(pDX, IDC_DATA_LENGTH_UNIT, m_lengthUnit);
  DDX_Text(pDX, IDC_DATA_HANDLE, m_handle);
  DDX_Text(pDX, IDC_DATA_ASSETS, m_assetCount);
}

std::wstring CTabData::formatted(double value) const {
  return CUtilities::DoubleToCString(value, m_space->getPrecision());
}

void CTabData::initialiseData(CBlockDWG* space, CAcadDrawing* drawing, CWnd* parent, CPresBlock* sheet) {
  ZELPH_TRY
    m_space = space;
    m_drawing = drawing;
    m_parent = parent;
    m_sheet = sheet;
    const CAttributes* attributes = space->getAttributes();
    m_name = valueOfKind(attributes, CZelphAttribute::kName);
    m_areaText = valueOfKind(attributes, CZelphAttribute::kArea);
    m_auxText = valueOfKind(attributes, CZelphAttribute::kAux);
    m_handle = space->getHandle();
    m_assetCount = 0;
    m_areaValue = formatted(space->getArea());
    m_perimeterValue = formatted(space->getPerimeter());
    const bool feet = space->getUnits() != 0;
    m_areaUnit = feet ? L"ft\u00B2" : L"m\u00B2";
    m_lengthUnit = feet ? L"ft" : L"m";
    UpdateData(FALSE);
  ZELPH_CATCH(L"CTabData::initialiseData")
}

void CTabData::applyChanges() {
  ZELPH_TRY
    UpdateData(TRUE);
    if (m_space->getAttributes() == nullptr) m_space->setAttributes(std::make_unique<CAttributes>());
    CAttributes& attributes = *m_space->getAttributes();
    m_space->setName(m_name);
    setValueOfKind(attributes, CZelphAttribute::kName, m_name);
    setValueOfKind(attributes, CZelphAttribute::kArea, m_areaText);
    m_space->setArea(CUtilities::CStringToDouble(m_areaValue));
    setValueOfKind(attributes, CZelphAttribute::kAux, m_auxText);
    m_space->setPerimeter(CUtilities::CStringToDouble(m_perimeterValue));
  ZELPH_CATCH(L"CTabData::applyChanges")
}

void CTabData::OnCmdAreaRecalc() {
  ZELPH_TRY
    UpdateData(TRUE);
    m_space->recalculateArea(m_drawing->getDocument());
    m_areaValue = formatted(m_space->getArea());
    UpdateData(FALSE);
  ZELPH_COMMAND_CATCH(L"CTabData::OnCmdAreaRecalc")
}

void CTabData::OnCmdPerimeterRecalc() {
  ZELPH_TRY
    UpdateData(TRUE);
    m_space->recalculatePerimeter(m_drawing->getDocument());
    m_perimeterValue = formatted(m_space->getPerimeter());
    UpdateData(FALSE);
  ZELPH_COMMAND_CATCH(L"CTabData::OnCmdPerimeterRecalc")
}

void CTabData::copyWithUnit(bool area) {
  ZELPH_TRY
    UpdateData(TRUE);
    const bool metric = m_space->getUnits() == 0;
    if (area)
      m_areaText = m_areaValue + (metric ? L"sq.m." : L"sq.ft.");
    else
      m_auxText = m_perimeterValue + (metric ? L"m." : L"ft.");
    UpdateData(FALSE);
  ZELPH_COMMAND_CATCH(area ? L"CTabData::OnBnClickedCmdAreacopy" : L"CTabData::OnBnClickedCmdPerimetercopy")
}

void CTabData::showMeasurements() {
  UpdateData(TRUE);
  m_space->recalculateArea(m_drawing->getDocument());
  m_space->recalculatePerimeter(m_drawing->getDocument());
  m_areaValue = formatted(m_space->getArea());
  m_perimeterValue = formatted(m_space->getPerimeter());
  UpdateData(FALSE);
}

void CTabData::pickAreas(bool add) {
  ZELPH_TRY
    m_sheet->ShowWindow(SW_MINIMIZE);
    const OnExit restore([this] { m_sheet->ShowWindow(SW_RESTORE); });
    // The picks see the outlines in their own colours.
    if ((add ? m_addedHighlight : m_subtractedHighlight) != 0) {
      highlight(add, false);
      (add ? m_addedHighlight : m_subtractedHighlight) = 0;
    }
    AcDbObjectIdArray ids;
    CAcadUtilities::selectObjectIds(ids, add ? L"Please Select Areas to Add (selected room/space blocks will be ignored)"
                                             : L"Please Select Areas to Subtract (selected room/space blocks will be "
                                               L"ignored)");
    if (ids.empty()) return;
    if (add)
      m_space->setHandlesToAdd(ids);
    else
      m_space->setHandlesToMinus(ids);
    showMeasurements();
  ZELPH_COMMAND_CATCH(add ? L"CTabData::OnBnClickedCmdAddArea" : L"CTabData::OnCmdSubArea")
}

void CTabData::deleteAreas(bool add) {
  ZELPH_TRY
    if (add)
      m_space->setHandlesToAdd(AcDbObjectIdArray());
    else
      m_space->setHandlesToMinus(AcDbObjectIdArray());
    showMeasurements();
  ZELPH_COMMAND_CATCH(add ? L"CTabData::OnBnClickedCmdDeleteAddAreas" : L"CTabData::OnBnClickedCmdDeleteSubAreas")
}

void CTabData::highlight(bool add, bool on) {
  if (add)
    m_space->highlightAreasAdded(*m_drawing, on, on);
  else
    m_space->highlightAreasSubtracted(*m_drawing, on, on);
}

void CTabData::toggleHighlight(bool add) {
  ZELPH_TRY
    int& state = add ? m_addedHighlight : m_subtractedHighlight;
    state = state != 0 ? 0 : 1;
    highlight(add, state != 0);
  ZELPH_COMMAND_CATCH(add ? L"CTabData::OnBnClickedCmdAddHighlight" : L"CTabData::OnCmdHighlight")
}

void CTabData::switchHighlightsOff() {
  ZELPH_TRY
    // Outlines that were never highlighted keep their own colours.
    if (m_addedHighlight != 0) highlight(true, false);
    if (m_subtractedHighlight != 0) highlight(false, false);
    m_addedHighlight = m_subtractedHighlight = 0;
  ZELPH_CATCH(L"CTabData::switchHighlightsOff")
}
