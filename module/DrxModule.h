// The module object the host asks the library for.
#pragma once

#include <atomic>
#include <string>

#include "OdRxModule.h"

class CDrxModule : public OdRxModule {
 public:
  // instance: the module's instance handle; path: the library's full path.
  CDrxModule(void* instance, std::wstring path);

  void addRef() override;
  // Deletes the object when the last reference goes.
  void release() override;
  long numRefs() const override;
  void* sysData() override;
  std::wstring moduleName() const override;
  void initApp() override;
  void uninitApp() override;

 private:
  std::atomic<long> m_references{0};
  void* m_instance;
  std::wstring m_path;
};
