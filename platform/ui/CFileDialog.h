// The file dialog.  On the host's console it is one question,
// "Select file (PATTERNS): ", answered with a path; an empty answer,
// Escape or the end of input cancels it.
#pragma once

#include <cstdint>
#include <string>

#include "Acad.h"
#include "MessageBox.h"

class CWnd;

typedef std::intptr_t INT_PTR;

enum : unsigned long {
  OFN_READONLY = 0x1,
  OFN_OVERWRITEPROMPT = 0x2,
  OFN_HIDEREADONLY = 0x4,
  OFN_PATHMUSTEXIST = 0x800,
  OFN_FILEMUSTEXIST = 0x1000,
};

class CFileDialog {
 public:
  // filter: pairs of a description and its patterns, each ended by '|',
  // the whole ended by another '|': "XML files (*.xml)|*.xml||".
  explicit CFileDialog(BOOL openFileDialog, const ACHAR* defaultExtension = nullptr, const ACHAR* fileName = nullptr,
                       unsigned long flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const ACHAR* filter = nullptr,
                       CWnd* parent = nullptr);
  virtual ~CFileDialog();

  // IDOK with a path chosen, else IDCANCEL.  With OFN_FILEMUSTEXIST a
  // missing file is refused and asked again.
  virtual INT_PTR DoModal();
  std::wstring GetPathName() const;
  // The name without its folder, with and without its extension.
  std::wstring GetFileName() const;
  std::wstring GetFileTitle() const;
  std::wstring GetFileExt() const;
  std::wstring GetFolderPath() const;

  // The patterns of the filter, as the question shows them: "*.xml; *.*".
  std::wstring patterns() const;

 private:
  bool m_open;
  std::wstring m_defaultExtension;
  unsigned long m_flags;
  std::wstring m_filter;
  std::wstring m_path;
};
