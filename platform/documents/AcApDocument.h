// An open drawing document: its database, its file and its lock.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Acad.h"

class AcDbDatabase;

namespace AcAp {
enum DocLockMode {
  kNone = 0x0,
  kAutoWrite = 0x1,
  kNotLocked = 0x2,
  kWrite = 0x4,
  kProtectedAutoWrite = 0x14,
  kRead = 0x20,
  kXWrite = 0x40,
};
}

class AcApDocument {
 public:
  AcApDocument(std::unique_ptr<AcDbDatabase> database, std::wstring fileName);
  ~AcApDocument();

  AcDbDatabase* database() const;
  // Full path of the drawing file; empty for a drawing never saved.
  const ACHAR* fileName() const;
  void setFileName(std::wstring fileName);
  // File name without its folder; "Drawing1.dwg" and so on for a drawing
  // never saved.
  std::wstring docTitle() const;

  // Opened while another host held the drawing: its own file is not
  // saved over without the user naming it.
  bool isReadOnly() const { return !m_heldBy.empty(); }

  AcAp::DocLockMode myLockMode() const;
  // Number of locks held, nested; the host releases the document at 0.
  int lockCount() const;
  // How many times the lock went from free to held: tests count releases.
  int lockAcquisitions() const;

  // The zooms and regenerations asked through automation, oldest first
  // ("zoom extents", "zoom window 0,0,0 10,10,0", "regen all viewports").
  const std::vector<std::wstring>& viewOperations() const { return m_viewOperations; }
  void recordViewOperation(const std::wstring& operation);

 private:
  friend class AcApDocManager;
  std::unique_ptr<AcDbDatabase> m_database;
  std::wstring m_fileName;
  std::wstring m_untitledName;
  // Who held the drawing when it was opened read-only.
  std::wstring m_heldBy;
  // The modes of the locks held, innermost last.
  std::vector<AcAp::DocLockMode> m_locks;
  int m_lockAcquisitions = 0;
  std::vector<std::wstring> m_viewOperations;
};
