#include "ModelSpaceIndex.h"

#include <algorithm>
#include <cmath>

#include "AcDbAttribute.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbEntity.h"
#include "AcDbExtents.h"
#include "AcDbLayerTableRecord.h"
#include "AcDbStub.h"

namespace {

// An entry covering more cells than this is looked at by every query
// instead: a storey outline should not fill the grid.
constexpr long kMostCells = 64;

// Half the distance from origin to value, which never overflows.
double half(double value, double origin) { return value * 0.5 - origin * 0.5; }

bool isFinite(const ModelSpaceIndex::Box& box) {
  return std::isfinite(box.minX) && std::isfinite(box.minY) && std::isfinite(box.maxX) && std::isfinite(box.maxY);
}

}  // namespace

ModelSpaceIndex::ModelSpaceIndex(AcDbDatabase& database) : m_modelSpace(database.modelSpaceId()) {
  AcDbBlockTableRecord* space = nullptr;
  if (acdbOpenObject(space, m_modelSpace, AcDb::kForRead) != Acad::eOk) return;
  const AcDbObjectIdArray ids = space->entityIds();
  space->close();
  m_entries.reserve(ids.size());
  for (const AcDbObjectId& id : ids) measure(id, m_nextOrder++);
  buildGrid();
}

bool ModelSpaceIndex::isShown(const AcDbEntity* entity) {
  const auto* layer = residentObject<AcDbLayerTableRecord>(entity->layerId());
  return layer == nullptr || (!layer->isOff() && !layer->isFrozen());
}

void ModelSpaceIndex::measure(AcDbObjectId id, std::uint64_t order) {
  // Read in place: an entity being written is measured all the same.
  const AcDbEntity* entity = residentObject<AcDbEntity>(id);
  if (entity == nullptr || entity->isErased() || entity->ownerId() != m_modelSpace || !isShown(entity)) return;
  AcDbExtents extents;
  if (entity->getGeomExtents(extents) != Acad::eOk) return;
  const AcGePoint3d low = extents.minPoint(), high = extents.maxPoint();
  m_byId[id] = static_cast<std::uint32_t>(m_entries.size());
  m_entries.push_back({id, {low.x, low.y, high.x, high.y}, order});
  m_live.push_back(true);
}

void ModelSpaceIndex::buildGrid() {
  bool any = false;
  for (const Entry& entry : m_entries) {
    if (!isFinite(entry.box)) continue;
    if (!any) m_bounds = entry.box;
    any = true;
    m_bounds.minX = std::min(m_bounds.minX, entry.box.minX);
    m_bounds.minY = std::min(m_bounds.minY, entry.box.minY);
    m_bounds.maxX = std::max(m_bounds.maxX, entry.box.maxX);
    m_bounds.maxY = std::max(m_bounds.maxY, entry.box.maxY);
  }
  if (m_entries.empty()) return;
  // About one square cell per entity.  Spans are measured in halves: the
  // whole of one from -1e308 to 1e308 is beyond the largest double.
  const double width = half(m_bounds.maxX, m_bounds.minX), depth = half(m_bounds.maxY, m_bounds.minY);
  const double side = std::sqrt(width) * std::sqrt(depth) / std::sqrt(static_cast<double>(m_entries.size()));
  m_cellSize = std::max({side, 1e-6, width / 4096.0, depth / 4096.0});
  m_columns = static_cast<int>(width / m_cellSize) + 1;
  m_rows = static_cast<int>(depth / m_cellSize) + 1;
  m_cells.assign(static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows), {});
  for (std::uint32_t index = 0; index < m_entries.size(); ++index) insert(index);
}

void ModelSpaceIndex::insert(std::uint32_t index) {
  if (m_cells.empty()) m_cells.assign(1, {});
  // Extents that are not numbers stand nowhere in particular.
  if (!isFinite(m_entries[index].box)) {
    m_wide.push_back(index);
    return;
  }
  int column0, row0, column1, row1;
  cellRange(m_entries[index].box, column0, row0, column1, row1);
  if (static_cast<long>(column1 - column0 + 1) * (row1 - row0 + 1) > kMostCells) {
    m_wide.push_back(index);
    return;
  }
  for (int row = row0; row <= row1; ++row)
    for (int column = column0; column <= column1; ++column)
      m_cells[static_cast<size_t>(row) * m_columns + column].push_back(index);
}

