// The current document, locked for writing for the whole of a command and
// unlocked however the command ends.
#pragma once

class AcApDocument;

class CDocumentLock {
 public:
  CDocumentLock();
  ~CDocumentLock();
  CDocumentLock(const CDocumentLock&) = delete;
  CDocumentLock& operator=(const CDocumentLock&) = delete;

 private:
  // Null when there is none or it could not be locked.
  AcApDocument* m_document;
};
