#include "CDialog.h"

#include <algorithm>
#include <cwchar>

#include "AcEditor.h"
#include "CDataExchange.h"
#include "CException.h"
#include "DialogListing.h"
#include "DialogManager.h"
#include "HostSession.h"
#include "MessageBox.h"
#include "ReplyText.h"
#include "ResourceTable.h"

namespace {

std::unique_ptr<CWnd> makeControl(CDialog* dialog, const ControlTemplate& control) {
  switch (control.kind) {
    case ControlKind::Edit: return std::make_unique<CEdit>(dialog, control);
    case ControlKind::Button:
    case ControlKind::DefaultButton:
    case ControlKind::CheckBox:
    case ControlKind::Radio: return std::make_unique<CButton>(dialog, control);
    case ControlKind::ComboBox: return std::make_unique<CComboBox>(dialog, control);
    case ControlKind::ListBox: return std::make_unique<CListBox>(dialog, control);
    case ControlKind::ListCtrl: return std::make_unique<CListCtrl>(dialog, control);
    case ControlKind::TabCtrl: return std::make_unique<CTabCtrl>(dialog, control);
    case ControlKind::Static:
    case ControlKind::Group: break;
  }
  return std::make_unique<CStatic>(dialog, control);
}

bool takesFocus(const CWnd& control) {
  return control.kind() != ControlKind::Static && control.kind() != ControlKind::Group && control.IsWindowVisible() &&
         control.IsWindowEnabled();
}

bool menuHolds(const std::vector<MenuItemTemplate>& items, UINT commandId) {
  return std::any_of(items.begin(), items.end(), [commandId](const MenuItemTemplate& item) {
    return (item.id != 0 && item.id == commandId) || menuHolds(item.items, commandId);
  });
}

std::wstring controlName(int id) { return L"Control " + std::to_wstring(id); }

bool isOfKind(const CWnd& control, std::initializer_list<ControlKind> kinds) {
  return std::find(kinds.begin(), kinds.end(), control.kind()) != kinds.end();
}

// The dialog a window belongs to: itself, or the dialog holding the control.
CDialog* dialogOf(CWnd* window) {
  if (auto* dialog = dynamic_cast<CDialog*>(window)) return dialog;
  return window != nullptr ? window->GetParent() : nullptr;
}

}  // namespace

CDialog::HandlerScope::HandlerScope(CDialog* dialog) : m_dialog(dialog) { ++m_dialog->m_handlersRunning; }

CDialog::HandlerScope::~HandlerScope() {
  if (--m_dialog->m_handlersRunning == 0 && m_dialog->m_destroyPending) m_dialog->finishDestroy();
}

CDialog::CDialog() : CDialog(0) {}

CDialog::CDialog(UINT templateId, CWnd*) : m_templateId(templateId) {}

CDialog::~CDialog() {
  if (m_open) detach();
  for (CDialog* page : m_pages) page->m_owner = nullptr;
}

void CDialog::detach() {
  if (m_owner != nullptr)
    m_owner->m_pages.erase(std::remove(m_owner->m_pages.begin(), m_owner->m_pages.end(), this), m_owner->m_pages.end());
  else
    DialogManager::instance().remove(this);
  m_owner = nullptr;
}

INT_PTR CDialog::DoModal() {
  if (!open(m_templateId, true, nullptr)) return -1;
  HandlerScope scope(this);
  OnInitDialog();
  if (DialogManager::instance().acceptsModal())
    acceptUnseen();
  else
    runModalLoop();
  const INT_PTR result = m_result;
  DestroyWindow();
  return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  if (!open(templateId, false, dialogOf(parent))) return FALSE;
  HandlerScope scope(this);
  OnInitDialog();
  if (HostSession::instance().interactive() && m_owner == nullptr)
    HostSession::instance().print(DialogListing::describe(*this));
  return TRUE;
}

BOOL CDialog::DestroyWindow() {
  if (!m_open) return FALSE;
  // Pages go with the dialog that holds them, as child windows do.
  for (CDialog* page : std::vector<CDialog*>(m_pages)) page->DestroyWindow();
  m_open = false;
  m_ended = true;
  detach();
  m_destroyPending = true;
  if (m_handlersRunning == 0) finishDestroy();
  return TRUE;
}

void CDialog::finishDestroy() {
  m_destroyPending = false;
  PostNcDestroy();  // may delete this
}