void ModelSpaceIndex::cellRange(const Box& box, int& column0, int& row0, int& column1, int& row1) const {
  const auto clamp = [](double value, int last) {
    // Not a number (a query box of NaN) falls in the first cell.
    if (!(value > 0.0)) return 0;
    return static_cast<int>(std::min(std::floor(value), static_cast<double>(last)));
  };
  column0 = clamp(half(box.minX, m_bounds.minX) / m_cellSize, m_columns - 1);
  column1 = clamp(half(box.maxX, m_bounds.minX) / m_cellSize, m_columns - 1);
  row0 = clamp(half(box.minY, m_bounds.minY) / m_cellSize, m_rows - 1);
  row1 = clamp(half(box.maxY, m_bounds.minY) / m_cellSize, m_rows - 1);
}

bool ModelSpaceIndex::note(AcDbObjectId changed) {
  const AcDbObject* object = changed.isValid() ? changed.stub()->object.get() : nullptr;
  if (object == nullptr) return true;
  if (AcDbLayerTableRecord::cast(object) != nullptr) return false;
  // What a block definition draws is drawn by every reference to it.
  if (AcDbEntity::cast(object) != nullptr && object->ownerId() != m_modelSpace &&
      residentObject<AcDbBlockTableRecord>(object->ownerId()) != nullptr && m_byId.count(changed) == 0)
    return false;
  m_pending.push_back(changed);
  return true;
}

void ModelSpaceIndex::refresh() {
  if (m_pending.empty()) return;
  std::vector<AcDbObjectId> pending;
  pending.swap(m_pending);
  std::sort(pending.begin(), pending.end(),
            [](const AcDbObjectId& a, const AcDbObjectId& b) { return a.stub() < b.stub(); });
  pending.erase(std::unique(pending.begin(), pending.end()), pending.end());
  for (const AcDbObjectId& id : pending) {
    // An attribute changes what its reference covers.
    const AcDbAttribute* attribute = residentObject<AcDbAttribute>(id);
    remeasure(attribute != nullptr ? attribute->ownerId() : id);
  }
}

void ModelSpaceIndex::remeasure(AcDbObjectId entity) {
  if (residentObject<AcDbEntity>(entity) == nullptr) return;
  std::uint64_t order = m_nextOrder;
  const auto known = m_byId.find(entity);
  if (known != m_byId.end()) {
    order = m_entries[known->second].order;
    m_live[known->second] = false;
    ++m_dead;
    m_byId.erase(known);
  } else {
    ++m_nextOrder;
  }
  const size_t before = m_entries.size();
  measure(entity, order);
  if (m_entries.size() > before) insert(static_cast<std::uint32_t>(before));
}

std::vector<const ModelSpaceIndex::Entry*> ModelSpaceIndex::touching(const Box& box) {
  refresh();
  std::vector<std::uint32_t> candidates = m_wide;
  int column0, row0, column1, row1;
  cellRange(box, column0, row0, column1, row1);
  if (!m_cells.empty())
    for (int row = row0; row <= row1; ++row)
      for (int column = column0; column <= column1; ++column) {
        const auto& cell = m_cells[static_cast<size_t>(row) * m_columns + column];
        candidates.insert(candidates.end(), cell.begin(), cell.end());
      }
  std::sort(candidates.begin(), candidates.end());
  candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
  std::vector<const Entry*> found;
  for (const std::uint32_t index : candidates)
    if (m_live[index] && m_entries[index].box.touches(box)) found.push_back(&m_entries[index]);
  std::sort(found.begin(), found.end(), [](const Entry* a, const Entry* b) { return a->order < b->order; });
  return found;
}
