// The host's command line: reads lines at the Command: prompt and runs
// module commands, host commands and dialog lines until the input ends.
#pragma once

#include <string>
#include <vector>

class CommandLine {
 public:
  struct HostCommand {
    const wchar_t* name;
    const wchar_t* usage;
    const wchar_t* summary;
  };

  // Runs until the end of input or "quit"; failures are said, counted by
  // the console, and the command line goes on unless the console stops.
  void run();
  // Saves the current drawing and says where and how big; false, after
  // saying why, when it failed.
  static bool save(const std::wstring& path);
  // The host's own commands, for help and completion.
  static const std::vector<HostCommand>& hostCommands();
  // The first word and the rest, trimmed: a host command's arguments, a
  // path with blanks in quotes ("open "my plan.dxf"").
  static std::pair<std::wstring, std::wstring> split(const std::wstring& line);

 private:
  void execute(const std::wstring& line);
  bool runHostCommand(const std::wstring& verb, const std::wstring& argument);
  void runModuleCommand(const std::wstring& name);
  // Whether the current drawing may be left: a person is asked when it has
  // unsaved changes; a script never is.
  static bool mayLeaveDrawing();
  static void open(const std::wstring& path);
  static void saveCurrent();
  static void help();
  // The zooms and regenerations the current drawing was asked for, oldest first.
  static void showViewOperations();
  // A picture of the current drawing, SVG, PNG or PDF by the extension:
  // its path, then the plot options spatiary render takes.
  static void render(const std::wstring& arguments);
  // At the end of a person's input: false when they chose to go on.
  static bool endsHere();

  bool m_quit = false;
  std::wstring m_lastCommand;
};
