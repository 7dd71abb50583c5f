// A dictionary: objects by key (keys compare ignoring case), in the order
// they were added.  The named object dictionary and extension
// dictionaries are dictionaries.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "AcDbObject.h"

class AcDbDictionaryIterator {
 public:
  explicit AcDbDictionaryIterator(std::vector<std::pair<std::wstring, AcDbObjectId>> entries);

  bool done() const { return m_index >= m_entries.size(); }
  bool next();
  const ACHAR* name() const;
  AcDbObjectId objectId() const;
  Acad::ErrorStatus getObject(AcDbObject*& object, AcDb::OpenMode mode = AcDb::kForRead) const;

 private:
  std::vector<std::pair<std::wstring, AcDbObjectId>> m_entries;
  size_t m_index = 0;
};

class AcDbDictionary : public AcDbObject {
  ACRX_DECLARE_MEMBERS(AcDbDictionary)

 public:
  AcDbDictionary();
  ~AcDbDictionary() override;

  Acad::ErrorStatus getAt(const ACHAR* key, AcDbObjectId& objectId) const;
  Acad::ErrorStatus getAt(const ACHAR* key, AcDbObject*& object, AcDb::OpenMode mode) const;
  bool has(const ACHAR* key) const;
  bool has(AcDbObjectId objectId) const;
  Adesk::UInt32 numEntries() const { return static_cast<Adesk::UInt32>(m_entries.size()); }
  // The dictionary must be open for write.  A new object is given to the
  // database and owned by the dictionary, left open for write for the
  // caller to close; an object already in the database is just listed.
  // An existing entry of the key is replaced (its object erased when the
  // dictionary owned it).
  Acad::ErrorStatus setAt(const ACHAR* key, AcDbObject* value, AcDbObjectId& objectId);
  // Takes the entry out; the object stays in the database.
  Acad::ErrorStatus remove(const ACHAR* key);
  Acad::ErrorStatus remove(const ACHAR* key, AcDbObjectId& objectId);
  std::unique_ptr<AcDbDictionaryIterator> newIterator() const;

 protected:
  ACDB_DECLARE_DXF_FIELDS
  void dxfInDone(DxfInFiler& in) override;

 private:
  struct Entry {
    std::wstring key;
    AcDbObjectId id;
    bool hardOwner;  // written as 360 rather than 350
  };
  static std::wstring fold(const std::wstring& key);
  void reindex();

  std::vector<Entry> m_entries;
  std::unordered_map<std::wstring, size_t> m_index;
  Adesk::Int16 m_hardOwnerFlag = 0;
  Adesk::Int16 m_mergeStyle = 1;
  bool m_hasHardOwnerFlag = false;
  bool m_pendingKey = false;
};
