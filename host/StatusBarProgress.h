// The host's status-bar progress meter for one long pass (a bulk command
// over every space): shown from construction, moved one step at a time,
// taken off when the pass ends, however it ends.
#pragma once

#include <string>

class CStatusBarProgress {
 public:
  CStatusBarProgress(const std::wstring& label, int steps);
  virtual ~CStatusBarProgress();
  CStatusBarProgress(const CStatusBarProgress&) = delete;
  CStatusBarProgress& operator=(const CStatusBarProgress&) = delete;

  // One more step done.
  void step();

 private:
  int m_done = 0;
  bool m_shown;
};
