// A test seam in the save path: SPATIARY_SAVE_FAULT="N" makes the Nth write
// of every save fail as a failing disk does (EIO); "N:ENOSPC" makes it
// write half its bytes and every later write fail as a full disk does.
// Without the variable writes go straight to the file.
#pragma once

#include <cstddef>
#include <sys/types.h>

class SaveFaults {
 public:
  SaveFaults();
  // As ::write.
  ssize_t write(int descriptor, const void* data, size_t size);

 private:
  long m_failAt = 0;
  bool m_diskFull = false;
  long m_calls = 0;
};
