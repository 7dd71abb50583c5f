#include "EntityBudget.h"

#include <algorithm>
#include <limits>

#include "AcDbBlockReference.h"
#include "AcDbBlockTable.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbDimension.h"
#include "AcDbMInsertBlock.h"
#include "AcDbObjectPointer.h"

namespace {

// Nested counts can pass any integer: they stop at the largest.
std::uint64_t sum(std::uint64_t a, std::uint64_t b) {
  std::uint64_t total = 0;
  return __builtin_add_overflow(a, b, &total) ? std::numeric_limits<std::uint64_t>::max() : total;
}

std::uint64_t product(std::uint64_t a, std::uint64_t b) {
  std::uint64_t total = 0;
  return __builtin_mul_overflow(a, b, &total) ? std::numeric_limits<std::uint64_t>::max() : total;
}

std::uint64_t entitiesIn(AcDbDatabase& database) {
  std::uint64_t count = 0;
  AcDbObjectPointer<AcDbBlockTable> table(database.blockTableId(), AcDb::kForRead);
  if (!table) return count;
  for (const AcDbObjectId& id : table->recordIds()) {
    AcDbObjectPointer<AcDbBlockTableRecord> block(id, AcDb::kForRead);
    if (block) count += block->entityIds().size();
  }
  return count;
}

}  // namespace

EntityBudget::EntityBudget(AcDbDatabase& database)
    : m_limit(std::max(kLeastLimit, kDrawnPerEntity * entitiesIn(database))) {}

bool EntityBudget::take(AcDbObjectId entity) {
  if (m_taken < m_limit) {
    ++m_taken;
    return true;
  }
  m_leftOut = sum(m_leftOut, placements(entity));
  return false;
}

bool EntityBudget::takeCopy(AcDbObjectId block, std::uint64_t copiesLeft) {
  if (m_taken < m_limit) {
    ++m_taken;
    return true;
  }
  m_leftOut = sum(m_leftOut, product(copiesLeft, sum(1, placementsIn(block))));
  return false;
}

std::uint64_t EntityBudget::placements(AcDbObjectId entityId) {
  AcDbObjectId block;
  std::uint64_t copies = 1;
  {
    AcDbEntityPointer entity(entityId, AcDb::kForRead);
    if (!entity) return 0;
    if (const auto* reference = AcDbBlockReference::cast(entity.object()))
      block = reference->blockTableRecord();
    else if (const auto* dimension = AcDbDimension::cast(entity.object()))
      block = dimension->dimBlockId();
    if (const auto* grid = AcDbMInsertBlock::cast(entity.object()))
      copies = static_cast<std::uint64_t>(grid->rows()) * grid->columns();
  }
  return block.isNull() ? 1 : product(copies, sum(1, placementsIn(block)));
}

std::uint64_t EntityBudget::placementsIn(AcDbObjectId blockId) {
  const auto [kept, added] = m_placements.emplace(blockId, 0);
  if (!added) return kept->second;
  AcDbObjectIdArray entities;
  {
    AcDbObjectPointer<AcDbBlockTableRecord> block(blockId, AcDb::kForRead);
    if (block) entities = block->entityIds();
  }
  std::uint64_t count = 0;
  for (const AcDbObjectId& entity : entities) count = sum(count, placements(entity));
  m_placements[blockId] = count;
  return count;
}
