#include "tools/PresPreferences.h"

#include "CDataExchange.h"
#include "resources/resource.h"
#include "tools/PresAbout.h"

namespace {
// Text smaller than this cannot be read on a plan.
constexpr double kSmallestTextSize = 1.0;
constexpr double kDefaultTextSize = 250.0;
}  // namespace

CPresPreferences::CPresPreferences()
    : CDialog(IDD_PREFERENCES),
      m_textSize(m_preferences.getTextSize()),
      m_units(m_preferences.getUnits()),
      m_precision(m_preferences.getPrecision()),
      m_csvOpener(m_preferences.getCsvOpener()),
      m_zoomBorder(m_preferences.getZoomBorder()),
      m_textScale(m_preferences.getTextScale()),
      m_textRotation(m_preferences.getTextRotation()) {
  onMenu(ID_HELP_ABOUT, [] {
    CPresAbout about;
    about.DoModal();
  });
}

INT_PTR CPresPreferences::DoModal() {
  loadFields();
  return CDialog::DoModal();
}

void CPresPreferences::loadFields() {
  m_preferences.loadPreferences();
  m_units = m_preferences.getUnits();
  m_precision = m_preferences.getPrecision();
  m_textScale = m_preferences.getTextScale();
  m_textRotation = m_preferences.getTextRotation();
  m_csvOpener = m_preferences.getCsvOpener();
  m_zoomBorder = m_preferences.getZoomBorder();
  m_textSize = m_preferences.getTextSize() < kSmallestTextSize ? kDefaultTextSize : m_preferences.getTextSize();
}

void CPresPreferences::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Radio(pDX, IDC_UNITS_METRES, m_units);
  DDX_Text(pDX, IDC_PRECISION, m_precision);
  DDV_MinMaxInt(pDX, m_precision, 0, 9);
  DDX_Text(pDX, IDC_TEXT_SIZE, m_textSize);
  DDX_Text(pDX, IDC_TEXT_SCALE, m_textScale);
  DDX_Text(pDX, IDC_TEXT_ROTATION, m_textRotation);
  DDX_Text(pDX, IDC_ZOOM_BORDER, m_zoomBorder);
  DDV_MinMaxDouble(pDX, m_zoomBorder, 0.0, 10000.0);
  DDX_Text(pDX, IDC_CSV_OPENER, m_csvOpener);
}

bool CPresPreferences::save() {
  if (!UpdateData(TRUE)) return false;
  if (m_textSize < kSmallestTextSize) m_textSize = kSmallestTextSize;
  m_preferences.setUnits(m_units);
  m_preferences.setTextSize(m_textSize);
  m_preferences.setPrecision(m_precision);
  m_preferences.setTextScale(m_textScale);
  m_preferences.setTextRotation(m_textRotation);
  m_preferences.setCsvOpener(m_csvOpener);
  m_preferences.setZoomBorder(m_zoomBorder);
  m_preferences.savePreferences();
  return true;
}

void CPresPreferences::OnOK() {
  if (save()) CDialog::OnOK();
}

void CPresPreferences::OnClose() {
  if (save()) CDialog::OnClose();
}
