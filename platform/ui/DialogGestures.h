// What the console's '@' lines do to a dialog: the clicks, selections and
// typing a person gives it, each firing the handlers bound to the control
// as the message map does.  Each returns false with a message when the
// control or item does not exist or does not take that input.
#pragma once

#include <initializer_list>
#include <string>

#include "CWnd.h"

class CDialog;

class DialogGestures {
 public:
  explicit DialogGestures(CDialog& dialog);

  bool click(int id);
  bool doubleClick(int id, int index);
  bool select(int id, int index);
  bool selectTab(int id, int index);
  bool setCheck(int id, int check);
  bool setText(int id, const std::wstring& text);
  bool menuCommand(UINT commandId);
  void close();
  void escape();

 private:
  // The control that takes this input, or null after saying why not.
  CWnd* inputControl(int id, std::initializer_list<ControlKind> kinds, const wchar_t* input) const;

  CDialog& m_dialog;
};
