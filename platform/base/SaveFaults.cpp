#include "SaveFaults.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

SaveFaults::SaveFaults() {
  const char* fault = std::getenv("SPATIARY_SAVE_FAULT");
  if (fault == nullptr) return;
  char* rest = nullptr;
  m_failAt = std::strtol(fault, &rest, 10);
  m_diskFull = std::strcmp(rest, ":ENOSPC") == 0;
}

ssize_t SaveFaults::write(int descriptor, const void* data, size_t size) {
  ++m_calls;
  if (m_failAt <= 0 || m_calls < m_failAt) return ::write(descriptor, data, size);
  if (m_diskFull && m_calls == m_failAt && size > 1) return ::write(descriptor, data, size / 2);
  errno = m_diskFull ? ENOSPC : EIO;
  return -1;
}
