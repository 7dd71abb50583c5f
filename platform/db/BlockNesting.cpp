#include "BlockNesting.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "AcDbBlockReference.h"
#include "AcDbBlockTable.h"
#include "AcDbDatabase.h"
#include "AcDbStub.h"
#include "TextCodec.h"

namespace {

struct Definition {
  AcDbObjectId id;
  // The references it holds, and the definition each one names.
  std::vector<std::pair<AcDbObjectId, size_t>> references;
  enum { kUnseen, kOpen, kDone } state = kUnseen;
  size_t levels = 1;
};

std::string nameOf(AcDbObjectId block) {
  const auto* record = residentObject<AcDbBlockTableRecord>(block);
  return record != nullptr ? wideToUtf8(record->name()) : std::string("?");
}

std::vector<Definition> definitions(AcDbDatabase& database) {
  std::vector<Definition> found;
  const auto* table = residentObject<AcDbBlockTable>(database.blockTableId());
  if (table == nullptr) return found;
  std::unordered_map<AcDbObjectId, size_t> places;
  for (const AcDbObjectId& id : table->recordIds())
    if (residentObject<AcDbBlockTableRecord>(id) != nullptr) {
      places.emplace(id, found.size());
      found.push_back({id, {}});
    }
  for (Definition& definition : found)
    for (const AcDbObjectId& entity : residentObject<AcDbBlockTableRecord>(definition.id)->entityIds()) {
      const auto* reference = residentObject<AcDbBlockReference>(entity);
      const auto named = reference != nullptr ? places.find(reference->blockTableRecord()) : places.end();
      if (named != places.end()) definition.references.emplace_back(entity, named->second);
    }
  return found;
}

}  // namespace

std::string BlockNesting::fault(AcDbDatabase& database, AcDbObjectId& faulty) {
  std::vector<Definition> blocks = definitions(database);
  // A holder is one level above what its reference names.
  const auto raise = [&blocks, &faulty](Definition& holder, size_t inner, AcDbObjectId reference) {
    holder.levels = std::max(holder.levels, blocks[inner].levels + 1);
    if (holder.levels <= kMostLevels) return std::string();
    faulty = reference;
    return "block '" + nameOf(holder.id) + "' nests blocks more than " + std::to_string(kMostLevels) + " levels deep";
  };
  // Depth first without recursion: each step a definition and how many of
  // its references were followed.
  std::vector<std::pair<size_t, size_t>> path;
  for (size_t start = 0; start < blocks.size(); ++start) {
    if (blocks[start].state != Definition::kUnseen) continue;
    blocks[start].state = Definition::kOpen;
    path.emplace_back(start, 0);
    while (!path.empty()) {
      const size_t at = path.back().first;
      Definition& block = blocks[at];
      if (path.back().second == block.references.size()) {
        block.state = Definition::kDone;
        path.pop_back();
        if (path.empty()) continue;
        Definition& holder = blocks[path.back().first];
        const std::string deep = raise(holder, at, holder.references[path.back().second - 1].first);
        if (!deep.empty()) return deep;
        continue;
      }
      const auto [reference, named] = block.references[path.back().second++];
      Definition& inner = blocks[named];
      if (inner.state == Definition::kOpen) {
        faulty = reference;
        return "block '" + nameOf(inner.id) + "' contains itself" +
               (named == at ? std::string() : " through block '" + nameOf(block.id) + "'");
      }
      if (inner.state == Definition::kUnseen) {
        inner.state = Definition::kOpen;
        path.emplace_back(named, 0);
        continue;
      }
      const std::string deep = raise(block, named, reference);
      if (!deep.empty()) return deep;
    }
  }
  return "";
}
