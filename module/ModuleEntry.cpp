// The library's exports, as the host looks them up by name.
#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>

#include <string>

#include "AcRxObject.h"
#include "TextCodec.h"
#include "module/DrxModule.h"
#include "module/ModuleLifecycle.h"
#include "resources/ModuleResources.h"

namespace {

// Made when the library image is initialised, before the host calls in, as
// a DLL's instance handle is known at process attach.
const HINSTANCE g_instance = CModuleResources::instance();

std::wstring libraryPath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&libraryPath), &info) == 0 || info.dli_fname == nullptr) return L"";
  char resolved[PATH_MAX];
  return utf8ToWide(realpath(info.dli_fname, resolved) != nullptr ? resolved : info.dli_fname);
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appPacket) {
  switch (message) {
    case AcRx::kInitAppMsg: CModuleLifecycle::initialise(appPacket); break;
    case AcRx::kUnloadAppMsg: CModuleLifecycle::unload(); break;
    default: break;
  }
  return AcRx::kRetOK;
}

__attribute__((visibility("default"))) void acrxGetApiVersion(int* major, int* minor, int* release, int* build) {
  *major = 4;
  *minor = 3;
  *release = 1;
  *build = 0;
}

// The same function under the name the ODA glue looks for.
__attribute__((visibility("default"), alias("acrxGetApiVersion"))) void odrxGetAPIVersion(int* major, int* minor,
                                                                                        int* release, int* build);

__attribute__((visibility("default"))) OdRxModule* odrxCreateModuleObject(void*) {
  return new CDrxModule(const_cast<ResourceTable*>(g_instance), libraryPath());
}
}
