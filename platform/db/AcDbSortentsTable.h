// The draw order of one block's entities (SORTENTSTABLE), kept in the
// block record's extension dictionary under "ACAD_SORTENTS".  An entity is
// drawn by its sort handle, its own handle when the table gives none; the
// table keeps the order, and writes the sort handles that differ.
#pragma once

#include <unordered_map>

#include "AcDbObject.h"

class AcDbSortentsTable : public AcDbObject {
  ACRX_DECLARE_MEMBERS(AcDbSortentsTable)

 public:
  AcDbSortentsTable();
  ~AcDbSortentsTable() override;

  // The block table record whose entities the table orders.
  AcDbObjectId blockId() const { return m_block; }
  Acad::ErrorStatus setBlockId(AcDbObjectId block);

  // Below (above) every other entity of the block, keeping the order of
  // the moved ones among themselves.
  Acad::ErrorStatus moveToBottom(const AcDbObjectIdArray& entities);
  Acad::ErrorStatus moveToTop(const AcDbObjectIdArray& entities);
  // The block's entities in draw order, first drawn first.
  Acad::ErrorStatus getFullDrawOrder(AcDbObjectIdArray& entities, Adesk::UInt8 honorSortentsMask = 0) const;
  // What the file gets: the entity's sort handle in the present order.
  Acad::ErrorStatus getSortHandle(AcDbObjectId entity, AcDbHandle& sortHandle) const;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  Acad::ErrorStatus move(const AcDbObjectIdArray& entities, bool toBottom);
  // Sort handles in draw order: the block's own handles, ascending.
  static std::unordered_map<AcDbObjectId, AcDbHandle> assignedHandles(const AcDbObjectIdArray& order);

  AcDbObjectId m_block;
  // Sort handles as read; an entity moved since then is ranked instead.
  std::unordered_map<AcDbObjectId, AcDbHandle> m_sortHandles;
  // Moved entities: negative ranks lie below every unmoved entity, positive above.
  std::unordered_map<AcDbObjectId, long long> m_ranks;
  long long m_lowestRank = 0;
  long long m_highestRank = 0;
  AcDbObjectId m_pendingEntity;
};
