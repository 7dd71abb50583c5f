#include "HostOptions.h"

#include <string>

#include "HostSession.h"
#include "PlotSettings.h"
#include "TextCodec.h"

namespace {

bool isOneOf(const std::string& argument, const char* shortName, const char* longName) {
  return argument == longName || (shortName != nullptr && argument == shortName);
}

}  // namespace

const char* HostOptions::usage() {
  static const std::string text =
      std::string("usage: spatiary [options] [DRAWING.dxf]\n"
                  "       spatiary render DRAWING.dxf OUT.svg|OUT.png|OUT.pdf [plot options]\n"
                  "  -s, --script FILE    read the command line from FILE instead of standard input\n"
                  "  -o, --output FILE    save the drawing there when the input ends\n"
                  "  --appdata DIR        the machine's shared application-data folder\n"
                  "                       (default $XDG_DATA_HOME, else ~/.local/share)\n"
                  "  --product NAME       the host product name the module sees (default \"BricsCAD 18\")\n"
                  "  -k, --keep-going     run a script to its end despite failures (the exit status is still 1)\n"
                  "  -y, --accept-defaults\n"
                  "                       accept the first-run preferences with their defaults, without the dialog\n"
                  "  --help               show this text\n"
                  "  --version            show the host's version\n"
                  "Exit status: 0 when everything asked of the host succeeded; 1 when something failed (an\n"
                  "error box, a refused answer, an unknown command, a failed open, save or render, the input\n"
                  "ending while a question or dialog waits); 2 for a wrong command line.  A script stops at\n"
                  "its first failure, naming it (\"script line 12: ...\"), and saves nothing.\n"
                  "Plot options, of spatiary render and of the command line's render PATH:\n") +
      PlotSettings::usage();
  return text.c_str();
}

std::optional<HostOptions> HostOptions::parse(int argc, char** argv, std::string& error) {
  HostOptions options;
  options.appData = HostSession::defaultAppDataFolder();
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool takesValue = isOneOf(argument, "-s", "--script") || isOneOf(argument, "-o", "--output") ||
                            isOneOf(argument, nullptr, "--appdata") || isOneOf(argument, nullptr, "--product");
    if (takesValue && i + 1 >= argc) {
      error = "option " + argument + " needs a value";
      return std::nullopt;
    }
    if (isOneOf(argument, "-s", "--script")) {
      options.script = argv[++i];
    } else if (isOneOf(argument, "-o", "--output")) {
      options.output = argv[++i];
    } else if (argument == "--appdata") {
      options.appData = utf8ToWide(argv[++i]);
    } else if (argument == "--product") {
      options.product = utf8ToWide(argv[++i]);
    } else if (isOneOf(argument, "-k", "--keep-going")) {
      options.keepGoing = true;
    } else if (isOneOf(argument, "-y", "--accept-defaults")) {
      options.acceptDefaults = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else if (!argument.empty() && argument[0] == '-') {
      error = "unknown option " + argument;
      return std::nullopt;
    } else if (options.drawing.empty()) {
      options.drawing = argument;
    } else {
      error = "only one drawing can be given (" + options.drawing + ", " + argument + ")";
      return std::nullopt;
    }
  }
  return options;
}
