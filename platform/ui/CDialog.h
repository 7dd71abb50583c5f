// Dialogs, modal and modeless, made from a template of the current
// resource handle.  The host's console drives them with '@' lines (see
// DialogManager and DialogGestures); handlers are bound by control id, as a
// message map does.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CWnd.h"

class CDataExchange;

typedef std::intptr_t INT_PTR;

class CDialog : public CWnd {
 public:
  // For a modeless dialog opened later with Create.
  CDialog();
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Runs until EndDialog; returns its result (IDCANCEL when ended by Escape,
  // -1 when the template is not among the current resources).  Reads the
  // console's lines meanwhile; the end of input is Escape.
  virtual INT_PTR DoModal();
  // Opens the dialog modelessly; input reaches it while it is open.  A
  // child template opens as a page of the parent's dialog.
  virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
  // Closes the window; PostNcDestroy follows once no handler of this dialog
  // is running any more, so a handler may destroy its own dialog.
  virtual BOOL DestroyWindow();
  // Ends a modal dialog; a modeless one is destroyed.
  void EndDialog(int result);
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  // SW_MINIMIZE and SW_RESTORE minimise and restore the dialog.
  BOOL ShowWindow(int command) override;

  CWnd* GetDlgItem(int id) const;
  void SetDlgItemText(int id, const std::wstring& text);
  std::wstring GetDlgItemText(int id) const;
  UINT templateId() const;
  const std::wstring& caption() const;
  bool isModal() const;
  bool isOpen() const;
  bool isMinimized() const;
  // Controls in template order, for the console's listing.
  const std::vector<CWnd*>& controls() const;
  // The open child pages, in the order they were made.
  const std::vector<CDialog*>& pages() const;
  const std::vector<MenuItemTemplate>& menu() const;
  // The control that has the focus, 0 for none.
  int focusedControl() const;
  void setFocusedControl(int id);
  // The radio buttons of the group that holds the control, in order.
  std::vector<CButton*> radioGroup(int id) const;

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
  // An edit's text was changed (EN_CHANGE).
  void onChanged(int id, std::function<void()> handler);
  void onMenu(UINT commandId, std::function<void()> handler);

 private:
  friend class CWnd;  // SubclassDlgItem
  friend class DialogGestures;  // fires the handlers
  // Held while a handler of this dialog runs; the last one out finishes a
  // destruction asked for meanwhile.
  class HandlerScope {
   public:
    explicit HandlerScope(CDialog* dialog);
    ~HandlerScope();

   private:
    CDialog* m_dialog;
  };

  bool makeControls(UINT templateId);
  bool startsGroup(const CWnd& control) const;
  bool open(UINT templateId, bool modal, CDialog* owner);
  void detach();
  bool replaceControl(CWnd& original, CWnd& replacement);
  void runModalLoop();
  // OK clicked as the dialog opens (the host accepting a dialog unseen).
  void acceptUnseen();
  // The caption, or "Dialog" for a dialog without one.
  std::wstring title() const;
  void finishDestroy();
  // Checks a radio button and clears the others of its group.
  void checkRadio(int id);
  static void fire(const std::map<int, std::function<void()>>& handlers, int id);

  UINT m_templateId;
  std::wstring m_caption;
  std::vector<std::unique_ptr<CWnd>> m_ownControls;
  std::vector<CWnd*> m_controls;
  bool m_childTemplate = false;
  CDialog* m_owner = nullptr;
  std::vector<CDialog*> m_pages;
  std::map<int, CWnd*> m_byId;
  std::set<const CWnd*> m_groupStarts;
  std::vector<MenuItemTemplate> m_menu;
  std::map<int, std::function<void()>> m_clicked, m_doubleClicked, m_selectionChanged, m_changed;
  std::map<UINT, std::function<void()>> m_menuHandlers;
  bool m_open = false;
  bool m_modal = false;
  bool m_ended = false;
  bool m_minimized = false;
  bool m_destroyPending = false;
  int m_handlersRunning = 0;
  int m_focus = 0;
  int m_result = IDCANCEL_RESULT;
  static constexpr int IDCANCEL_RESULT = 2;
};
