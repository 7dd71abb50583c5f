// A table of named records, in the order they were added; names compare
// ignoring case.  The typed tables (AcDbLayerTable ...) add getAt
// overloads that open records of their own kind.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "AcDbObject.h"
#include "AcDbObjectIterator.h"

class AcDbSymbolTableRecord;

typedef AcDbObjectIterator AcDbSymbolTableIterator;

class AcDbSymbolTable : public AcDbObject {
  ACRX_DECLARE_MEMBERS(AcDbSymbolTable)

 public:
  AcDbSymbolTable();
  ~AcDbSymbolTable() override;

  Acad::ErrorStatus getAt(const ACHAR* name, AcDbObjectId& recordId, bool getErased = false) const;
  Acad::ErrorStatus getAt(const ACHAR* name, AcDbSymbolTableRecord*& record, AcDb::OpenMode mode,
                          bool openErased = false) const;
  bool has(const ACHAR* name) const;
  bool has(AcDbObjectId recordId) const;
  // The table must be open for write and the record new, named, and of the
  // table's kind.  The table takes ownership; the record is left open for
  // write for the caller to close.
  Acad::ErrorStatus add(AcDbSymbolTableRecord* record);
  Acad::ErrorStatus add(AcDbObjectId& recordId, AcDbSymbolTableRecord* record);
  Acad::ErrorStatus newIterator(std::unique_ptr<AcDbSymbolTableIterator>& iterator, bool atBeginning = true,
                                bool skipDeleted = true) const;
  // The records that are not erased, in order.
  AcDbObjectIdArray recordIds() const;
  // For the file's reader, whose records come into the database with their
  // handles before their table holds them: the record becomes the table's
  // last.  False, the record left alone, when it is not of the table's kind.
  bool adoptRecord(AcDbSymbolTableRecord* record);

 protected:
  // The record class the table holds.
  virtual const AcRxClass* recordClass() const;
  // Called by add once the record is in the database (blocks get their
  // BLOCK and ENDBLK).
  virtual void recordAdded(AcDbSymbolTableRecord* record);
  // The objects a new record brings into the database, itself included.
  virtual size_t objectsPerRecord() const { return 1; }

  ACDB_DECLARE_DXF_FIELDS

 private:
  friend class AcDbSymbolTableRecord;

  // Folded and in UTF-8, so that most names need no allocation of their own.
  static std::string key(std::wstring_view name);
  // A record already in the database.
  void insert(AcDbSymbolTableRecord* record);
  void renamed(AcDbSymbolTableRecord* record, const std::wstring& oldName);

  // Shared with the undo record's copies of the table: recorded as they
  // change, not copied with each.
  struct Contents {
    AcDbObjectIdArray records;
    std::unordered_map<std::string, AcDbObjectId> byName;
  };
  // The name's key now names the record (null: nothing).
  void index(const std::string& key, AcDbObjectId record);

  std::shared_ptr<Contents> m_contents = std::make_shared<Contents>();
};

// The typed getAt of a table whose records are RECORD.
#define ACDB_DECLARE_TABLE_GETAT(RECORD)                                                          \
  using AcDbSymbolTable::getAt;                                                                   \
  Acad::ErrorStatus getAt(const ACHAR* name, RECORD*& record, AcDb::OpenMode mode,                \
                          bool openErased = false) const {                                        \
    AcDbObjectId recordId;                                                                        \
    record = nullptr;                                                                             \
    const Acad::ErrorStatus status = getAt(name, recordId, openErased);                           \
    return status == Acad::eOk ? acdbOpenObject(record, recordId, mode, openErased) : status;     \
  }
