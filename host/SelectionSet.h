// A selection set the host made, read as the ids of its members and freed
// when it goes, so an error thrown while walking it leaks nothing.
#pragma once

#include <vector>

#include "AcDbObjectId.h"
#include "Acad.h"

struct resbuf;

class CSelectionSet {
 public:
  // Selects with acedSSGet's arguments.
  CSelectionSet(const ACHAR* mode, const void* point1, const void* point2, const resbuf* filter);
  // The set a function of acedSSGet's shape makes (it fills the name and
  // returns RTNORM).
  explicit CSelectionSet(int (*select)(ads_name));
  ~CSelectionSet();
  CSelectionSet(const CSelectionSet&) = delete;
  CSelectionSet& operator=(const CSelectionSet&) = delete;

  // The host made a set: something was selected.
  bool made() const { return m_made; }
  Adesk::Int32 length() const;
  // The members in order; a name that gives no id is left out.
  std::vector<AcDbObjectId> ids() const;

 private:
  ads_name m_name = {0, 0};
  bool m_made = false;
};
