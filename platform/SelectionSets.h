// The selection sets the editor hands out, by the number in their name.
#pragma once

#include <map>
#include <vector>

#include "AcDbObjectId.h"
#include "Acad.h"

class SelectionSets {
 public:
  static SelectionSets& instance();

  void make(std::vector<AcDbObjectId> ids, ads_name name);
  // Null when the name is no open set.
  const std::vector<AcDbObjectId>* find(const ads_name name) const;
  std::vector<AcDbObjectId>* find(const ads_name name);
  bool free(const ads_name name);

 private:
  SelectionSets() = default;
  std::map<Adesk::LongPtr, std::vector<AcDbObjectId>> m_sets;
  Adesk::LongPtr m_next = 1;
};
