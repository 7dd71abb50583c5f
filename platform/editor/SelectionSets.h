// The selection sets the editor hands out, by the number in their name,
// and the entities it shows highlighted.
#pragma once

#include <map>
#include <set>
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
  // What acedRedraw highlighted and has not unhighlighted yet.
  void highlight(AcDbObjectId id, bool on);
  bool isHighlighted(AcDbObjectId id) const;

 private:
  SelectionSets() = default;
  std::map<Adesk::LongPtr, std::vector<AcDbObjectId>> m_sets;
  std::set<AcDbObjectId> m_highlighted;
  Adesk::LongPtr m_next = 1;
};
