// Starting programs, as the host's operating system does it: a command line
// in the host's quoting rules, split into arguments here and handed to the
// program directly, never through a shell, so no file name can smuggle in a
// command.  The started program is not waited for and leaves no zombie.
#pragma once

#include <string>
#include <vector>

#include "Acad.h"
#include "WinError.h"

typedef void* HANDLE;
typedef void* HMODULE;

enum : DWORD { NORMAL_PRIORITY_CLASS = 0x20, CREATE_NEW_CONSOLE = 0x10 };
enum : DWORD { STARTF_USESHOWWINDOW = 0x1 };
enum : int { SW_SHOWNORMAL = 1 };

struct STARTUPINFOW {
  DWORD cb = sizeof(STARTUPINFOW);
  DWORD dwFlags = 0;
  int wShowWindow = 0;
};

struct PROCESS_INFORMATION {
  HANDLE hProcess = nullptr;
  HANDLE hThread = nullptr;
  DWORD dwProcessId = 0;
  DWORD dwThreadId = 0;
};

// The program is applicationName, or the command line's first argument
// when that is null.  TRUE when the program was started; its arguments
// follow the usual rules: blanks separate, double quotes group, and
// backslashes escape only double quotes.  Window, console and priority
// flags have no meaning here.
BOOL CreateProcessW(const ACHAR* applicationName, ACHAR* commandLine, void* processAttributes,
                    void* threadAttributes, BOOL inheritHandles, DWORD creationFlags, void* environment,
                    const ACHAR* currentDirectory, STARTUPINFOW* startupInfo, PROCESS_INFORMATION* information);
#define CreateProcess CreateProcessW

// With no module, the host program's own path.  The number of characters
// written without the terminator; 0 on failure.
DWORD GetModuleFileNameW(HMODULE module, ACHAR* fileName, DWORD size);
#define GetModuleFileName GetModuleFileNameW

BOOL CloseHandle(HANDLE handle);

// Arguments of a command line by the rules above; the first argument
// takes quotes but no escapes, as a program path does.
std::vector<std::wstring> splitCommandLine(const std::wstring& commandLine);
