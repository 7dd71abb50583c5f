#include "CDataExchange.h"

#include <cfloat>
#include <cwchar>

#include "CDialog.h"
#include "CException.h"
#include "MessageBox.h"
#include "ReplyText.h"

namespace {

// The framework shows reals with all the digits a double holds.
std::wstring realText(double value) {
  wchar_t buffer[64];
  std::swprintf(buffer, 64, L"%.*g", DBL_DIG, value);
  return buffer;
}

CWnd* control(CDataExchange* pDX, int id) {
  pDX->PrepareCtrl(id);
  return pDX->m_pDlgWnd->GetDlgItem(id);
}

void failWith(CDataExchange* pDX, const std::wstring& message) {
  AfxMessageBox(message.c_str(), MB_ICONEXCLAMATION);
  pDX->Fail();
}

template <typename Read>
void exchangeNumber(CDataExchange* pDX, int id, Read read, const wchar_t* complaint) {
  CWnd* item = control(pDX, id);
  if (item == nullptr) return;
  if (!read(ReplyText::trim(item->GetWindowText()))) failWith(pDX, complaint);
}

CStringList* stringList(CDataExchange* pDX, int id) { return dynamic_cast<CStringList*>(control(pDX, id)); }

}  // namespace

CDataExchange::CDataExchange(CDialog* dialog, BOOL saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

void CDataExchange::PrepareCtrl(int id) { m_idLastControl = id; }

void CDataExchange::Fail() {
  if (m_pDlgWnd != nullptr && m_idLastControl != 0) m_pDlgWnd->setFocusedControl(m_idLastControl);
  throw new CUserException;
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
  if (!pDX->m_bSaveAndValidate) {
    if (CWnd* item = control(pDX, id)) item->SetWindowText(std::to_wstring(value));
    return;
  }
  exchangeNumber(
      pDX, id,
      [&value](const std::wstring& text) {
        const auto number = ReplyText::integer(text);
        if (number) value = *number;
        return number.has_value();
      },
      L"Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int id, double& value) {
  if (!pDX->m_bSaveAndValidate) {
    if (CWnd* item = control(pDX, id)) item->SetWindowText(realText(value));
    return;
  }
  exchangeNumber(
      pDX, id,
      [&value](const std::wstring& text) {
        const auto number = ReplyText::real(text);
        if (number) value = *number;
        return number.has_value();
      },
      L"Please enter a number.");
}

void DDX_Text(CDataExchange* pDX, int id, std::wstring& value) {
  CWnd* item = control(pDX, id);
  if (item == nullptr) return;
  if (pDX->m_bSaveAndValidate)
    value = item->GetWindowText();
  else
    item->SetWindowText(value);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
  auto* button = dynamic_cast<CButton*>(control(pDX, id));
  if (button == nullptr) return;
  if (pDX->m_bSaveAndValidate)
    value = button->GetCheck();
  else
    button->SetCheck(value);
}

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
  pDX->PrepareCtrl(id);
  const auto group = pDX->m_pDlgWnd->radioGroup(id);
  if (pDX->m_bSaveAndValidate) value = -1;
  for (size_t i = 0; i < group.size(); ++i) {
    if (pDX->m_bSaveAndValidate) {
      if (group[i]->GetCheck() == BST_CHECKED) value = static_cast<int>(i);
    } else {
      group[i]->SetCheck(static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
    }
  }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
  CStringList* list = stringList(pDX, id);
  if (list == nullptr) return;
  if (pDX->m_bSaveAndValidate)
    index = list->GetCurSel();
  else
    list->SetCurSel(index);
}

void DDX_CBString(CDataExchange* pDX, int id, std::wstring& value) {
  CStringList* list = stringList(pDX, id);
  if (list == nullptr) return;
  if (pDX->m_bSaveAndValidate) {
    const int selection = list->GetCurSel();
    value = selection >= 0 ? list->items()[static_cast<size_t>(selection)] : list->GetWindowText();
  } else {
    const int found = list->FindStringExact(-1, value);
    list->SetCurSel(found);
    if (found < 0) list->SetWindowText(value);
  }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue) {
  if (!pDX->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  failWith(pDX, L"Please enter an integer between " + std::to_wstring(minValue) + L" and " + std::to_wstring(maxValue) +
                    L".");
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minValue, double maxValue) {
  if (!pDX->m_bSaveAndValidate || (value >= minValue && value <= maxValue)) return;
  failWith(pDX, L"Please enter a number between " + realText(minValue) + L" and " + realText(maxValue) + L".");
}

void DDV_MaxChars(CDataExchange* pDX, const std::wstring& value, int maxChars) {
  if (!pDX->m_bSaveAndValidate || static_cast<int>(value.size()) <= maxChars) return;
  failWith(pDX, L"Enter no more than " + std::to_wstring(maxChars) + L" characters.");
}
