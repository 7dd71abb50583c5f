// spatiary: the host program.  It opens a drawing, loads the Spatiary
// module like the CAD host does, runs the command line from a script or
// standard input, and saves the drawing when asked.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "AcApDocManager.h"
#include "CommandLine.h"
#include "DialogManager.h"
#include "HostOptions.h"
#include "HostSession.h"
#include "ModuleLoader.h"
#include "RenderCommand.h"
#include "TextCodec.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;

std::string moduleBeside(const char* argv0) {
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
  std::string executable = length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string(argv0);
  const size_t slash = executable.rfind('/');
  return (slash == std::string::npos ? std::string(".") : executable.substr(0, slash)) + "/Spatiary.so";
}

bool openStartupDrawing(const HostOptions& options) {
  auto* documents = acDocManager;
  if (options.drawing.empty()) return documents->newDocument() != nullptr;
  if (documents->appContextOpenDocument(utf8ToWide(options.drawing).c_str()) == Acad::eOk) return true;
  std::fprintf(stderr, "spatiary: %s\n", wideToUtf8(documents->lastErrorMessage()).c_str());
  return false;
}

int runSession(const HostOptions& options, const char* argv0) {
  auto& session = HostSession::instance();
  session.setProductName(options.product);
  session.setAppDataFolder(options.appData);
  std::ifstream script;
  if (!options.script.empty()) {
    script.open(options.script);
    if (!script) {
      std::fprintf(stderr, "spatiary: cannot read the script %s\n", options.script.c_str());
      return kFailure;
    }
    session.setInput(&script);
  } else {
    session.setInput(&std::cin);
    session.setEcho(::isatty(STDIN_FILENO) == 0);
  }
  if (!openStartupDrawing(options)) return kFailure;

  ModuleLoader module;
  std::string error;
  if (!module.load(moduleBeside(argv0), error)) {
    std::fprintf(stderr, "spatiary: %s\n", error.c_str());
    return kFailure;
  }
  CommandLine commandLine;
  commandLine.run();
  DialogManager::instance().destroyAll();
  module.unload();
  int status = 0;
  if (!options.output.empty() && !CommandLine::save(utf8ToWide(options.output))) {
    std::fprintf(stderr, "spatiary: the drawing could not be saved to %s\n", options.output.c_str());
    status = kFailure;
  }
  session.flush();
  acDocManager->closeAll();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "render") return RenderCommand::run(argc - 2, argv + 2);
  std::string error;
  const auto options = HostOptions::parse(argc, argv, error);
  if (!options) {
    std::fprintf(stderr, "spatiary: %s\n%s", error.c_str(), HostOptions::usage());
    return kUsageError;
  }
  if (options->help) {
    std::fputs(HostOptions::usage(), stdout);
    return 0;
  }
  if (options->version) {
    std::puts("spatiary 64.04.04.00");
    return 0;
  }
  return runSession(*options, argv[0]);
}
