// The shell's special folders.  The application-data folder is the one the
// host program names (the `--appdata` folder of `spatiary`).
#pragma once

#include <cstddef>
#include <string>

#include "Acad.h"
#include "WinError.h"

typedef void* HWND;
typedef void* HANDLE;

enum : int { CSIDL_APPDATA = 26, CSIDL_COMMON_APPDATA = 35, CSIDL_FLAG_CREATE = 0x8000 };
enum : DWORD { SHGFP_TYPE_CURRENT = 0, SHGFP_TYPE_DEFAULT = 1 };
constexpr std::size_t MAX_PATH = 260;

// Writes the folder (at most MAX_PATH characters with the terminator) into
// path.  Only the application-data folders are known; CSIDL_FLAG_CREATE
// makes the folder when it is missing.
HRESULT SHGetFolderPathW(HWND owner, int folder, HANDLE token, DWORD flags, ACHAR* path);
#define SHGetFolderPath SHGetFolderPathW

// The host's side: the folder given as application data, and the one used
// when none is named ($XDG_DATA_HOME, else ~/.local/share).
void shellSetAppDataFolder(const std::wstring& folder);
std::wstring shellDefaultAppDataFolder();
