// spatiary: the host program.  It opens a drawing, loads the Spatiary
// module like the CAD host does, runs the command line from a script or
// standard input, and saves the drawing when asked.
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "AcApDocManager.h"
#include "AcEdCommandStack.h"
#include "CommandLine.h"
#include "DialogManager.h"
#include "HostOptions.h"
#include "HostSession.h"
#include "LineEditor.h"
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

// What Tab completes at Command: the host's commands and the module's.
std::vector<std::string> commandNames() {
  std::vector<std::string> names;
  for (const auto& command : CommandLine::hostCommands()) names.push_back(wideToUtf8(command.name));
  for (const AcEdCommand* command : acedRegCmds->commands()) {
    names.push_back(wideToUtf8(command->globalName));
    names.push_back(wideToUtf8(command->localName));
  }
  return names;
}

// A person at a terminal types through the line editor, with history kept
// in the host's own folder under the application-data folder.
std::unique_ptr<LineEditor> connectInput(const HostOptions& options, std::ifstream& script) {
  auto& session = HostSession::instance();
  if (!options.script.empty()) {
    session.setInput(&script);
    return nullptr;
  }
  if (::isatty(STDIN_FILENO) == 0) {
    session.setInput(&std::cin);
    return nullptr;
  }
  auto editor = std::make_unique<LineEditor>(wideToUtf8(options.appData) + "/spatiary/history", commandNames);
  session.setLineEditor([editor = editor.get()](const std::string& prompt) { return editor->read(prompt); });
  return editor;
}

bool loadModule(ModuleLoader& module, const HostOptions& options, const char* argv0) {
  std::string error;
  DialogManager::instance().setAcceptModal(options.acceptDefaults);
  const bool loaded = module.load(moduleBeside(argv0), error);
  DialogManager::instance().setAcceptModal(false);
  if (!loaded) std::fprintf(stderr, "spatiary: %s\n", error.c_str());
  return loaded;
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
  }
  const std::unique_ptr<LineEditor> editor = connectInput(options, script);
  session.setTerminalOutput(::isatty(STDOUT_FILENO) != 0);
  session.setStopAtFailure(!options.keepGoing);
  session.setFailureReport(&std::cerr);
  if (!openStartupDrawing(options)) return kFailure;

  ModuleLoader module;
  if (!loadModule(module, options, argv0)) return kFailure;
  CommandLine commandLine;
  commandLine.run();
  DialogManager::instance().destroyAll();
  module.unload();
  // A person saw each failure and went on; a script's failures fail the run.
  const int failures = session.interactive() ? 0 : session.failureCount();
  session.setLineEditor(nullptr);
  int status = failures > 0 ? kFailure : 0;
  if (!options.output.empty() && failures > 0 && !options.keepGoing) {
    std::fprintf(stderr, "spatiary: the script failed; the drawing was not saved to %s\n", options.output.c_str());
  } else if (!options.output.empty() && !CommandLine::save(utf8ToWide(options.output))) {
    std::fprintf(stderr, "spatiary: the drawing could not be saved to %s\n", options.output.c_str());
    status = kFailure;
  }
  if (failures > 1) std::fprintf(stderr, "spatiary: %d failures\n", failures);
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
