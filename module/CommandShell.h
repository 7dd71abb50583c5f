// What every command handler runs inside: the module's resources pushed so
// its dialogs are found, and the command's title line.
#pragma once

class CCommandShell {
 public:
  // title: printed with the module version; none for untitled commands.
  explicit CCommandShell(const wchar_t* title = nullptr);
  ~CCommandShell();
  CCommandShell(const CCommandShell&) = delete;
  CCommandShell& operator=(const CCommandShell&) = delete;
};
