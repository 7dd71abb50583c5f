#include "ReplacedFile.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As the kernel allows before it says ELOOP.
constexpr int kMostLinks = 40;
// A temporary file of another machine is taken for a killed save's after a day.
constexpr std::time_t kStaleSeconds = 24 * 60 * 60;

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string machineName() {
  char name[256] = {};
  if (::gethostname(name, sizeof name - 1) != 0 || name[0] == 0) return "localhost";
  std::string text(name);
  // The name is one part of a file name.
  for (char& c : text)
    if (c == '/' || c == '.') c = '_';
  return text;
}

bool processIsGone(const std::string& digits) {
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 9) return false;
  const long pid = std::strtol(digits.c_str(), nullptr, 10);
  return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

}  // namespace

ReplacedFile::ReplacedFile(std::string path) : m_path(std::move(path)) {}

ReplacedFile::~ReplacedFile() { discard(); }

std::string ReplacedFile::temporaryPrefix(const std::string& fileName) { return fileName + ".~save."; }

bool ReplacedFile::resolve(std::string& reason) {
  std::string current = m_path;
  for (int links = 0;; ++links) {
    struct stat link {};
    if (::lstat(current.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) break;
    if (links == kMostLinks) {
      reason = std::strerror(ELOOP);
      return false;
    }
    std::string to(static_cast<size_t>(link.st_size > 0 ? link.st_size : 4096) + 1, '\0');
    const ssize_t length = ::readlink(current.c_str(), to.data(), to.size());
    if (length < 0) {
      reason = std::strerror(errno);
      return false;
    }
    to.resize(static_cast<size_t>(length));
    current = to.front() == '/' ? to : folderOf(current) + "/" + to;
  }
  m_target = current;
  struct stat info {};
  if (::stat(m_target.c_str(), &info) != 0) return true;
  if (S_ISDIR(info.st_mode)) {
    reason = "it is a folder";
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    reason = "it is not a regular file";
    return false;
  }
  // Write permission the owner took away is kept, even from the superuser.
  if ((info.st_mode & 0222) == 0 || ::access(m_target.c_str(), W_OK) != 0) {
    reason = "the file is read-only";
    return false;
  }
  m_existing = true;
  m_mode = info.st_mode & 07777;
  m_owner = info.st_uid;
  m_group = info.st_gid;
  return true;
}

void ReplacedFile::removeStaleTemporaries() const {
  DIR* folder = ::opendir(folderOf(m_target).c_str());
  if (folder == nullptr) return;
  const std::string prefix = temporaryPrefix(nameOf(m_target));
  const std::string machine = machineName() + ".";
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = ::readdir(folder)) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string path = folderOf(m_target) + "/" + name;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    // "<machine>.<process>.XXXXXX" follows the prefix.
    const std::string rest = name.substr(prefix.size());
    const size_t last = rest.rfind('.');
    const size_t before = last == std::string::npos || last == 0 ? std::string::npos : rest.rfind('.', last - 1);
    const bool ours = before != std::string::npos && rest.compare(0, machine.size(), machine) == 0 &&
                      before + 1 == machine.size();
    const bool killed = ours && processIsGone(rest.substr(before + 1, last - before - 1));
    if (killed || now - info.st_mtime > kStaleSeconds) ::unlink(path.c_str());
  }
  ::closedir(folder);
}

bool ReplacedFile::open(std::string& reason) {
  if (!resolve(reason)) return false;
  removeStaleTemporaries();
  m_temporary = folderOf(m_target) + "/" + temporaryPrefix(nameOf(m_target)) + machineName() + "." +
                std::to_string(::getpid()) + ".XXXXXX";
  m_descriptor = ::mkstemp(m_temporary.data());
  if (m_descriptor < 0) {
    reason = std::strerror(errno);
    m_temporary.clear();
    return false;
  }
  return true;
}

bool ReplacedFile::keepModeAndOwner(std::string& reason) const {
  mode_t mode = static_cast<mode_t>(m_mode);
  if (m_existing) {
    // Owner and group where the process may give them; a changed owner
    // clears set-id bits, so the mode comes after.
    const bool kept = ::fchown(m_descriptor, m_owner, m_group) == 0 ||
                      ::fchown(m_descriptor, static_cast<uid_t>(-1), m_group) == 0;
    static_cast<void>(kept);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::fchmod(m_descriptor, mode) != 0) {
    reason = std::strerror(errno);
    return false;
  }
  return true;
}

bool ReplacedFile::commit(std::string& reason) {
  bool done = ::fsync(m_descriptor) == 0;
  if (!done) reason = std::strerror(errno);
  done = done && keepModeAndOwner(reason);
  const int descriptor = m_descriptor;
  m_descriptor = -1;
  if (::close(descriptor) != 0 && done) {
    reason = std::strerror(errno);
    done = false;
  }
  if (done && std::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
    reason = std::strerror(errno);
    done = false;
  }
  if (!done) {
    discard();
    return false;
  }
  m_temporary.clear();
  // The rename itself is on disk once the folder is.
  const int folder = ::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY);
  if (folder >= 0) {
    (void)::fsync(folder);
    ::close(folder);
  }
  return true;
}

void ReplacedFile::discard() {
  if (m_descriptor >= 0) ::close(m_descriptor);
  m_descriptor = -1;
  if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
  m_temporary.clear();
}
