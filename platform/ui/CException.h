// The framework's exception classes, thrown by pointer and freed with
// Delete(), as command handlers expect to catch them.
#pragma once

#include <string>

#include "Acad.h"

class CException {
 public:
  explicit CException(std::wstring message = L"Unknown error.");
  virtual ~CException();
  // Copies at most maxChars - 1 characters and a terminator; TRUE if any.
  virtual BOOL GetErrorMessage(ACHAR* buffer, UINT maxChars, UINT* helpContext = nullptr) const;
  void Delete();

 private:
  std::wstring m_message;
};

// Raised by dialog data exchange once the user has been told what is wrong.
class CUserException : public CException {
 public:
  CUserException();
};

class CFileException : public CException {
 public:
  CFileException(std::wstring message, std::wstring fileName);
  const std::wstring& fileName() const;

 private:
  std::wstring m_fileName;
};

// Raised for an argument out of range, such as an index past the end.
class CInvalidArgException : public CException {
 public:
  CInvalidArgException();
};

[[noreturn]] void AfxThrowInvalidArgException();
