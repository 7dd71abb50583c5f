// The lock file CAD programs keep beside an open drawing ("plan.dwl" beside
// "plan.dxf"): who opened it, on which machine, when, and the process, one
// a line.  A second host finds it and opens the drawing read-only.  A lock
// left by a process of this machine that is gone is stale and taken over.
#pragma once

#include <string>

class DrawingLock {
 public:
  // "plan.dwl" for "plan.dxf".
  static std::string lockPath(const std::string& drawing);
  // Who holds the drawing open when it is someone else ("alice on
  // drafting-3 since 2026-12-08 08:15"); empty when nobody or this process.
  static std::wstring heldElsewhere(const std::wstring& drawing);
  // Writes this process's lock; false when the folder takes none.
  static bool take(const std::wstring& drawing);
  // Removes the lock when it is this process's.
  static void release(const std::wstring& drawing);
};
