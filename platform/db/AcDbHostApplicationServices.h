// What the host tells the drawing database: the working database, which
// calls that take no database use.
#pragma once

class AcDbDatabase;

class AcDbHostApplicationServices {
 public:
  AcDbDatabase* workingDatabase() const { return m_working; }
  // Not owned; the document that owns the database clears it before it goes.
  void setWorkingDatabase(AcDbDatabase* database) { m_working = database; }

 private:
  AcDbDatabase* m_working = nullptr;
};

AcDbHostApplicationServices* acdbHostApplicationServices();
