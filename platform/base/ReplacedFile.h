// A file written whole into a temporary file beside it and renamed into
// place, so that a failed write leaves the file as it was.  A symbolic link
// is followed, so the file it names is replaced and the link kept; the
// replacement keeps the file's mode and, where the process may, its owner
// and group; a read-only file is refused.  Temporary files are named after
// the file, the machine and the process, so the next save of the same file
// removes those a killed save left.
#pragma once

#include <string>

class ReplacedFile {
 public:
  explicit ReplacedFile(std::string path);
  ~ReplacedFile();
  ReplacedFile(const ReplacedFile&) = delete;
  ReplacedFile& operator=(const ReplacedFile&) = delete;

  // Makes the temporary file; false with the reason otherwise.
  bool open(std::string& reason);
  int descriptor() const { return m_descriptor; }
  // Flushes the temporary file to disk and renames it over the file; false
  // with the reason otherwise, the temporary file then removed.
  bool commit(std::string& reason);

  // The prefix of this file's temporary files ("plan.dxf.~save.").
  static std::string temporaryPrefix(const std::string& fileName);

 private:
  bool resolve(std::string& reason);
  void removeStaleTemporaries() const;
  bool keepModeAndOwner(std::string& reason) const;
  void discard();

  std::string m_path;
  std::string m_target;
  std::string m_temporary;
  int m_descriptor = -1;
  bool m_existing = false;
  unsigned m_mode = 0;
  unsigned m_owner = 0, m_group = 0;
};
