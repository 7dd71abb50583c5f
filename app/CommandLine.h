// The host's command line: reads lines at the Command: prompt and runs
// module commands, host commands and dialog lines until the input ends.
#pragma once

#include <string>

class CommandLine {
 public:
  // Runs until the end of input or "quit"; failures are said and the
  // command line goes on.
  void run();
  // Saves the current drawing; false, after saying why, when it failed.
  static bool save(const std::wstring& path);

 private:
  void execute(const std::wstring& line);
  bool runHostCommand(const std::wstring& verb, const std::wstring& argument);
  void runModuleCommand(const std::wstring& name);
  // The zooms and regenerations the current drawing was asked for, oldest first.
  static void showViewOperations();
  // A picture of the current drawing's model space, SVG or PNG by the extension.
  static void render(const std::wstring& path);

  bool m_quit = false;
};
