#include "AcDbSortentsTable.h"

#include <algorithm>
#include <tuple>
#include <vector>

#include "AcDbBlockTableRecord.h"
#include "AcDbStub.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbSortentsTable, AcDbObject, L"SORTENTSTABLE")

namespace {
constexpr std::string_view kMarker = "AcDbSortentsTable";
}

AcDbSortentsTable::AcDbSortentsTable() = default;

AcDbSortentsTable::~AcDbSortentsTable() = default;

Acad::ErrorStatus AcDbSortentsTable::setBlockId(AcDbObjectId block) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_block = block;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSortentsTable::moveToBottom(const AcDbObjectIdArray& entities) { return move(entities, true); }

Acad::ErrorStatus AcDbSortentsTable::moveToTop(const AcDbObjectIdArray& entities) { return move(entities, false); }

Acad::ErrorStatus AcDbSortentsTable::move(const AcDbObjectIdArray& entities, bool toBottom) {
  const auto* block = residentObject<AcDbBlockTableRecord>(m_block);
  if (block == nullptr) return Acad::eNotApplicable;
  for (const AcDbObjectId& entity : entities) {
    const auto* object = residentObject<AcDbEntity>(entity);
    if (object == nullptr || object->ownerId() != m_block) return Acad::eInvalidInput;
  }
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  const auto count = static_cast<long long>(entities.size());
  long long rank = toBottom ? m_lowestRank - count : m_highestRank + 1;
  if (toBottom) m_lowestRank -= count;
  else m_highestRank += count;
  for (const AcDbObjectId& entity : entities) m_ranks[entity] = rank++;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSortentsTable::getFullDrawOrder(AcDbObjectIdArray& entities, Adesk::UInt8) const {
  const auto* block = residentObject<AcDbBlockTableRecord>(m_block);
  if (block == nullptr) return Acad::eNotApplicable;
  using Key = std::tuple<long long, Adesk::UInt64, Adesk::UInt64>;
  std::vector<std::pair<Key, AcDbObjectId>> keyed;
  for (const AcDbObjectId& entity : block->entityIds()) {
    const auto ranked = m_ranks.find(entity);
    const auto sorted = m_sortHandles.find(entity);
    const AcDbHandle sortHandle = sorted != m_sortHandles.end() ? sorted->second : entity.handle();
    keyed.push_back({Key(ranked != m_ranks.end() ? ranked->second : 0, sortHandle, entity.handle()), entity});
  }
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  entities.clear();
  for (const auto& item : keyed) entities.push_back(item.second);
  return Acad::eOk;
}

std::unordered_map<AcDbObjectId, AcDbHandle> AcDbSortentsTable::assignedHandles(const AcDbObjectIdArray& order) {
  std::unordered_map<AcDbObjectId, AcDbHandle> assigned;
  std::vector<AcDbHandle> handles;
  for (const AcDbObjectId& entity : order) handles.push_back(entity.handle());
  std::sort(handles.begin(), handles.end());
  for (size_t i = 0; i < order.size(); ++i) assigned[order[i]] = handles[i];
  return assigned;
}

Acad::ErrorStatus AcDbSortentsTable::getSortHandle(AcDbObjectId entity, AcDbHandle& sortHandle) const {
  AcDbObjectIdArray order;
  const Acad::ErrorStatus status = getFullDrawOrder(order);
  if (status != Acad::eOk) return status;
  const auto assigned = assignedHandles(order);
  const auto found = assigned.find(entity);
  if (found == assigned.end()) return Acad::eKeyNotFound;
  sortHandle = found->second;
  return Acad::eOk;
}

void AcDbSortentsTable::dxfGroups(std::vector<DxfGroup>& groups) const { groups.push_back({kMarker, 0}); }

bool AcDbSortentsTable::dxfOwns(const DxfGroup& group, int code) const {
  return group.is(kMarker) && (code == 330 || code == 331 || code == 5);
}

void AcDbSortentsTable::dxfInField(const DxfGroup&, DxfInFiler& in) {
  switch (in.code()) {
    case 330:
      m_block = in.objectId();
      break;
    case 331:
      m_pendingEntity = in.objectId();
      break;
    case 5:
      // A sort handle without its entity says nothing.
      if (!m_pendingEntity.isNull()) m_sortHandles[m_pendingEntity] = in.handle();
      m_pendingEntity = AcDbObjectId();
      break;
  }
}

void AcDbSortentsTable::dxfOutFields(const DxfGroup&, DxfOutFiler& out) const {
  out.objectId(330, m_block);
  AcDbObjectIdArray order;
  if (getFullDrawOrder(order) != Acad::eOk) return;
  const auto assigned = assignedHandles(order);
  for (const AcDbObjectId& entity : order) {
    const AcDbHandle sortHandle = assigned.at(entity);
    if (sortHandle == entity.handle()) continue;
    out.objectId(331, entity);
    out.handle(5, sortHandle);
  }
}
