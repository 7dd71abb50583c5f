#include "CFileDialog.h"

#include <filesystem>

#include "AcEditor.h"
#include "ReplyText.h"

namespace {

std::filesystem::path pathOf(const std::wstring& text) { return std::filesystem::path(text); }

std::wstring unquoted(const std::wstring& text) {
  if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') return text.substr(1, text.size() - 2);
  return text;
}

}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const ACHAR* defaultExtension, const ACHAR* fileName,
                         unsigned long flags, const ACHAR* filter, CWnd*)
    : m_open(openFileDialog != FALSE),
      m_defaultExtension(defaultExtension != nullptr ? defaultExtension : L""),
      m_flags(flags),
      m_filter(filter != nullptr ? filter : L""),
      m_path(fileName != nullptr ? fileName : L"") {}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal() {
  const std::wstring prompt = L"Select file (" + patterns() + L"): ";
  for (;;) {
    const AcEditor::Answer answer = AcEditor::ask(prompt.c_str(), true);
    std::wstring path = unquoted(ReplyText::trim(answer.text));
    if (answer.kind != AcEditor::Kind::Answer || path.empty()) return IDCANCEL;
    if (!m_open && !m_defaultExtension.empty() && !pathOf(path).has_extension()) path += L"." + m_defaultExtension;
    std::error_code ignored;
    if ((m_flags & OFN_FILEMUSTEXIST) != 0 && !std::filesystem::is_regular_file(pathOf(path), ignored)) {
      AcEditor::complain(L"File not found: " + path);
      continue;
    }
    m_path = path;
    return IDOK;
  }
}

std::wstring CFileDialog::GetPathName() const { return m_path; }

std::wstring CFileDialog::GetFileName() const { return pathOf(m_path).filename().wstring(); }

std::wstring CFileDialog::GetFileTitle() const { return pathOf(m_path).stem().wstring(); }

std::wstring CFileDialog::GetFileExt() const {
  const std::wstring extension = pathOf(m_path).extension().wstring();
  return extension.empty() ? extension : extension.substr(1);
}

std::wstring CFileDialog::GetFolderPath() const { return pathOf(m_path).parent_path().wstring(); }

std::wstring CFileDialog::patterns() const {
  // The filter alternates descriptions and patterns; the patterns are shown.
  std::wstring shown;
  size_t start = 0;
  for (int field = 0; start < m_filter.size(); ++field) {
    const size_t bar = m_filter.find(L'|', start);
    const std::wstring part = m_filter.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start);
    if (field % 2 == 1 && !part.empty()) shown += (shown.empty() ? L"" : L"; ") + part;
    if (bar == std::wstring::npos) break;
    start = bar + 1;
  }
  return shown.empty() ? L"*.*" : shown;
}
