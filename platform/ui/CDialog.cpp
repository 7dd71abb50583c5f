#include "CDialog.h"

#include <algorithm>
#include <cwchar>

#include "AcEditor.h"
#include "CDataExchange.h"
#include "CException.h"
#include "DialogGestures.h"
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
  DialogGestures(*this).click(IDOK);
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
      DialogGestures(*this).escape();
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

void CDialog::checkRadio(int id) {
  for (CButton* radio : radioGroup(id)) radio->SetCheck(radio->GetDlgCtrlID() == id ? BST_CHECKED : BST_UNCHECKED);
}

void CDialog::fire(const std::map<int, std::function<void()>>& handlers, int id) {
  const auto found = handlers.find(id);
  if (found == handlers.end()) return;
  const auto handler = found->second;  // the handler may rebind itself
  handler();
}
