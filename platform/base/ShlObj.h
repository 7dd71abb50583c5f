// The shell's special folders.  The machine's shared application-data
// folder is the host session's (the `--appdata` folder of `spatiary`).
#pragma once

#include <cstddef>

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
