// What the module draws over a space or an asset (its hatch, an asset's
// hatch boundary) carries the handle of what it covers, so that drawing it
// again replaces it instead of stacking a second hatch under the first.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "AcDbObjectId.h"

class AcDbDatabase;
class AcDbEntity;

class CDrawnHatches {
 public:
  // Marks the entity as drawn over the owner, the object of that handle.
  static void tag(AcDbEntity& entity, AcDbDatabase* database, const std::wstring& ownerHandle);
  // Indexes the marked entities of the working drawing's model space by owner.
  void collect();
  // Erases what the index holds for the owner.
  void erase(const std::wstring& ownerHandle);

 private:
  std::unordered_map<std::wstring, std::vector<AcDbObjectId>> m_byOwner;
};
