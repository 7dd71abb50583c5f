#include "host/DrawingTransaction.h"

#include "AcDbTransactionManager.h"

CDrawingTransaction::CDrawingTransaction()
    : m_depth(acdbTransactionManager->startTransaction() != nullptr ? acdbTransactionManager->numActiveTransactions()
                                                                     : 0) {}

CDrawingTransaction::~CDrawingTransaction() {
  if (!m_finished && isOpen()) acdbTransactionManager->abortTransaction();
}

void CDrawingTransaction::commit() {
  if (!m_finished && isOpen()) acdbTransactionManager->endTransaction();
  m_finished = true;
}

bool CDrawingTransaction::isOpen() const {
  if (m_depth == 0) return false;
  while (acdbTransactionManager->numActiveTransactions() > m_depth) acdbTransactionManager->abortTransaction();
  // Fewer: a reported failure rolled it back already.
  return acdbTransactionManager->numActiveTransactions() == m_depth;
}
