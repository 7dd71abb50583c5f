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

Acad::ErrorStatus AcDbTransactionManager::endTransaction() { return finish(true); }

Acad::ErrorStatus AcDbTransactionManager::abortTransaction() { return finish(false); }

Acad::ErrorStatus AcDbTransactionManager::finish(bool keep) {
  if (m_active.empty()) return Acad::eNotApplicable;
  const std::unique_ptr<AcTransaction> finished(m_active.back());
  m_active.pop_back();
  if (finished->m_database == nullptr) return Acad::eOk;
  UndoHistory& history = finished->m_database->undoHistory();
  if (keep) history.end();
  else history.rollBack();
  return Acad::eOk;
}

void AcDbTransactionManager::forget(AcDbDatabase* database) {
  for (AcTransaction* transaction : m_active)
    if (transaction->m_database == database) transaction->m_database = nullptr;
}
