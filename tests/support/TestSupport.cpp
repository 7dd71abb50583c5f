#include "TestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace spatiary_test {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  const auto name = "spatiary-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  m_path = fs::temp_directory_path() / name;
  fs::remove_all(m_path);
  fs::create_directories(m_path);
}

ScratchFolder::~ScratchFolder() {
  if (std::getenv("SPATIARY_KEEP_TEMP") != nullptr) return;
  std::error_code ignored;
  fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(m_path, ignored);
}

fs::path binDir() { return SPATIARY_BIN_DIR; }
fs::path sourceDir() { return SPATIARY_SOURCE_DIR; }
fs::path floorDrawing() { return sourceDir() / "tests" / "data" / "floor.dxf"; }
fs::path spatiaryExecutable() { return binDir() / "spatiary"; }

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeFile(const fs::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  if (!out) throw std::runtime_error("cannot write " + path.string());
  out << content;
}

std::string shellQuote(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

RunResult runCommand(const std::string& commandLine) {
  RunResult result;
  FILE* pipe = ::popen((commandLine + " 2>&1").c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + commandLine);
  std::array<char, 4096> buffer;
  size_t read;
  while ((read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), read);
  const int status = ::pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

RunResult runSpatiary(const std::vector<std::string>& arguments, const std::string& script) {
  ScratchFolder scripts;
  const auto scriptPath = scripts / "input.scr";
  writeFile(scriptPath, script);
  std::string commandLine = shellQuote(spatiaryExecutable().string()) + " -s " + shellQuote(scriptPath.string());
  for (const auto& argument : arguments) commandLine += " " + shellQuote(argument);
  return runCommand(commandLine + " </dev/null");
}

RunResult runPython(const std::string& program, const std::vector<std::string>& arguments) {
  ScratchFolder scripts;
  const auto programPath = scripts / "program.py";
  writeFile(programPath, program);
  std::string commandLine = std::string(SPATIARY_PYTHON) + " " + shellQuote(programPath.string());
  for (const auto& argument : arguments) commandLine += " " + shellQuote(argument);
  return runCommand(commandLine);
}

std::string floorPlanWithLines(size_t count) {
  std::string text = readFile(floorDrawing());
  const size_t entities = text.find("\nENTITIES\n");
  const size_t end = text.find("  0\nENDSEC\n", entities);
  if (entities == std::string::npos || end == std::string::npos) throw std::runtime_error("no ENTITIES in the sample");
  std::string lines;
  lines.reserve(count * 64);
  char line[160];
  for (size_t index = 0; index < count; ++index) {
    std::snprintf(line, sizeof line, "  0\nLINE\n  5\n%zX\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n 10\n%zu.0\n 20\n0.0\n 11\n%zu.0\n 21\n500.0\n",
                  index + 0x100000, index * 1000, index * 1000);
    lines += line;
  }
  return text.insert(end, lines);
}

int countOccurrences(const std::string& output, const std::string& text) {
  if (text.empty()) return 0;
  int count = 0;
  for (size_t at = output.find(text); at != std::string::npos; at = output.find(text, at + text.size())) ++count;
  return count;
}

}  // namespace spatiary_test
