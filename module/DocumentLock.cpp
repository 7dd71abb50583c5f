#include "module/DocumentLock.h"

#include "AcApDocManager.h"

CDocumentLock::CDocumentLock() : m_document(acDocManager->curDocument()) {
  if (m_document != nullptr && acDocManager->lockDocument(m_document, AcAp::kWrite, nullptr, nullptr, true) != Acad::eOk)
    m_document = nullptr;
}

CDocumentLock::~CDocumentLock() {
  if (m_document != nullptr) acDocManager->unlockDocument(m_document);
}
