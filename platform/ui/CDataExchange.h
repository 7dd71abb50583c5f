// Dialog data exchange: moving values between controls and fields, with the
// framework's checks.  A failed check shows the framework's message, puts the
// focus on the field and fails the exchange, so the dialog stays open.
#pragma once

#include <string>

#include "Acad.h"

class CDialog;

class CDataExchange {
 public:
  CDataExchange(CDialog* dialog, BOOL saveAndValidate);
  // Names the control later checks speak of.
  void PrepareCtrl(int id);
  // Throws CUserException* after focusing the last prepared control.
  [[noreturn]] void Fail();

  BOOL m_bSaveAndValidate;
  CDialog* m_pDlgWnd;
  int m_idLastControl = 0;
};

void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, double& value);
void DDX_Text(CDataExchange* pDX, int id, std::wstring& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
// The index of the checked radio in the group that starts at id, -1 for none.
void DDX_Radio(CDataExchange* pDX, int id, int& value);
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
void DDX_CBString(CDataExchange* pDX, int id, std::wstring& value);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue);
void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minValue, double maxValue);
void DDV_MaxChars(CDataExchange* pDX, const std::wstring& value, int maxChars);
