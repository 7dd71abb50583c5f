// The shell's special folders.  The machine's shared application-data
// folder is the host session's (the `--appdata` folder of `spatiary`).
#pragma once

#include <cstddef>

#include "Acad.h"

typedef void* HWND;
typedef void* HANDLE;
typedef long HRESULT;
typedef unsigned long DWORD;

enum : int { CSIDL_APPDATA = 26, CSIDL_COMMON_APPDATA = 35, CSIDL_FLAG_CREATE = 0x8000 };
enum : DWORD { SHGFP_TYPE_CURRENT = 0, SHGFP_TYPE_DEFAULT = 1 };
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005L);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057L);
constexpr std::size_t MAX_PATH = 260;

inline bool SUCCEEDED(HRESULT result) { return result >= 0; }
inline bool FAILED(HRESULT result) { return result < 0; }

// Writes the folder (at most MAX_PATH characters with the terminator) into
// path.  Only the application-data folders are known; CSIDL_FLAG_CREATE
// makes the folder when it is missing.
HRESULT SHGetFolderPathW(HWND owner, int folder, HANDLE token, DWORD flags, ACHAR* path);
#define SHGetFolderPath SHGetFolderPathW
