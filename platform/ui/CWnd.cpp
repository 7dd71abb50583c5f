#include "CWnd.h"

#include "CDialog.h"

CWnd::CWnd(CDialog* parent, const ControlTemplate& control)
    : m_parent(parent),
      m_id(control.id),
      m_kind(control.kind),
      m_text(control.text),
      m_enabled(control.enabled),
      m_visible(control.visible) {}

CWnd::CWnd() = default;

CWnd::~CWnd() = default;

int CWnd::GetDlgCtrlID() const { return m_id; }

ControlKind CWnd::kind() const { return m_kind; }

CDialog* CWnd::GetParent() const { return m_parent; }

void CWnd::SetWindowText(const std::wstring& text) { m_text = text; }

std::wstring CWnd::GetWindowText() const { return m_text; }

BOOL CWnd::EnableWindow(BOOL enable) {
  const bool wasDisabled = !m_enabled;
  m_enabled = enable != FALSE;
  return wasDisabled ? TRUE : FALSE;
}

BOOL CWnd::IsWindowEnabled() const { return m_enabled ? TRUE : FALSE; }

BOOL CWnd::ShowWindow(int command) {
  const bool wasVisible = m_visible;
  m_visible = command != SW_HIDE;
  return wasVisible ? TRUE : FALSE;
}

BOOL CWnd::IsWindowVisible() const { return m_visible ? TRUE : FALSE; }

void CWnd::SetFocus() {
  if (m_parent != nullptr) m_parent->setFocusedControl(m_id);
}

BOOL CWnd::SubclassDlgItem(UINT id, CDialog* parent) {
  CWnd* original = parent != nullptr ? parent->GetDlgItem(static_cast<int>(id)) : nullptr;
  if (original == nullptr || original == this) return FALSE;
  m_parent = original->m_parent;
  m_id = original->m_id;
  m_kind = original->m_kind;
  m_text = original->m_text;
  m_enabled = original->m_enabled;
  m_visible = original->m_visible;
  return parent->replaceControl(*original, *this) ? TRUE : FALSE;
}

void CEdit::SetReadOnly(BOOL readOnly) { m_readOnly = readOnly != FALSE; }

BOOL CEdit::IsReadOnly() const { return m_readOnly ? TRUE : FALSE; }

int CButton::GetCheck() const { return m_check; }

void CButton::SetCheck(int check) { m_check = check; }
