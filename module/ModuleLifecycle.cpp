#include "module/ModuleLifecycle.h"

#include "AcRxObject.h"
#include "host/HostProduct.h"
#include "module/CommandTable.h"
#include "module/commands.h"

void CModuleLifecycle::initialise(void* appPacket) {
  // Unloadable on request, and its commands work from every open document.
  acrxDynamicLinker()->unlockApplication(appPacket);
  acrxDynamicLinker()->registerAppMDIAware(appPacket);
  CHostProduct::setCurrent(CHostProduct::ofHost());
  checkPreferencesExist();
  CCommandTable::registerCommands(CHostProduct::current().isFullProduct());
}

void CModuleLifecycle::unload() { CCommandTable::removeCommands(); }
