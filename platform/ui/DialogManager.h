// The open dialogs, modal and modeless, topmost last.  The console's '@'
// lines go to the topmost one.
#pragma once

#include <string>
#include <vector>

class CDialog;

class DialogManager {
 public:
  static DialogManager& instance();

  void push(CDialog* dialog);
  void remove(CDialog* dialog);
  CDialog* topmost() const;
  // Carries out one '@' line on the topmost dialog; false, after saying
  // why, when there is none or the line asks for something it cannot do.
  bool dispatch(const std::wstring& line);
  // While set, a modal dialog is accepted as it opens, unseen, as if OK
  // were clicked at once: the host's way to take a module's first-run
  // settings with their defaults.
  void setAcceptModal(bool accept);
  bool acceptsModal() const;
  // Destroys the dialogs still open, topmost first: at host exit, while the
  // module that made them is still loaded.
  void destroyAll();

 private:
  DialogManager();
  std::vector<CDialog*> m_open;
  bool m_acceptModal = false;
};
