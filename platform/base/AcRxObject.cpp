#include "AcRxObject.h"

namespace {
constexpr const ACHAR* kDynamicLinkerKey = L"DynamicLinker";
}

AcRxObject::~AcRxObject() = default;

AcRxObject* AcRxDictionary::at(const ACHAR* key) const {
  if (key == nullptr) return nullptr;
  const auto found = m_entries.find(key);
  return found != m_entries.end() ? found->second.get() : nullptr;
}

AcRxObject* AcRxDictionary::atPut(const ACHAR* key, AcRxObject* entry) {
  if (key == nullptr) return entry;
  auto& slot = m_entries[key];
  AcRxObject* replaced = slot.release();
  slot.reset(entry);
  return replaced;
}

AcRxDictionary* acrxSysRegistry() {
  static AcRxDictionary* registry = [] {
    static AcRxDictionary dictionary;
    dictionary.atPut(kDynamicLinkerKey, new AcRxDynamicLinker);
    return &dictionary;
  }();
  return registry;
}

bool AcRxDynamicLinker::unlockApplication(void* appPacket) {
  m_locked[appPacket] = false;
  return true;
}

bool AcRxDynamicLinker::registerAppMDIAware(void* appPacket) {
  m_mdiAware[appPacket] = true;
  return true;
}

bool AcRxDynamicLinker::isApplicationLocked(void* appPacket) const {
  const auto found = m_locked.find(appPacket);
  return found == m_locked.end() || found->second;
}

bool AcRxDynamicLinker::isAppMDIAware(void* appPacket) const {
  const auto found = m_mdiAware.find(appPacket);
  return found != m_mdiAware.end() && found->second;
}

AcRxDynamicLinker* acrxDynamicLinker() {
  return static_cast<AcRxDynamicLinker*>(acrxSysRegistry()->at(kDynamicLinkerKey));
}
