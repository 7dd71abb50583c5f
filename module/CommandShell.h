// What every command handler runs inside: the module's resources pushed so
// its dialogs are found, the command's title line, and a transaction that
// a failure rolls back (ZELPH_COMMAND_CATCH) so the drawing is left as the
// command found it.
#pragma once

#include "host/DrawingTransaction.h"

class CCommandShell {
 public:
  // title: printed with the module version; none for untitled commands.
  explicit CCommandShell(const wchar_t* title = nullptr);
  ~CCommandShell();
  CCommandShell(const CCommandShell&) = delete;
  CCommandShell& operator=(const CCommandShell&) = delete;

 private:
  int m_uncaught;
  CDrawingTransaction m_transaction;
};
