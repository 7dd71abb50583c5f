#include "ShlObj.h"

#include <cstdlib>
#include <cwchar>
#include <filesystem>

#include "TextCodec.h"

namespace {
std::wstring& appDataFolder() {
  static std::wstring folder = shellDefaultAppDataFolder();
  return folder;
}
}  // namespace

void shellSetAppDataFolder(const std::wstring& folder) { appDataFolder() = folder; }

std::wstring shellDefaultAppDataFolder() {
  if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome != nullptr && *dataHome != '\0')
    return utf8ToWide(dataHome);
  const char* home = std::getenv("HOME");
  return utf8ToWide(home != nullptr ? home : ".") + L"/.local/share";
}

HRESULT SHGetFolderPathW(HWND, int folder, HANDLE, DWORD, ACHAR* path) {
  if (path == nullptr) return E_INVALIDARG;
  path[0] = L'\0';
  const int which = folder & ~CSIDL_FLAG_CREATE;
  if (which != CSIDL_COMMON_APPDATA && which != CSIDL_APPDATA) return E_INVALIDARG;
  const std::wstring& found = appDataFolder();
  if (found.empty() || found.size() >= MAX_PATH) return E_FAIL;
  if ((folder & CSIDL_FLAG_CREATE) != 0) {
    std::error_code failed;
    std::filesystem::create_directories(std::filesystem::path(found), failed);
    if (failed) return E_FAIL;
  }
  std::wmemcpy(path, found.c_str(), found.size() + 1);
  return S_OK;
}
