#include "CWnd.h"

int CTabCtrl::InsertItem(int index, const std::wstring& text) {
  if (index < 0 || index > GetItemCount()) index = GetItemCount();
  m_items.insert(m_items.begin() + index, text);
  // The first tab is selected as soon as there is one.
  if (m_selection < 0)
    m_selection = 0;
  else if (m_selection >= index)
    ++m_selection;
  return index;
}

int CTabCtrl::GetItemCount() const { return static_cast<int>(m_items.size()); }

int CTabCtrl::GetCurSel() const { return m_selection; }

int CTabCtrl::SetCurSel(int index) {
  if (index < 0 || index >= GetItemCount()) return -1;
  const int previous = m_selection;
  m_selection = index;
  return previous;
}

BOOL CTabCtrl::DeleteAllItems() {
  m_items.clear();
  m_selection = -1;
  return TRUE;
}

const std::vector<std::wstring>& CTabCtrl::items() const { return m_items; }

void CTabCtrl::OnLButtonDown(int tab) { SetCurSel(tab); }
