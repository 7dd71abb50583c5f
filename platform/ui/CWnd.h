// Windows and dialog controls.  A dialog owns one control object per
// control of its template, of the class that matches the control's kind,
// so GetDlgItem may be cast to that class as in any dialog code.
#pragma once

#include <string>
#include <vector>

#include "Acad.h"
#include "DialogTemplate.h"

enum { SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOW = 5, SW_MINIMIZE = 6, SW_RESTORE = 9 };
enum { BST_UNCHECKED = 0, BST_CHECKED = 1 };
enum { CB_ERR = -1, LB_ERR = -1 };

class CDialog;

class CWnd {
 public:
  CWnd(CDialog* parent, const ControlTemplate& control);
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  int GetDlgCtrlID() const;
  ControlKind kind() const;
  CDialog* GetParent() const;

  void SetWindowText(const std::wstring& text);
  std::wstring GetWindowText() const;
  // Returns whether the window was disabled before.
  BOOL EnableWindow(BOOL enable = TRUE);
  BOOL IsWindowEnabled() const;
  // Returns whether the window was visible before.
  virtual BOOL ShowWindow(int command);
  BOOL IsWindowVisible() const;
  virtual void SetFocus();
  // Takes the place of the dialog's control with that id, so that a class of
  // the module's own handles it; the dialog's own object is kept unused.
  BOOL SubclassDlgItem(UINT id, CDialog* parent);

 protected:
  CWnd();  // for dialogs, which are windows without a control template

 private:
  CDialog* m_parent = nullptr;
  int m_id = 0;
  ControlKind m_kind = ControlKind::Static;
  std::wstring m_text;
  bool m_enabled = true;
  bool m_visible = true;
};

class CStatic : public CWnd {
 public:
  using CWnd::CWnd;
};

class CEdit : public CWnd {
 public:
  using CWnd::CWnd;
  void SetReadOnly(BOOL readOnly = TRUE);
  BOOL IsReadOnly() const;

 private:
  bool m_readOnly = false;
};

// Push buttons, check boxes and radio buttons.
class CButton : public CWnd {
 public:
  using CWnd::CWnd;
  int GetCheck() const;
  void SetCheck(int check);

 private:
  int m_check = BST_UNCHECKED;
};

// Shared by combo boxes and list boxes: a list of strings and a selection.
class CStringList : public CWnd {
 public:
  CStringList(CDialog* parent, const ControlTemplate& control);
  int AddString(const std::wstring& text);
  int InsertString(int index, const std::wstring& text);
  int DeleteString(int index);
  void ResetContent();
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  int FindStringExact(int startAfter, const std::wstring& text) const;
  const std::vector<std::wstring>& items() const;

 protected:
  std::wstring itemText(int index) const;

 private:
  std::vector<std::wstring> m_items;
  int m_selection = -1;
  bool m_sorted = false;
};

class CComboBox : public CStringList {
 public:
  using CStringList::CStringList;
  void GetLBText(int index, std::wstring& text) const;
};

class CListBox : public CStringList {
 public:
  using CStringList::CStringList;
  void GetText(int index, std::wstring& text) const;
};

enum { LVCFMT_LEFT = 0, LVNI_SELECTED = 2, LVIS_SELECTED = 2 };

// A report-view list: rows of cells under column headings.
class CListCtrl : public CWnd {
 public:
  using CWnd::CWnd;
  int InsertColumn(int column, const std::wstring& heading, int format = LVCFMT_LEFT, int width = -1);
  int GetColumnCount() const;
  int InsertItem(int row, const std::wstring& text);
  BOOL SetItemText(int row, int column, const std::wstring& text);
  std::wstring GetItemText(int row, int column) const;
  BOOL SetItemData(int row, Adesk::LongPtr data);
  Adesk::LongPtr GetItemData(int row) const;
  BOOL DeleteItem(int row);
  BOOL DeleteAllItems();
  int GetItemCount() const;
  // The selected row, or -1.
  int GetSelectionMark() const;
  int SetSelectionMark(int row);
  int GetNextItem(int start, int flags) const;
  const std::vector<std::wstring>& headings() const;
  // One cell per column, empty cells included.
  std::vector<std::wstring> rowCells(int row) const;

 private:
  struct Row {
    std::vector<std::wstring> cells;
    Adesk::LongPtr data = 0;
  };
  std::vector<std::wstring> m_headings;
  std::vector<Row> m_rows;
  int m_selection = -1;
};

class CTabCtrl : public CWnd {
 public:
  using CWnd::CWnd;
  int InsertItem(int index, const std::wstring& text);
  int GetItemCount() const;
  int GetCurSel() const;
  int SetCurSel(int index);
  BOOL DeleteAllItems();
  const std::vector<std::wstring>& items() const;
  // A mouse press on a tab; the default handling selects it.
  virtual void OnLButtonDown(int tab);

 private:
  std::vector<std::wstring> m_items;
  int m_selection = -1;
};
