// printf-style formatting with the host's wide-character conventions: %s
// and %c take wide strings and characters, %S and %C narrow (UTF-8) ones,
// %hs and %hc narrow too, %I64d a 64-bit integer, and %b a truth value
// written as 1 or 0.  glibc's wide printf reads %s as narrow, so formats
// are taken apart here and each conversion is done on its own.
#pragma once

#include <cstdarg>
#include <string>

#include "Acad.h"

std::wstring formatWide(const ACHAR* format, ...);
std::wstring formatWideV(const ACHAR* format, va_list args);
