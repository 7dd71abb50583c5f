// Steps through a list of object ids taken when the iterator was made,
// so the objects may change while it runs.
#pragma once

#include "AcDbObjectId.h"

class AcDbEntity;

class AcDbObjectIterator {
 public:
  explicit AcDbObjectIterator(AcDbObjectIdArray ids);

  void start(bool atEnd = false);
  bool done() const;
  void step(bool backwards = false, bool skipErased = true);
  AcDbObjectId objectId() const;

 private:
  void skipErasedFrom(bool backwards);

  AcDbObjectIdArray m_ids;
  long m_index = 0;
};
