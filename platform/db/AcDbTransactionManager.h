// Transactions on the working drawing: what changes between the start of
// one and its abort is undone as if it had never been made; ending it keeps
// the changes.  They nest, and each belongs to the drawing that was the
// working one when it started.
#pragma once

#include <vector>

#include "Acad.h"

class AcDbDatabase;

class AcTransaction {
 public:
  explicit AcTransaction(AcDbDatabase* database) : m_database(database) {}
  AcDbDatabase* database() const { return m_database; }

 private:
  friend class AcDbTransactionManager;
  AcDbDatabase* m_database;
};

class AcDbTransactionManager {
 public:
  static AcDbTransactionManager& instance();

  // Null when there is no working drawing.
  AcTransaction* startTransaction();
  // eNotApplicable when none is active.
  Acad::ErrorStatus endTransaction();
  Acad::ErrorStatus abortTransaction();
  int numActiveTransactions() const { return static_cast<int>(m_active.size()); }
  // A drawing that goes away takes its transactions with it.
  void forget(AcDbDatabase* database);

 private:
  // Ends the innermost transaction, keeping or undoing its changes.
  Acad::ErrorStatus finish(bool keep);

  // Owned; kept in a vector of pointers so that callers' pointers stay valid.
  std::vector<AcTransaction*> m_active;
};

#define acdbTransactionManager (&AcDbTransactionManager::instance())
#define actrTransactionManager (&AcDbTransactionManager::instance())
