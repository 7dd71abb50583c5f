#include "CWnd.h"

#include <algorithm>
#include <cwctype>

#include "ReplyText.h"

namespace {

// Sorted lists order their items as the host does, ignoring case.
bool sortsBefore(const std::wstring& left, const std::wstring& right) {
  return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(), [](wchar_t a, wchar_t b) {
    return std::towlower(static_cast<wint_t>(a)) < std::towlower(static_cast<wint_t>(b));
  });
}

}  // namespace

CStringList::CStringList(CDialog* parent, const ControlTemplate& control)
    : CWnd(parent, control), m_sorted(control.sorted) {}

int CStringList::AddString(const std::wstring& text) {
  if (!m_sorted) return InsertString(-1, text);
  const auto at = std::upper_bound(m_items.begin(), m_items.end(), text, sortsBefore);
  return InsertString(static_cast<int>(at - m_items.begin()), text);
}

int CStringList::InsertString(int index, const std::wstring& text) {
  if (index < -1 || index > GetCount()) return CB_ERR;
  if (index == -1) index = GetCount();
  m_items.insert(m_items.begin() + index, text);
  if (m_selection >= index) ++m_selection;
  return index;
}

int CStringList::DeleteString(int index) {
  if (index < 0 || index >= GetCount()) return CB_ERR;
  m_items.erase(m_items.begin() + index);
  if (m_selection == index)
    m_selection = -1;
  else if (m_selection > index)
    --m_selection;
  return GetCount();
}

void CStringList::ResetContent() {
  m_items.clear();
  m_selection = -1;
  SetWindowText(L"");
}

int CStringList::GetCount() const { return static_cast<int>(m_items.size()); }

int CStringList::GetCurSel() const { return m_selection; }

// A combo box shows the selected item as its text.
int CStringList::SetCurSel(int index) {
  if (index < 0 || index >= GetCount()) {
    m_selection = -1;
    return index == -1 ? -1 : CB_ERR;
  }
  m_selection = index;
  SetWindowText(m_items[index]);
  return index;
}

int CStringList::FindStringExact(int startAfter, const std::wstring& text) const {
  const int count = GetCount();
  const int first = startAfter < 0 || startAfter >= count ? 0 : startAfter + 1;
  for (int step = 0; step < count; ++step) {
    const int index = (first + step) % count;
    if (ReplyText::equalsIgnoringCase(m_items[index], text)) return index;
  }
  return CB_ERR;
}

const std::vector<std::wstring>& CStringList::items() const { return m_items; }

std::wstring CStringList::itemText(int index) const {
  return index >= 0 && index < GetCount() ? m_items[index] : std::wstring();
}

void CComboBox::GetLBText(int index, std::wstring& text) const { text = itemText(index); }

void CListBox::GetText(int index, std::wstring& text) const { text = itemText(index); }
