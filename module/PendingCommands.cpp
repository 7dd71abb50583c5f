// Commands of the table whose work is not in this version yet: each says so
// rather than pretending to work.  A command's real handler replaces its
// line here and lives in the file of its own area.
#include "acutads.h"
#include "module/CommandShell.h"
#include "module/commands.h"

namespace {

void reportPending(const wchar_t* globalName, const wchar_t* localName) {
  CCommandShell shell;
  acutPrintf(L"%s (%s) is not available in this version yet.\n", globalName, localName);
}

}  // namespace

#define ZELPH_PENDING_COMMAND(handler, globalName) \
  void handler() { reportPending(globalName, L"" #handler); }

ZELPH_PENDING_COMMAND(zelphLegendMarkerCreate, L"mlmc")
ZELPH_PENDING_COMMAND(zelphPieMarkerCreate, L"mpmc")
