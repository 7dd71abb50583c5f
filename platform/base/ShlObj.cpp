#include "ShlObj.h"

#include <cwchar>
#include <filesystem>

#include "HostSession.h"

HRESULT SHGetFolderPathW(HWND, int folder, HANDLE, DWORD, ACHAR* path) {
  if (path == nullptr) return E_INVALIDARG;
  path[0] = L'\0';
  const int which = folder & ~CSIDL_FLAG_CREATE;
  if (which != CSIDL_COMMON_APPDATA && which != CSIDL_APPDATA) return E_INVALIDARG;
  const std::wstring& found = HostSession::instance().appDataFolder();
  if (found.empty() || found.size() >= MAX_PATH) return E_FAIL;
  if ((folder & CSIDL_FLAG_CREATE) != 0) {
    std::error_code failed;
    std::filesystem::create_directories(std::filesystem::path(found), failed);
    if (failed) return E_FAIL;
  }
  std::wmemcpy(path, found.c_str(), found.size() + 1);
  return S_OK;
}
