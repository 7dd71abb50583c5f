// Printing on the host's command line.
#pragma once

#include "Acad.h"

// Formats like the host's wide printf: %s and %c take wide strings and
// characters, %S a narrow string, %b a truth value.
int acutPrintf(const ACHAR* format, ...);

// RTNORM when the text matches the wild-card pattern (see WildcardPattern),
// RTERROR when it does not.
int acutWcMatch(const ACHAR* text, const ACHAR* pattern);