void CDialog::EndDialog(int result) {
  m_result = result;
  if (m_modal)
    m_ended = true;
  else
    DestroyWindow();
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange exchange(this, saveAndValidate);
  try {
    DoDataExchange(&exchange);
    return TRUE;
  } catch (CUserException* failure) {  // the user has been told already
    failure->Delete();
  } catch (CException* failure) {
    ACHAR message[1024];
    if (failure->GetErrorMessage(message, 1024) == FALSE) std::wcscpy(message, L"The dialog's data could not be exchanged.");
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    failure->Delete();
  }
  return FALSE;
}

BOOL CDialog::ShowWindow(int command) {
  const BOOL wasVisible = IsWindowVisible();
  if (command == SW_MINIMIZE) {
    m_minimized = true;
    return wasVisible;
  }
  if (command != SW_HIDE) m_minimized = false;
  return CWnd::ShowWindow(command);
}

CWnd* CDialog::GetDlgItem(int id) const {
  const auto found = m_byId.find(id);
  return found != m_byId.end() ? found->second : nullptr;
}

void CDialog::SetDlgItemText(int id, const std::wstring& text) {
  if (CWnd* control = GetDlgItem(id)) control->SetWindowText(text);
}

std::wstring CDialog::GetDlgItemText(int id) const {
  const CWnd* control = GetDlgItem(id);
  return control != nullptr ? control->GetWindowText() : std::wstring();
}

UINT CDialog::templateId() const { return m_templateId; }
const std::wstring& CDialog::caption() const { return m_caption; }
bool CDialog::isModal() const { return m_modal; }
bool CDialog::isOpen() const { return m_open; }
bool CDialog::isMinimized() const { return m_minimized; }
const std::vector<CWnd*>& CDialog::controls() const { return m_controls; }
const std::vector<CDialog*>& CDialog::pages() const { return m_pages; }
const std::vector<MenuItemTemplate>& CDialog::menu() const { return m_menu; }
int CDialog::focusedControl() const { return m_focus; }
void CDialog::setFocusedControl(int id) { m_focus = id; }

std::vector<CButton*> CDialog::radioGroup(int id) const {
  const auto isRadio = [](const CWnd* control) { return control->kind() == ControlKind::Radio; };
  const auto at = std::find_if(m_controls.begin(), m_controls.end(), [id](const CWnd* control) {
    return control->GetDlgCtrlID() == id;
  });
  if (at == m_controls.end() || !isRadio(*at)) return {};
  auto first = at;
  while (!startsGroup(**first) && first != m_controls.begin() && isRadio(*(first - 1))) --first;
  std::vector<CButton*> group{static_cast<CButton*>(*first)};
  for (auto next = first + 1; next != m_controls.end() && isRadio(*next) && !startsGroup(**next); ++next)
    group.push_back(static_cast<CButton*>(*next));
  return group;
}

bool CDialog::startsGroup(const CWnd& control) const {
  const auto found = m_groupStarts.find(&control);
  return found != m_groupStarts.end();
}

