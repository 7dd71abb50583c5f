// The database's record of one object: what an AcDbObjectId points at.
// Stubs live as long as their database; the object may come later (a
// handle referred to before its object is read) or never.
#pragma once

#include <memory>

#include "AcDbHandle.h"
#include "AcDbObject.h"

struct AcDbStub {
  AcDbHandle handle;
  AcDbDatabase* database = nullptr;
  std::unique_ptr<AcDbObject> object;
};

// The object an id names, as a T, without opening it: for the platform's
// own bookkeeping, which the open rules do not govern.  Null for another
// class or a missing object.
template <class T>
T* residentObject(AcDbObjectId id) {
  return id.isValid() ? T::cast(id.stub()->object.get()) : nullptr;
}
