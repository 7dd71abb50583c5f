// A drawing object's identity inside an open database: a pointer to the
// database's record of the object, cheap to copy, compare and hash.  Valid
// for as long as its database lives; the handle is what survives a save.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "Acad.h"
#include "AcDbHandle.h"

class AcDbDatabase;
class AcRxClass;
struct AcDbStub;

class AcDbObjectId {
 public:
  AcDbObjectId() = default;
  explicit AcDbObjectId(AcDbStub* stub) : m_stub(stub) {}

  static const AcDbObjectId kNull;

  bool isNull() const { return m_stub == nullptr; }
  void setNull() { m_stub = nullptr; }
  // Names an object that exists in its database (erased or not).
  bool isValid() const;
  bool isErased() const;
  AcDbHandle handle() const;
  AcDbDatabase* database() const;
  // The class of the object, null when there is none.
  AcRxClass* objectClass() const;

  // The id as the integer an ads_name carries, and back.
  Adesk::LongPtr asOldId() const { return reinterpret_cast<Adesk::LongPtr>(m_stub); }
  AcDbObjectId& setFromOldId(Adesk::LongPtr oldId) {
    m_stub = reinterpret_cast<AcDbStub*>(oldId);
    return *this;
  }

  AcDbStub* stub() const { return m_stub; }

  bool operator==(const AcDbObjectId& other) const { return m_stub == other.m_stub; }
  bool operator!=(const AcDbObjectId& other) const { return m_stub != other.m_stub; }
  bool operator<(const AcDbObjectId& other) const;

 private:
  AcDbStub* m_stub = nullptr;
};

typedef std::vector<AcDbObjectId> AcDbObjectIdArray;

namespace std {
template <>
struct hash<AcDbObjectId> {
  size_t operator()(const AcDbObjectId& id) const noexcept { return std::hash<const void*>()(id.stub()); }
};
}  // namespace std
