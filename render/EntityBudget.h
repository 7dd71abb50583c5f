// How many entities one picture may draw.  Blocks that each place the next
// several times multiply: a file of a few kilobytes can ask for billions of
// entities.  A picture draws at most a multiple of the entities the drawing
// holds (and never fewer than a floor under which every drawing draws whole),
// and counts what it leaves beyond that.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "AcDbObjectId.h"

class AcDbDatabase;

class EntityBudget {
 public:
  static constexpr std::uint64_t kDrawnPerEntity = 100;
  static constexpr std::uint64_t kLeastLimit = 50000;

  explicit EntityBudget(AcDbDatabase& database);

  // True while the entity may be drawn; otherwise it and all it would
  // place are counted as left out.
  bool take(AcDbObjectId entity);
  // True while another copy of a multiple reference's block may be drawn;
  // otherwise it and the copies left after it are counted as left out.
  bool takeCopy(AcDbObjectId block, std::uint64_t copiesLeft);
  std::uint64_t limit() const { return m_limit; }
  // Entities, counting each placement through nested blocks, left out; the
  // largest value stands for at least that many.
  std::uint64_t leftOut() const { return m_leftOut; }

 private:
  // The entity and, for a reference or dimension, every entity its block
  // places, through every level.
  std::uint64_t placements(AcDbObjectId entity);
  std::uint64_t placementsIn(AcDbObjectId block);

  std::uint64_t m_limit = kLeastLimit;
  std::uint64_t m_taken = 0;
  std::uint64_t m_leftOut = 0;
  // By block; 0 while a block is being counted, so that one holding itself
  // ends.
  std::unordered_map<AcDbObjectId, std::uint64_t> m_placements;
};