bool CDialog::click(int id) {
  HandlerScope scope(this);
  CWnd* control = inputControl(
      id, {ControlKind::Button, ControlKind::DefaultButton, ControlKind::CheckBox, ControlKind::Radio}, L"clicked");
  if (control == nullptr) return false;
  CDialog& owner = *control->GetParent();
  HandlerScope ownerScope(&owner);
  control->SetFocus();
  auto* button = static_cast<CButton*>(control);
  if (control->kind() == ControlKind::CheckBox) button->SetCheck(button->GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
  if (control->kind() == ControlKind::Radio) owner.checkRadio(id);
  if (owner.m_clicked.count(id) > 0)
    fire(owner.m_clicked, id);
  else if (id == IDOK)
    owner.OnOK();
  else if (id == IDCANCEL)
    owner.OnCancel();
  return true;
}

bool CDialog::doubleClick(int id, int index) {
  HandlerScope scope(this);
  if (!select(id, index)) return false;
  CDialog& owner = *findControl(id, {ControlKind::ComboBox, ControlKind::ListBox, ControlKind::ListCtrl})->GetParent();
  HandlerScope ownerScope(&owner);
  fire(owner.m_doubleClicked, id);
  return true;
}

bool CDialog::select(int id, int index) {
  HandlerScope scope(this);
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
  HandlerScope ownerScope(&owner);
  fire(owner.m_selectionChanged, id);
  return true;
}

bool CDialog::selectTab(int id, int index) {
  HandlerScope scope(this);
  CWnd* control = inputControl(id, {ControlKind::TabCtrl}, L"switched");
  if (control == nullptr) return false;
  auto* tabs = static_cast<CTabCtrl*>(control);
  if (!indexInRange(id, index, tabs->GetItemCount())) return false;
  CDialog& owner = *control->GetParent();
  HandlerScope ownerScope(&owner);
  tabs->OnLButtonDown(index);
  fire(owner.m_selectionChanged, id);
  return true;
}

bool CDialog::setCheck(int id, int check) {
  HandlerScope scope(this);
  CWnd* control = inputControl(id, {ControlKind::CheckBox, ControlKind::Radio}, L"checked");
  if (control == nullptr) return false;
  if (check != BST_UNCHECKED && check != BST_CHECKED) {
    AcEditor::complain(L"A check is 0 or 1.");
    return false;
  }
  auto* button = static_cast<CButton*>(control);
  if (button->GetCheck() == check) return true;
  CDialog& owner = *control->GetParent();
  HandlerScope ownerScope(&owner);
  if (check == BST_CHECKED && control->kind() == ControlKind::Radio)
    owner.checkRadio(id);
  else
    button->SetCheck(check);
  control->SetFocus();
  fire(owner.m_clicked, id);
  return true;
}

bool CDialog::setText(int id, const std::wstring& text) {
  HandlerScope scope(this);
  CWnd* control = inputControl(id, {ControlKind::Edit, ControlKind::ComboBox}, L"typed into");
  if (control == nullptr) return false;
  if (control->kind() == ControlKind::Edit && static_cast<CEdit*>(control)->IsReadOnly() != FALSE) {
    AcEditor::complain(controlName(id) + L" is read-only.");
    return false;
  }
  CDialog& owner = *control->GetParent();
  HandlerScope ownerScope(&owner);
  control->SetFocus();
  control->SetWindowText(text);
  if (control->kind() == ControlKind::ComboBox) {
    auto* combo = static_cast<CComboBox*>(control);
    const int match = combo->FindStringExact(-1, text);
    combo->SetCurSel(match);
    if (match < 0) combo->SetWindowText(text);
  } else {
    fire(owner.m_changed, id);
  }
  return true;
}

bool CDialog::menuCommand(UINT commandId) {
  HandlerScope scope(this);
  if (!menuHolds(m_menu, commandId)) {
    AcEditor::complain(L"The dialog has no menu item " + std::to_wstring(commandId) + L".");
    return false;
  }
  const auto handler = m_menuHandlers.find(commandId);
  if (handler != m_menuHandlers.end()) {
    const auto run = handler->second;
    run();
  }
  return true;
}

void CDialog::close() {
  HandlerScope scope(this);
  OnClose();
}

void CDialog::escape() {
  HandlerScope scope(this);
  OnCancel();
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
  if (UpdateData(TRUE) == FALSE) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::OnClose() { OnCancel(); }

void CDialog::PostNcDestroy() {}

void CDialog::onClicked(int id, std::function<void()> handler) { m_clicked[id] = std::move(handler); }
void CDialog::onDoubleClicked(int id, std::function<void()> handler) { m_doubleClicked[id] = std::move(handler); }
void CDialog::onSelectionChanged(int id, std::function<void()> handler) { m_selectionChanged[id] = std::move(handler); }
void CDialog::onChanged(int id, std::function<void()> handler) { m_changed[id] = std::move(handler); }
void CDialog::onMenu(UINT commandId, std::function<void()> handler) { m_menuHandlers[commandId] = std::move(handler); }

bool CDialog::makeControls(UINT templateId) {
  const ResourceTable* resources = AfxGetResourceHandle();
  const DialogTemplate* dialog = resources != nullptr ? resources->findDialog(templateId) : nullptr;
  if (dialog == nullptr) {
    AcEditor::complain(L"Dialog " + std::to_wstring(templateId) + L" is not among the current resources.");
    return false;
  }
  m_caption = dialog->caption;
  m_menu = dialog->menu;
  m_childTemplate = dialog->child;
  m_ownControls.clear();
  m_controls.clear();
  m_byId.clear();
  m_groupStarts.clear();
  for (const auto& control : dialog->controls) {
    m_ownControls.push_back(makeControl(this, control));
    m_controls.push_back(m_ownControls.back().get());
    m_byId.emplace(control.id, m_controls.back());
    if (control.group) m_groupStarts.insert(m_controls.back());
  }
  return true;
}

bool CDialog::replaceControl(CWnd& original, CWnd& replacement) {
  const auto at = std::find(m_controls.begin(), m_controls.end(), &original);
  if (at == m_controls.end()) return false;
  *at = &replacement;
  m_byId[original.GetDlgCtrlID()] = &replacement;
  if (m_groupStarts.erase(&original) > 0) m_groupStarts.insert(&replacement);
  return true;
}

bool CDialog::open(UINT templateId, bool modal, CDialog* owner) {
  if (m_open) {
    AcEditor::complain(L"The dialog \"" + title() + L"\" is open already.");
    return false;
  }
  if (!makeControls(templateId)) return false;
  m_templateId = templateId;
  m_modal = modal;
  m_open = true;
  m_ended = false;
  m_minimized = false;
  m_result = IDCANCEL_RESULT;
  const auto first = std::find_if(m_controls.begin(), m_controls.end(),
                                  [](const CWnd* control) { return takesFocus(*control); });
  m_focus = first != m_controls.end() ? (*first)->GetDlgCtrlID() : 0;
  if (m_childTemplate && owner != nullptr) {
    m_owner = owner;
    owner->m_pages.push_back(this);
  } else {
    DialogManager::instance().push(this);
  }
  return true;
}

void CDialog::acceptUnseen() {
  click(IDOK);
  auto& session = HostSession::instance();
  if (m_ended && m_result == IDOK) {
    session.print(L"The dialog \"" + title() + L"\" was accepted with its defaults.\n");
    return;
  }
  session.fail(L"The dialog \"" + title() + L"\" could not be accepted with its defaults.");
  if (!m_ended) EndDialog(IDCANCEL);
}

std::wstring CDialog::title() const { return m_caption.empty() ? std::wstring(L"Dialog") : m_caption; }

void CDialog::runModalLoop() {
  auto& session = HostSession::instance();
  if (session.interactive()) session.print(DialogListing::describe(*this));
  const std::wstring prompt = title() + L"> ";
  while (!m_ended) {
    const auto line = session.readLine(prompt);
    if (!line) {
      session.fail(L"The input ended while the dialog \"" + title() + L"\" was waiting.");
      escape();
      // A dialog that ignores Escape still ends when there is no more input.
      if (!m_ended) EndDialog(IDCANCEL);
      continue;
    }
    const std::wstring text = ReplyText::trim(*line);
    if (text.empty()) continue;
    if (text.front() == L'@')
      DialogManager::instance().dispatch(text);
    else
      AcEditor::complain(L"The dialog \"" + title() +
                         L"\" is waiting: lines starting with @ answer it (@show lists it, @escape leaves it).");
  }
}

CWnd* CDialog::findControl(int id, std::initializer_list<ControlKind> kinds) const {
  CWnd* own = GetDlgItem(id);
  if (own != nullptr && isOfKind(*own, kinds)) return own;
  for (const CDialog* page : m_pages) {
    if (page->IsWindowVisible() == FALSE) continue;
    CWnd* found = page->findControl(id, kinds);
    if (found != nullptr && isOfKind(*found, kinds)) return found;
    if (own == nullptr) own = found;
  }
  return own;
}

CWnd* CDialog::inputControl(int id, std::initializer_list<ControlKind> kinds, const wchar_t* input) const {
  CWnd* control = findControl(id, kinds);
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

bool CDialog::indexInRange(int id, int index, int count) const {
  if (index >= 0 && index < count) return true;
  AcEditor::complain(controlName(id) + L" has no item " + std::to_wstring(index) + L" (it has " +
                     std::to_wstring(count) + L").");
  return false;
}

void CDialog::checkRadio(int id) {
  for (CButton* radio : radioGroup(id)) radio->SetCheck(radio->GetDlgCtrlID() == id ? BST_CHECKED : BST_UNCHECKED);
}

void CDialog::fire(const std::map<int, std::function<void()>>& handlers, int id) {
  const auto found = handlers.find(id);
  if (found == handlers.end()) return;
  const auto handler = found->second;  // the handler may rebind itself
  handler();
}
