// The module object a host asks an extension library for, and the host
// glue it calls back when it starts and stops.
#pragma once

#include <string>

#include "Acad.h"

class OdRxModule {
 public:
  virtual ~OdRxModule();
  virtual void addRef() = 0;
  virtual void release() = 0;
  virtual long numRefs() const = 0;
  // The module's instance handle.
  virtual void* sysData() = 0;
  // Full path of the library file.
  virtual std::wstring moduleName() const = 0;
  virtual void initApp() = 0;
  virtual void uninitApp() = 0;
};

// The library exports, looked up by name with dlsym.
extern "C" {
typedef OdRxModule* (*OdrxCreateModuleObjectFunction)(void* libraryHandle);
}

// Host glue: the module object reports its start and stop by library path.
void onLoadArxApp(const std::wstring& path);
void onUnloadArxApp(const std::wstring& path);
// The libraries that reported their start and not yet their stop.
bool isArxAppLoaded(const std::wstring& path);
