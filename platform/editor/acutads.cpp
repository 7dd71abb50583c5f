#include "acutads.h"

#include <cstdarg>

#include "HostSession.h"
#include "WideFormat.h"
#include "WildcardPattern.h"

int acutPrintf(const ACHAR* format, ...) {
  va_list args;
  va_start(args, format);
  const std::wstring text = formatWideV(format, args);
  va_end(args);
  HostSession::instance().print(text);
  return static_cast<int>(text.size());
}

int acutWcMatch(const ACHAR* text, const ACHAR* pattern) {
  if (text == nullptr || pattern == nullptr) return RTERROR;
  return WildcardPattern(pattern).matches(text) ? RTNORM : RTERROR;
}
