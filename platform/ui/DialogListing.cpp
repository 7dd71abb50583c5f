#include "DialogListing.h"

#include "CDialog.h"

namespace {

void listMenu(const std::vector<MenuItemTemplate>& items, const std::wstring& path, std::wstring& out) {
  for (const auto& item : items) {
    const std::wstring itemPath = path.empty() ? item.text : path + L" > " + item.text;
    if (item.id != 0) out += L"  menu " + std::to_wstring(item.id) + L" \"" + itemPath + L"\"\n";
    listMenu(item.items, itemPath, out);
  }
}

std::wstring selection(int index) { return index < 0 ? std::wstring(L"none") : std::to_wstring(index); }

std::wstring stateWords(const CDialog& dialog, const CWnd& control) {
  std::wstring words;
  switch (control.kind()) {
    case ControlKind::CheckBox:
    case ControlKind::Radio:
      words += static_cast<const CButton&>(control).GetCheck() == BST_CHECKED ? L" checked" : L" unchecked";
      break;
    case ControlKind::Edit:
      if (static_cast<const CEdit&>(control).IsReadOnly() != FALSE) words += L" read-only";
      break;
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
      words += L" selected " + selection(static_cast<const CStringList&>(control).GetCurSel());
      break;
    case ControlKind::ListCtrl:
      words += L" selected " + selection(static_cast<const CListCtrl&>(control).GetSelectionMark());
      break;
    case ControlKind::TabCtrl:
      words += L" selected " + selection(static_cast<const CTabCtrl&>(control).GetCurSel());
      break;
    default: break;
  }
  if (control.IsWindowEnabled() == FALSE) words += L" disabled";
  if (dialog.focusedControl() == control.GetDlgCtrlID() && control.GetDlgCtrlID() != IDC_STATIC) words += L" focused";
  return words;
}

}  // namespace

std::wstring DialogListing::describe(const CDialog& dialog) {
  std::wstring out = L"Dialog " + std::to_wstring(dialog.templateId()) + L" " + quoted(dialog.caption()) + L" (" +
                     (dialog.isModal() ? L"modal" : L"modeless") + (dialog.isMinimized() ? L", minimized" : L"") +
                     L")\n";
  listMenu(dialog.menu(), L"", out);
  out += controlLines(dialog);
  return out;
}

std::wstring DialogListing::controlLines(const CDialog& dialog) {
  std::wstring out;
  for (const CWnd* control : dialog.controls())
    if (control->IsWindowVisible() != FALSE) out += controlLine(dialog, *control) + items(*control);
  for (const CDialog* page : dialog.pages())
    if (page->IsWindowVisible() != FALSE) out += L"  page " + std::to_wstring(page->templateId()) + L"\n" + controlLines(*page);
  return out;
}

std::wstring DialogListing::controlLine(const CDialog& dialog, const CWnd& control) {
  const int id = control.GetDlgCtrlID();
  std::wstring line = L"  " + (id == IDC_STATIC ? std::wstring(L"-") : std::to_wstring(id)) + L" " +
                      controlKindName(control.kind());
  const bool hasText = control.kind() != ControlKind::ListBox && control.kind() != ControlKind::ListCtrl &&
                       control.kind() != ControlKind::TabCtrl;
  if (hasText) line += L" " + quoted(control.GetWindowText());
  return line + stateWords(dialog, control) + L"\n";
}

std::wstring DialogListing::items(const CWnd& control) {
  std::wstring out;
  const auto listLines = [&out](const std::vector<std::wstring>& texts) {
    for (size_t i = 0; i < texts.size(); ++i) out += L"    " + std::to_wstring(i) + L" " + quoted(texts[i]) + L"\n";
  };
  switch (control.kind()) {
    case ControlKind::ComboBox:
    case ControlKind::ListBox: listLines(static_cast<const CStringList&>(control).items()); break;
    case ControlKind::TabCtrl: listLines(static_cast<const CTabCtrl&>(control).items()); break;
    case ControlKind::ListCtrl: {
      const auto& list = static_cast<const CListCtrl&>(control);
      const auto cells = [](const std::vector<std::wstring>& texts) {
        std::wstring joined;
        for (size_t i = 0; i < texts.size(); ++i) joined += (i == 0 ? L"" : L" | ") + quoted(texts[i]);
        return joined;
      };
      if (list.GetColumnCount() > 0) out += L"    columns " + cells(list.headings()) + L"\n";
      for (int row = 0; row < list.GetItemCount(); ++row)
        out += L"    " + std::to_wstring(row) + L" " + cells(list.rowCells(row)) + L"\n";
      break;
    }
    default: break;
  }
  return out;
}

std::wstring DialogListing::quoted(const std::wstring& text) {
  std::wstring out = L"\"";
  for (wchar_t c : text) {
    if (c == L'\n')
      out += L"\\n";
    else if (c != L'\r')
      out += c;
  }
  return out + L"\"";
}
