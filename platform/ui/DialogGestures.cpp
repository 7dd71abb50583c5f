#include "DialogGestures.h"

#include <algorithm>

#include "AcEditor.h"
#include "CDialog.h"
#include "MessageBox.h"

namespace {

bool menuHolds(const std::vector<MenuItemTemplate>& items, UINT commandId) {
  return std::any_of(items.begin(), items.end(), [commandId](const MenuItemTemplate& item) {
    return (item.id != 0 && item.id == commandId) || menuHolds(item.items, commandId);
  });
}

std::wstring controlName(int id) { return L"Control " + std::to_wstring(id); }

bool isOfKind(const CWnd& control, std::initializer_list<ControlKind> kinds) {
  return std::find(kinds.begin(), kinds.end(), control.kind()) != kinds.end();
}

// The control with that id on the dialog or on a shown page, preferring
// one of the kinds; null when there is none at all.
CWnd* findControl(const CDialog& dialog, int id, std::initializer_list<ControlKind> kinds) {
  CWnd* own = dialog.GetDlgItem(id);
  if (own != nullptr && isOfKind(*own, kinds)) return own;
  for (const CDialog* page : dialog.pages()) {
    if (page->IsWindowVisible() == FALSE) continue;
    CWnd* found = findControl(*page, id, kinds);
    if (found != nullptr && isOfKind(*found, kinds)) return found;
    if (own == nullptr) own = found;
  }
  return own;
}

bool indexInRange(int id, int index, int count) {
  if (index >= 0 && index < count) return true;
  AcEditor::complain(controlName(id) + L" has no item " + std::to_wstring(index) + L" (it has " +
                     std::to_wstring(count) + L").");
  return false;
}

}  // namespace

DialogGestures::DialogGestures(CDialog& dialog) : m_dialog(dialog) {}

