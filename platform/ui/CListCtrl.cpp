#include "CWnd.h"

#include <algorithm>

namespace {
bool within(int index, size_t count) { return index >= 0 && static_cast<size_t>(index) < count; }
}  // namespace

int CListCtrl::InsertColumn(int column, const std::wstring& heading, int, int) {
  const int at = std::clamp(column, 0, GetColumnCount());
  m_headings.insert(m_headings.begin() + at, heading);
  for (auto& row : m_rows)
    if (static_cast<size_t>(at) < row.cells.size()) row.cells.insert(row.cells.begin() + at, std::wstring());
  return at;
}

int CListCtrl::GetColumnCount() const { return static_cast<int>(m_headings.size()); }

int CListCtrl::InsertItem(int row, const std::wstring& text) {
  const int at = std::clamp(row, 0, GetItemCount());
  Row inserted;
  inserted.cells.assign(std::max<size_t>(1, m_headings.size()), std::wstring());
  inserted.cells[0] = text;
  m_rows.insert(m_rows.begin() + at, std::move(inserted));
  if (m_selection >= at) ++m_selection;
  return at;
}

BOOL CListCtrl::SetItemText(int row, int column, const std::wstring& text) {
  if (!within(row, m_rows.size()) || !within(column, std::max<size_t>(1, m_headings.size()))) return FALSE;
  auto& cells = m_rows[row].cells;
  if (cells.size() <= static_cast<size_t>(column)) cells.resize(column + 1);
  cells[column] = text;
  return TRUE;
}

std::wstring CListCtrl::GetItemText(int row, int column) const {
  if (!within(row, m_rows.size()) || !within(column, m_rows[row].cells.size())) return {};
  return m_rows[row].cells[column];
}

BOOL CListCtrl::SetItemData(int row, Adesk::LongPtr data) {
  if (!within(row, m_rows.size())) return FALSE;
  m_rows[row].data = data;
  return TRUE;
}

Adesk::LongPtr CListCtrl::GetItemData(int row) const { return within(row, m_rows.size()) ? m_rows[row].data : 0; }

BOOL CListCtrl::DeleteItem(int row) {
  if (!within(row, m_rows.size())) return FALSE;
  m_rows.erase(m_rows.begin() + row);
  if (m_selection == row)
    m_selection = -1;
  else if (m_selection > row)
    --m_selection;
  return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
  m_rows.clear();
  m_selection = -1;
  return TRUE;
}

int CListCtrl::GetItemCount() const { return static_cast<int>(m_rows.size()); }

int CListCtrl::GetSelectionMark() const { return m_selection; }

int CListCtrl::SetSelectionMark(int row) {
  const int previous = m_selection;
  m_selection = within(row, m_rows.size()) ? row : -1;
  return previous;
}

int CListCtrl::GetNextItem(int start, int flags) const {
  if ((flags & LVNI_SELECTED) != 0) return m_selection > start ? m_selection : -1;
  return within(start + 1, m_rows.size()) ? start + 1 : -1;
}

const std::vector<std::wstring>& CListCtrl::headings() const { return m_headings; }

std::vector<std::wstring> CListCtrl::rowCells(int row) const {
  if (!within(row, m_rows.size())) return {};
  std::vector<std::wstring> cells = m_rows[row].cells;
  cells.resize(std::max<size_t>({1, m_headings.size(), cells.size()}));
  return cells;
}
