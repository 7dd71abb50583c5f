#include "Processes.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cwchar>

#include "TextCodec.h"

namespace {

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// A program path: quotes group, backslashes are plain characters.
size_t takeProgram(const std::wstring& line, size_t at, std::wstring& argument) {
  bool quoted = false;
  for (; at < line.size() && (quoted || !isBlank(line[at])); ++at) {
    if (line[at] == L'"')
      quoted = !quoted;
    else
      argument += line[at];
  }
  return at;
}

// 2n backslashes before a quote give n and the quote groups; 2n + 1 give n
// and a literal quote; backslashes before anything else stay as they are.
size_t takeArgument(const std::wstring& line, size_t at, std::wstring& argument) {
  bool quoted = false;
  while (at < line.size() && (quoted || !isBlank(line[at]))) {
    size_t backslashes = 0;
    while (at < line.size() && line[at] == L'\\') ++backslashes, ++at;
    if (at < line.size() && line[at] == L'"') {
      argument.append(backslashes / 2, L'\\');
      if (backslashes % 2 == 1)
        argument += L'"';
      else
        quoted = !quoted;
      ++at;
      continue;
    }
    argument.append(backslashes, L'\\');
    if (at < line.size() && (quoted || !isBlank(line[at]))) argument += line[at++];
  }
  return at;
}

void writeAll(int fd, const void* data, size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd, bytes, size);
    if (written <= 0 && errno != EINTR) return;
    if (written > 0) bytes += written, size -= static_cast<size_t>(written);
  }
}

bool readAll(int fd, void* data, size_t size) {
  char* bytes = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t got = ::read(fd, bytes, size);
    if (got == 0 || (got < 0 && errno != EINTR)) return false;
    if (got > 0) bytes += got, size -= static_cast<size_t>(got);
  }
  return true;
}

// Runs in the grandchild: only calls that are safe after fork.
[[noreturn]] void execute(const char* directory, char* const* argv, int report) {
  int failure = 0;
  if (directory != nullptr && ::chdir(directory) != 0) failure = errno;
  if (failure == 0) {
    ::execvp(argv[0], argv);
    failure = errno;
  }
  writeAll(report, &failure, sizeof failure);
  ::_exit(127);
}

}  // namespace

std::vector<std::wstring> splitCommandLine(const std::wstring& line) {
  std::vector<std::wstring> arguments;
  size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && isBlank(line[at])) ++at;
    if (at == line.size()) break;
    std::wstring argument;
    at = arguments.empty() ? takeProgram(line, at, argument) : takeArgument(line, at, argument);
    arguments.push_back(argument);
  }
  return arguments;
}

BOOL CreateProcessW(const ACHAR* applicationName, ACHAR* commandLine, void*, void*, BOOL, DWORD, void*,
                    const ACHAR* currentDirectory, STARTUPINFOW*, PROCESS_INFORMATION* information) {
  std::vector<std::wstring> arguments = splitCommandLine(commandLine != nullptr ? commandLine : L"");
  if (applicationName != nullptr) {
    if (arguments.empty()) arguments.emplace_back();
    arguments[0] = applicationName;
  }
  if (arguments.empty() || arguments[0].empty()) return FALSE;
  // Everything the child needs is made before the fork.
  std::vector<std::string> narrow;
  for (const std::wstring& argument : arguments) narrow.push_back(wideToUtf8(argument));
  std::vector<char*> argv;
  for (std::string& argument : narrow) argv.push_back(&argument[0]);
  argv.push_back(nullptr);
  const std::string directory = currentDirectory != nullptr ? wideToUtf8(currentDirectory) : std::string();

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) return FALSE;
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(report[0]);
    ::close(report[1]);
    return FALSE;
  }
  if (child == 0) {
    // The child only starts the program and leaves, so the program is
    // adopted by init and nobody has to wait for it.
    ::close(report[0]);
    const pid_t program = ::fork();
    if (program == 0) execute(directory.empty() ? nullptr : directory.c_str(), argv.data(), report[1]);
    const int id = program > 0 ? static_cast<int>(program) : 0;
    writeAll(report[1], &id, sizeof id);
    ::_exit(program > 0 ? 0 : 1);
  }
  ::close(report[1]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int id = 0, failure = 0;
  // The program's report comes only when it could not be started.
  const bool started = readAll(report[0], &id, sizeof id) && id > 0 && !readAll(report[0], &failure, sizeof failure);
  ::close(report[0]);
  if (!started) return FALSE;
  if (information != nullptr) {
    *information = PROCESS_INFORMATION();
    information->dwProcessId = static_cast<DWORD>(id);
  }
  return TRUE;
}

DWORD GetModuleFileNameW(HMODULE, ACHAR* fileName, DWORD size) {
  if (fileName == nullptr || size == 0) return 0;
  char path[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return 0;
  const std::wstring wide = utf8ToWide(std::string(path, static_cast<size_t>(length)));
  if (wide.size() >= size) return 0;
  std::wmemcpy(fileName, wide.c_str(), wide.size() + 1);
  return static_cast<DWORD>(wide.size());
}

BOOL CloseHandle(HANDLE) { return TRUE; }