bool DialogGestures::click(int id) {
  CDialog::HandlerScope scope(&m_dialog);
  CWnd* control = inputControl(
      id, {ControlKind::Button, ControlKind::DefaultButton, ControlKind::CheckBox, ControlKind::Radio}, L"clicked");
  if (control == nullptr) return false;
  CDialog& owner = *control->GetParent();
  CDialog::HandlerScope ownerScope(&owner);
  control->SetFocus();
  auto* button = static_cast<CButton*>(control);
  if (control->kind() == ControlKind::CheckBox) button->SetCheck(button->GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
  if (control->kind() == ControlKind::Radio) owner.checkRadio(id);
  if (owner.m_clicked.count(id) > 0)
    CDialog::fire(owner.m_clicked, id);
  else if (id == IDOK)
    owner.OnOK();
  else if (id == IDCANCEL)
    owner.OnCancel();
  return true;
}

bool DialogGestures::doubleClick(int id, int index) {
  CDialog::HandlerScope scope(&m_dialog);
  if (!select(id, index)) return false;
  CDialog& owner = *findControl(m_dialog, id, {ControlKind::ComboBox, ControlKind::ListBox, ControlKind::ListCtrl})->GetParent();
  CDialog::HandlerScope ownerScope(&owner);
  CDialog::fire(owner.m_doubleClicked, id);
  return true;
}

bool DialogGestures::select(int id, int index) {
  CDialog::HandlerScope scope(&m_dialog);
  CWnd* control = inputControl(id, {ControlKind::ComboBox, ControlKind::ListBox, ControlKind::ListCtrl}, L"selected from");
  if (control == nullptr) return false;
  if (control->kind() == ControlKind::ListCtrl) {
    auto* list = static_cast<CListCtrl*>(control);
    if (!indexInRange(id, index, list->GetItemCount())) return false;
    list->SetSelectionMark(index);
  } else {
    auto* list = static_cast<CStringList*>(control);
    if (!indexInRange(id, index, list->GetCount())) return false;
    list->SetCurSel(index);
  }
  control->SetFocus();
  CDialog& owner = *control->GetParent();
  CDialog::HandlerScope ownerScope(&owner);
  CDialog::fire(owner.m_selectionChanged, id);
  return true;
}

bool DialogGestures::selectTab(int id, int index) {
  CDialog::HandlerScope scope(&m_dialog);
  CWnd* control = inputControl(id, {ControlKind::TabCtrl}, L"switched");
  if (control == nullptr) return false;
  auto* tabs = static_cast<CTabCtrl*>(control);
  if (!indexInRange(id, index, tabs->GetItemCount())) return false;
  CDialog& owner = *control->GetParent();
  CDialog::HandlerScope ownerScope(&owner);
  tabs->OnLButtonDown(index);
  CDialog::fire(owner.m_selectionChanged, id);
  return true;
}

bool DialogGestures::setCheck(int id, int check) {
  CDialog::HandlerScope scope(&m_dialog);
  CWnd* control = inputControl(id, {ControlKind::CheckBox, ControlKind::Radio}, L"checked");
  if (control == nullptr) return false;
  if (check != BST_UNCHECKED && check != BST_CHECKED) {
    AcEditor::complain(L"A check is 0 or 1.");
    return false;
  }
  auto* button = static_cast<CButton*>(control);
  if (button->GetCheck() == check) return true;
  CDialog& owner = *control->GetParent();
  CDialog::HandlerScope ownerScope(&owner);
  if (check == BST_CHECKED && control->kind() == ControlKind::Radio)
    owner.checkRadio(id);
  else
    button->SetCheck(check);
  control->SetFocus();
  CDialog::fire(owner.m_clicked, id);
  return true;
}

bool DialogGestures::setText(int id, const std::wstring& text) {
  CDialog::HandlerScope scope(&m_dialog);
  CWnd* control = inputControl(id, {ControlKind::Edit, ControlKind::ComboBox}, L"typed into");
  if (control == nullptr) return false;
  if (control->kind() == ControlKind::Edit && static_cast<CEdit*>(control)->IsReadOnly() != FALSE) {
    AcEditor::complain(controlName(id) + L" is read-only.");
    return false;
  }
  CDialog& owner = *control->GetParent();
  CDialog::HandlerScope ownerScope(&owner);
  control->SetFocus();
  control->SetWindowText(text);
  if (control->kind() == ControlKind::ComboBox) {
    auto* combo = static_cast<CComboBox*>(control);
    const int match = combo->FindStringExact(-1, text);
    combo->SetCurSel(match);
    if (match < 0) combo->SetWindowText(text);
  } else {
    CDialog::fire(owner.m_changed, id);
  }
  return true;
}

bool DialogGestures::menuCommand(UINT commandId) {
  CDialog::HandlerScope scope(&m_dialog);
  if (!menuHolds(m_dialog.menu(), commandId)) {
    AcEditor::complain(L"The dialog has no menu item " + std::to_wstring(commandId) + L".");
    return false;
  }
  const auto handler = m_dialog.m_menuHandlers.find(commandId);
  if (handler != m_dialog.m_menuHandlers.end()) {
    const auto run = handler->second;
    run();
  }
  return true;
}

void DialogGestures::close() {
  CDialog::HandlerScope scope(&m_dialog);
  m_dialog.OnClose();
}

void DialogGestures::escape() {
  CDialog::HandlerScope scope(&m_dialog);
  m_dialog.OnCancel();
}

CWnd* DialogGestures::inputControl(int id, std::initializer_list<ControlKind> kinds, const wchar_t* input) const {
  CWnd* control = findControl(m_dialog, id, kinds);
  std::wstring problem;
  if (control == nullptr)
    problem = L"The dialog has no control " + std::to_wstring(id) + L".";
  else if (!isOfKind(*control, kinds))
    problem = controlName(id) + L" is " + controlKindName(control->kind()) + L" and cannot be " + input + L".";
  else if (control->IsWindowVisible() == FALSE)
    problem = controlName(id) + L" is hidden.";
  else if (control->IsWindowEnabled() == FALSE)
    problem = controlName(id) + L" is disabled.";
  if (problem.empty()) return control;
  AcEditor::complain(problem);
  return nullptr;
}
