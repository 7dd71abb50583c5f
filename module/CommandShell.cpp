#include "module/CommandShell.h"

#include <exception>

#include "AcApDocManager.h"
#include "acutads.h"
#include "resources/ModuleResources.h"
#include "resources/VersionRecord.h"

CCommandShell::CCommandShell(const wchar_t* title) : m_uncaught(std::uncaught_exceptions()) {
  acDocManager->pushResourceHandle(CModuleResources::instance());
  if (title != nullptr) acutPrintf(L"%s %s\n", title, CVersionRecord::moduleVersion().c_str());
}

CCommandShell::~CCommandShell() {
  // A failure passing through rolls the command back with the transaction.
  if (std::uncaught_exceptions() == m_uncaught) m_transaction.commit();
  acDocManager->popResourceHandle();
}
