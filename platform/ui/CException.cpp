#include "CException.h"

#include <algorithm>
#include <cwchar>

CException::CException(std::wstring message) : m_message(std::move(message)) {}

CException::~CException() = default;

BOOL CException::GetErrorMessage(ACHAR* buffer, UINT maxChars, UINT* helpContext) const {
  if (helpContext != nullptr) *helpContext = 0;
  if (buffer == nullptr || maxChars == 0) return FALSE;
  const size_t count = std::min<size_t>(m_message.size(), maxChars - 1);
  std::wmemcpy(buffer, m_message.data(), count);
  buffer[count] = L'\0';
  return count > 0 ? TRUE : FALSE;
}

void CException::Delete() { delete this; }

CUserException::CUserException() = default;

CFileException::CFileException(std::wstring message, std::wstring fileName)
    : CException(std::move(message)), m_fileName(std::move(fileName)) {}

const std::wstring& CFileException::fileName() const { return m_fileName; }

CInvalidArgException::CInvalidArgException() : CException(L"The parameter is incorrect.") {}

void AfxThrowInvalidArgException() { throw new CInvalidArgException(); }
