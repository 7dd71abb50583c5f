#include "AcDbTransactionManager.h"

#include <memory>

#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "UndoHistory.h"

AcDbTransactionManager& AcDbTransactionManager::instance() {
  static AcDbTransactionManager manager;
  return manager;
}

AcTransaction* AcDbTransactionManager::startTransaction() {
  AcDbDatabase* database = acdbHostApplicationServices()->workingDatabase();
  if (database == nullptr) return nullptr;
  database->undoHistory().begin();
  m_active.push_back(new AcTransaction(database));
  return m_active.back();
}

Acad::ErrorStatus AcDbTransactionManager::endTransaction() {
  if (m_active.empty()) return Acad::eNotApplicable;
  const std::unique_ptr<AcTransaction> ending(m_active.back());
  m_active.pop_back();
  if (ending->m_database != nullptr) ending->m_database->undoHistory().end();
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTransactionManager::abortTransaction() {
  if (m_active.empty()) return Acad::eNotApplicable;
  const std::unique_ptr<AcTransaction> aborting(m_active.back());
  m_active.pop_back();
  if (aborting->m_database != nullptr) aborting->m_database->undoHistory().rollBack();
  return Acad::eOk;
}

void AcDbTransactionManager::forget(AcDbDatabase* database) {
  for (AcTransaction* transaction : m_active)
    if (transaction->m_database == database) transaction->m_database = nullptr;
}
