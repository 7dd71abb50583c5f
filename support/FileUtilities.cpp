#include "support/FileUtilities.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "TextCodec.h"
#include "aced.h"
#include "acutads.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

std::wstring systemError(const std::wstring& path, int error) {
  return path + L": " + utf8ToWide(std::strerror(error));
}

const wchar_t* const kSeparators = L"\\/";
const std::wstring kFileNameForbidden = L"*?\"<>|";
const std::wstring kPathForbidden = L":*?\"<>|";

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool hasStatus(const std::wstring& path) {
  struct stat status;
  return ::stat(CFileUtilities::nativePath(path).c_str(), &status) == 0;
}

bool makeFolder(const std::wstring& folder) {
  if (::mkdir(CFileUtilities::nativePath(folder).c_str(), 0777) == 0) return true;
  const int error = errno;
  if (error == EEXIST && hasStatus(folder)) return true;
  const bool denied = error == EACCES || error == EPERM;
  acutPrintf(denied ? L"Cannot create %s - Access denied\n" : L"Cannot create %s\n", folder.c_str());
  return false;
}

void removeCharacters(std::wstring& text, const std::wstring& characters) {
  text.erase(std::remove_if(text.begin(), text.end(),
                            [&](wchar_t c) { return characters.find(c) != std::wstring::npos; }),
             text.end());
}

}  // namespace

CFileUtilities::~CFileUtilities() = default;

int CFileUtilities::ensureDirectoryExists(const std::wstring& path) {
  ZELPH_TRY
    std::wstring folder = path;
    if (!folder.empty() && isSeparator(folder.back())) folder.pop_back();
    if (hasStatus(folder)) return 1;
    const size_t separator = folder.find_last_of(kSeparators);
    if (separator == std::wstring::npos) return 0;
    // A separator in front is the root, which always exists.
    if (separator > 0 && !ensureDirectoryExists(folder.substr(0, separator))) return 0;
    return makeFolder(folder) ? 1 : 0;
  ZELPH_CATCH(L"CFileUtilities::ensureDirectoryExists")
}

void CFileUtilities::checkPathSyntax(std::wstring& path) {
  ZELPH_TRY
    if (path.empty()) return;
    std::wstring checked;
    for (size_t i = 0; i < path.size(); ++i) {
      // The second character may be a drive letter's colon.
      const std::wstring& forbidden = i == 1 ? kFileNameForbidden : kPathForbidden;
      if (forbidden.find(path[i]) == std::wstring::npos) checked += path[i];
    }
    if (checked.empty() || !isSeparator(checked.back())) checked += L'/';
    path = checked;
  ZELPH_CATCH(L"CFileUtilities::checkPathSyntax")
}

int CFileUtilities::checkFilenameSyntax(std::wstring& name, bool repair) {
  ZELPH_TRY
    if (name.find_first_of(kFileNameForbidden) != std::wstring::npos) {
      if (!repair) return 0;
      removeCharacters(name, kFileNameForbidden);
      return 1;
    }
    if (CUtilities::occurrenceCount(L":", name) < 2) {
      if (name.empty() || !isSeparator(name.front())) return 1;
      if (!repair) return 0;
      name.erase(0, 1);
      return 1;
    }
    if (!repair) return 0;
    const size_t firstColon = name.find(L':');
    std::wstring rest = name.substr(firstColon + 1);
    removeCharacters(rest, L":");
    name = name.substr(0, firstColon + 1) + rest;
    return 1;
  ZELPH_CATCH(L"CFileUtilities::checkFilenameSyntax")
}

std::wstring CFileUtilities::swapFileExtension(const std::wstring& name, const std::wstring& oldExtension,
                                               const std::wstring& newExtension) {
  ZELPH_TRY
    std::wstring swapped = CUtilities::trim(name);
    const bool endsWithOld = swapped.size() >= oldExtension.size() &&
                             swapped.compare(swapped.size() - oldExtension.size(), oldExtension.size(),
                                             oldExtension) == 0;
    if (endsWithOld) swapped.erase(swapped.size() - oldExtension.size());
    return swapped + newExtension;
  ZELPH_CATCH(L"CFileUtilities::swapFileExtension")
}

bool CFileUtilities::fileExists(const std::wstring& path) { return hasStatus(path); }

// The host's file dialog is a question on the command line; the filter's
// first description tells the user what kind of file is wanted.
std::wstring CFileUtilities::browseForFile(const std::wstring& filter) {
  ZELPH_TRY
    const std::wstring prompt = L"\nSelect file - " + filter.substr(0, filter.find(L'|')) + L": ";
    ACHAR reply[4096] = {};
    if (acedGetString(1, prompt.c_str(), reply, sizeof reply / sizeof reply[0]) != RTNORM) return L"";
    return CUtilities::trim(reply);
  ZELPH_CATCH(L"CFileUtilities::browseForFile")
}

int CFileUtilities::deleteFile(const std::wstring& path) {
  ZELPH_TRY
    return ::unlink(CFileUtilities::nativePath(path).c_str()) == 0 ? 1 : 0;
  ZELPH_CATCH(L"CFileUtilities::deleteFile")
}

std::string CFileUtilities::nativePath(const std::wstring& path) {
  std::string native = wideToUtf8(path);
  std::replace(native.begin(), native.end(), '\\', '/');
  // There are no drives here: a Windows path's drive, as in a default such
  // as "c:\\zelphDiagnosis.xml", stands for the folder the host runs in.
  const bool drive = native.size() >= 2 && native[1] == ':' && std::isalpha(static_cast<unsigned char>(native[0]));
  if (drive) native.replace(0, 2, native.size() > 2 && native[2] == '/' ? "." : "./");
  return native;
}

std::wstring CFileUtilities::replaceFile(const std::wstring& path, const std::string& content) {
  const std::string target = CFileUtilities::nativePath(path);
  const std::string temporary = target + ".tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return systemError(path, errno);
  bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  int error = written ? 0 : errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && std::rename(temporary.c_str(), target.c_str()) == 0) return L"";
  if (written) error = errno;
  std::remove(temporary.c_str());
  return systemError(path, error);
}
