#include "module/CommandShell.h"

#include "AcApDocManager.h"
#include "acutads.h"
#include "resources/ModuleResources.h"
#include "resources/VersionRecord.h"

CCommandShell::CCommandShell(const wchar_t* title) {
  acDocManager->pushResourceHandle(CModuleResources::instance());
  if (title != nullptr) acutPrintf(L"%s %s\n", title, CVersionRecord::moduleVersion().c_str());
}

CCommandShell::~CCommandShell() { acDocManager->popResourceHandle(); }
