// Run-time objects, the system registry and the messages a host sends to
// its extension modules.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "Acad.h"
#include "ResourceTable.h"

class AcRxObject {
 public:
  virtual ~AcRxObject();
};

class AcRxDictionary : public AcRxObject {
 public:
  AcRxObject* at(const ACHAR* key) const;
  // Takes ownership; returns the entry it replaced, which the caller owns.
  AcRxObject* atPut(const ACHAR* key, AcRxObject* entry);

 private:
  std::map<std::wstring, std::unique_ptr<AcRxObject>> m_entries;
};

AcRxDictionary* acrxSysRegistry();

namespace AcRx {
enum AppMsgCode {
  kNullMsg = 0,
  kInitAppMsg = 1,
  kUnloadAppMsg = 2,
  kLoadDwgMsg = 3,
  kUnloadDwgMsg = 4,
  kInvkSubrMsg = 5,
  kCfgMsg = 6,
  kEndMsg = 7,
  kQuitMsg = 8,
  kSaveMsg = 9,
};
enum AppRetCode { kRetOK = 0, kRetError = 3 };
}  // namespace AcRx

// The entry points an extension module exports, as the host looks them up.
extern "C" {
typedef AcRx::AppRetCode (*AcrxEntryPointFunction)(AcRx::AppMsgCode message, void* appPacket);
typedef void (*AcrxGetApiVersionFunction)(int* major, int* minor, int* release, int* build);
}

// The host's dynamic linker, which modules ask to be unloadable and to be
// told of every document.
class AcRxDynamicLinker : public AcRxObject {
 public:
  bool unlockApplication(void* appPacket);
  bool registerAppMDIAware(void* appPacket);
  bool isApplicationLocked(void* appPacket) const;
  bool isAppMDIAware(void* appPacket) const;

 private:
  std::map<void*, bool> m_locked, m_mdiAware;
};

AcRxDynamicLinker* acrxDynamicLinker();
