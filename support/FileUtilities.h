// Small file-system operations: folders, path and file-name syntax,
// extensions, existence, deletion and choosing a file.  Both '/' and '\'
// separate folders.
#pragma once

#include <string>

class CFileUtilities {
 public:
  virtual ~CFileUtilities();

  // Creates the folder and any missing parents; non-zero when the folder
  // (or a file of that name) exists at the end.
  static int ensureDirectoryExists(const std::wstring& path);
  // Drops characters a folder path cannot hold (a drive colon second is
  // kept) and makes sure the path ends with a separator.
  static void checkPathSyntax(std::wstring& path);
  // 1 when the name is valid or was repaired, 0 when invalid and not repaired.
  static int checkFilenameSyntax(std::wstring& name, bool repair);
  static std::wstring swapFileExtension(const std::wstring& name, const std::wstring& oldExtension,
                                        const std::wstring& newExtension);
  static bool fileExists(const std::wstring& path);
  // The chosen path, or the empty text when the user cancels.
  static std::wstring browseForFile(const std::wstring& filter);
  // 1 when the file was removed, 0 when it could not be.
  static int deleteFile(const std::wstring& path);
  // The path as the file system takes it: UTF-8, with '/' for every
  // separator and a drive ("c:") standing for the working folder.
  static std::string nativePath(const std::wstring& path);
  // Writes beside the file and renames into place, so a failed write leaves
  // the previous file whole.  The reason of a failure, naming the path, or
  // the empty text.
  static std::wstring replaceFile(const std::wstring& path, const std::string& content);
};
