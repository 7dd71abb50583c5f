#include "DrawingLock.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <pwd.h>
#include <sstream>
#include <unistd.h>

#include "TextCodec.h"

namespace {

struct Holder {
  std::string user, machine, since, process;
};

std::string machineName() {
  char name[256] = {};
  return ::gethostname(name, sizeof name - 1) == 0 && name[0] != 0 ? std::string(name) : std::string("localhost");
}

std::string userName() {
  if (const passwd* entry = ::getpwuid(::geteuid())) return entry->pw_name;
  const char* user = std::getenv("USER");
  return user != nullptr ? user : "unknown";
}

Holder self() {
  char since[32] = {};
  const std::time_t now = std::time(nullptr);
  std::tm local {};
  ::localtime_r(&now, &local);
  std::strftime(since, sizeof since, "%Y-%m-%d %H:%M", &local);
  return {userName(), machineName(), since, std::to_string(::getpid())};
}

// The lock's holder; false when there is no lock file.
bool readHolder(const std::string& path, Holder& holder) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  // A lock is four short lines: a larger file is read no further.
  std::string* fields[] = {&holder.user, &holder.machine, &holder.since, &holder.process};
  for (std::string* field : fields) {
    std::getline(in, *field);
    if (field->size() > 255) field->resize(255);
    if (!field->empty() && field->back() == '\r') field->pop_back();
  }
  return true;
}

bool isThisProcess(const Holder& holder) {
  return holder.machine == machineName() && holder.process == std::to_string(::getpid());
}

// A lock of this machine whose process is gone.
bool isStale(const Holder& holder) {
  if (holder.machine != machineName()) return false;
  if (holder.process.empty() || holder.process.size() > 9 ||
      holder.process.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const long pid = std::strtol(holder.process.c_str(), nullptr, 10);
  return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

bool write(const std::string& path) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (descriptor < 0) return false;
  const Holder holder = self();
  const std::string text = holder.user + "\n" + holder.machine + "\n" + holder.since + "\n" + holder.process + "\n";
  const bool written = ::write(descriptor, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::close(descriptor);
  if (!written) ::unlink(path.c_str());
  return written;
}

}  // namespace

std::string DrawingLock::lockPath(const std::string& drawing) {
  const size_t slash = drawing.rfind('/');
  const size_t dot = drawing.rfind('.');
  const bool extension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return (extension ? drawing.substr(0, dot) : drawing) + ".dwl";
}

std::wstring DrawingLock::heldElsewhere(const std::wstring& drawing) {
  Holder holder;
  if (!readHolder(lockPath(wideToUtf8(drawing)), holder) || isThisProcess(holder) || isStale(holder)) return L"";
  std::string text = holder.user.empty() ? "someone" : holder.user;
  if (!holder.machine.empty()) text += " on " + holder.machine;
  if (!holder.since.empty()) text += " since " + holder.since;
  return utf8ToWide(text);
}

bool DrawingLock::take(const std::wstring& drawing) {
  const std::string path = lockPath(wideToUtf8(drawing));
  if (write(path)) return true;
  Holder holder;
  if (errno != EEXIST || !readHolder(path, holder)) return false;
  // Taken over from a process that is gone, or from whoever the user
  // chose to save over.
  ::unlink(path.c_str());
  return write(path);
}

void DrawingLock::release(const std::wstring& drawing) {
  const std::string path = lockPath(wideToUtf8(drawing));
  Holder holder;
  if (readHolder(path, holder) && isThisProcess(holder)) ::unlink(path.c_str());
}
