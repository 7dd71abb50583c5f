// Dialogs, modal and modeless, made from a template of the current
// resource handle.  The host's console drives them with '@' lines (see
// DialogManager); handlers are bound by control id, as a message map does.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CWnd.h"

class CDataExchange;

typedef std::intptr_t INT_PTR;

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Runs until EndDialog; returns its result (IDCANCEL when ended by Escape).
  virtual INT_PTR DoModal();
  // Opens the dialog modelessly; input reaches it while it is open.
  virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
  virtual BOOL DestroyWindow();
  void EndDialog(int result);
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  CWnd* GetDlgItem(int id) const;
  void SetDlgItemText(int id, const std::wstring& text);
  std::wstring GetDlgItemText(int id) const;
  UINT templateId() const;
  const std::wstring& caption() const;
  bool isModal() const;
  bool isOpen() const;
  bool isMinimized() const;
  // Controls in template order, for the console's listing.
  const std::vector<std::unique_ptr<CWnd>>& controls() const;
  const std::vector<MenuItemTemplate>& menu() const;

  // What the console's '@' lines do; each returns false with a message when
  // the control or item does not exist.
  bool click(int id);
  bool doubleClick(int id, int index);
  bool select(int id, int index);
  bool selectTab(int id, int index);
  bool setCheck(int id, int check);
  bool setText(int id, const std::wstring& text);
  bool menuCommand(UINT commandId);
  void close();
  void escape();

 protected:
  virtual BOOL OnInitDialog();
  virtual void DoDataExchange(CDataExchange* pDX);
  virtual void OnOK();
  virtual void OnCancel();
  virtual void OnClose();
  // A modeless dialog that deletes itself does it here.
  virtual void PostNcDestroy();

  // The message map.
  void onClicked(int id, std::function<void()> handler);
  void onDoubleClicked(int id, std::function<void()> handler);
  void onSelectionChanged(int id, std::function<void()> handler);
  void onMenu(UINT commandId, std::function<void()> handler);

 private:
  bool makeControls(UINT templateId);

  UINT m_templateId;
  std::wstring m_caption;
  std::vector<std::unique_ptr<CWnd>> m_controls;
  std::vector<MenuItemTemplate> m_menu;
  std::map<int, std::function<void()>> m_clicked, m_doubleClicked, m_selectionChanged;
  std::map<UINT, std::function<void()>> m_menuHandlers;
  bool m_open = false;
  bool m_modal = false;
  bool m_ended = false;
  int m_result = IDCANCEL_RESULT;
  static constexpr int IDCANCEL_RESULT = 2;
};
