// Running the host program and ezdxf from tests, and scratch folders.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace spatiary_test {

struct RunResult {
  int exitCode = -1;
  std::string output;  // standard output and standard error, interleaved
};

// A fresh folder under the system's temporary folder, removed at the end
// of the test unless SPATIARY_KEEP_TEMP is set.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

std::filesystem::path binDir();
std::filesystem::path sourceDir();
// The floor the tests start from: the sample's nine outlines and title,
// kept as they are while the sample grows.
std::filesystem::path floorDrawing();
std::filesystem::path spatiaryExecutable();

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& content);

// Runs a command line through the shell, capturing everything it prints.
RunResult runCommand(const std::string& commandLine);
// Runs `spatiary` with the arguments and the script as its input file.
RunResult runSpatiary(const std::vector<std::string>& arguments, const std::string& script);
// Runs a Python program under Debian's interpreter, where ezdxf lives.
RunResult runPython(const std::string& program, const std::vector<std::string>& arguments = {});

// Quotes one argument for the shell.
std::string shellQuote(const std::string& argument);

// The sample floor plan with count more lines in model space, one a metre
// apart, their handles from 100000 up: a drawing as large as needed.
std::string floorPlanWithLines(size_t count);

// The number of times the text occurs in the output.
int countOccurrences(const std::string& output, const std::string& text);

}  // namespace spatiary_test
