#include "tools/MyTabCtrl.h"

#include "CDialog.h"
#include "resources/resource.h"
#include "support/ZelphExceptions.h"
#include "tools/TabData.h"
#include "tools/TabFormat.h"

CMyTabCtrl::CMyTabCtrl() : m_data(std::make_unique<CTabData>()), m_format(std::make_unique<CTabFormat>()) {}

CMyTabCtrl::~CMyTabCtrl() = default;

void CMyTabCtrl::createPages() {
  ZELPH_TRY
    InsertItem(0, L"Space Data");
    InsertItem(1, L"Format");
    m_data->Create(IDD_TAB_DATA, this);
    m_format->Create(IDD_TAB_FORMAT, this);
    m_shown = 0;
    SetCurSel(m_shown);
    m_data->ShowWindow(SW_SHOW);
    m_format->ShowWindow(SW_HIDE);
  ZELPH_CATCH(L"CMyTabCtrl::init")
}

void CMyTabCtrl::fillPages(CBlockDWG* space, CAcadDrawing* drawing, CWnd* parent, CPresBlock* sheet) {
  ZELPH_TRY
    m_data->initialiseData(space, drawing, parent, sheet);
    m_format->initialiseData(space, drawing, parent, sheet);
  ZELPH_CATCH(L"CMyTabCtrl::fillPages")
}

CDialog& CMyTabCtrl::page(int index) const {
  if (index == 0) return *m_data;
  return *m_format;
}

void CMyTabCtrl::OnLButtonDown(int tab) {
  CTabCtrl::OnLButtonDown(tab);
  const int selected = GetCurSel();
  if (selected < 0 || selected >= kPageCount || selected == m_shown) return;
  page(m_shown).ShowWindow(SW_HIDE);
  m_shown = selected;
  page(m_shown).ShowWindow(SW_SHOW);
  page(m_shown).SetFocus();
}
