#include "AcApDocument.h"

#include "AcDbDatabase.h"

AcApDocument::AcApDocument(std::unique_ptr<AcDbDatabase> database, std::wstring fileName)
    : m_database(std::move(database)), m_fileName(std::move(fileName)) {}

AcApDocument::~AcApDocument() = default;

AcDbDatabase* AcApDocument::database() const { return m_database.get(); }

const ACHAR* AcApDocument::fileName() const { return m_fileName.c_str(); }

void AcApDocument::setFileName(std::wstring fileName) { m_fileName = std::move(fileName); }

std::wstring AcApDocument::docTitle() const {
  if (m_fileName.empty()) return m_untitledName;
  const auto slash = m_fileName.find_last_of(L"/\\");
  return slash == std::wstring::npos ? m_fileName : m_fileName.substr(slash + 1);
}

AcAp::DocLockMode AcApDocument::myLockMode() const { return m_locks.empty() ? AcAp::kNotLocked : m_locks.back(); }

int AcApDocument::lockCount() const { return static_cast<int>(m_locks.size()); }

int AcApDocument::lockAcquisitions() const { return m_lockAcquisitions; }

void AcApDocument::recordViewOperation(const std::wstring& operation) { m_viewOperations.push_back(operation); }
