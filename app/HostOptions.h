// The command line of the `spatiary` program.
#pragma once

#include <optional>
#include <string>

struct HostOptions {
  std::string script;   // empty: standard input
  std::string output;   // empty: no save at the end
  std::string drawing;  // empty: a new drawing
  std::wstring appData;
  std::wstring product = L"BricsCAD 18";
  bool keepGoing = false;       // a script runs to its end despite failures
  bool acceptDefaults = false;  // the module's first-run settings taken unseen
  bool help = false;
  bool version = false;

  // Nothing, with the reason in error, when the arguments are not usable.
  static std::optional<HostOptions> parse(int argc, char** argv, std::string& error);
  static const char* usage();
};
