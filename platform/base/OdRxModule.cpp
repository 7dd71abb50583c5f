#include "OdRxModule.h"

#include <set>

namespace {
std::set<std::wstring>& loadedApps() {
  static std::set<std::wstring> apps;
  return apps;
}
}  // namespace

OdRxModule::~OdRxModule() = default;

void onLoadArxApp(const std::wstring& path) { loadedApps().insert(path); }

void onUnloadArxApp(const std::wstring& path) { loadedApps().erase(path); }

bool isArxAppLoaded(const std::wstring& path) { return loadedApps().count(path) > 0; }
