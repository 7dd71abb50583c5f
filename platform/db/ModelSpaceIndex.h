// Where the entities of model space stand: their extents in a grid, so that
// a pick, a window or a crossing looks only at what stands near it rather
// than at the whole drawing.  Objects opened for write are noted and the
// entities they belong to measured again at the next query, so a command
// that reads (and writes) space after space keeps the index instead of
// rebuilding it each time.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "AcDbObjectId.h"
#include "Acad.h"

class AcDbDatabase;
class AcDbEntity;

class ModelSpaceIndex {
 public:
  struct Box {
    double minX, minY, maxX, maxY;
    bool touches(const Box& other) const {
      return minX <= other.maxX && maxX >= other.minX && minY <= other.maxY && maxY >= other.minY;
    }
  };
  struct Entry {
    AcDbObjectId id;
    Box box;
    // Drawing order.
    std::uint64_t order;
  };

  explicit ModelSpaceIndex(AcDbDatabase& database);

  // Not on a layer that is off or frozen.
  static bool isShown(const AcDbEntity* entity);

  // The object may have changed.  False when the index cannot follow the
  // change entry by entry (a layer, a block definition's content) and must
  // be built anew.
  bool note(AcDbObjectId changed);
  // So many entries were measured again that building anew is cheaper.
  bool worn() const { return m_dead > m_byId.size() + 1024; }
  // The entities on shown layers whose extents touch the box, in drawing order.
  std::vector<const Entry*> touching(const Box& box);

 private:
  void measure(AcDbObjectId id, std::uint64_t order);
  void insert(std::uint32_t index);
  void buildGrid();
  void refresh();
  void remeasure(AcDbObjectId entity);
  // The cells the box covers, clamped to the grid (so boxes outside it
  // still meet in its edge cells).
  void cellRange(const Box& box, int& column0, int& row0, int& column1, int& row1) const;

  AcDbObjectId m_modelSpace;
  std::vector<Entry> m_entries;
  std::vector<bool> m_live;
  size_t m_dead = 0;
  std::unordered_map<AcDbObjectId, std::uint32_t> m_byId;
  std::vector<AcDbObjectId> m_pending;
  std::uint64_t m_nextOrder = 0;
  std::vector<std::vector<std::uint32_t>> m_cells;
  // Entries spread over so many cells that every query looks at them.
  std::vector<std::uint32_t> m_wide;
  Box m_bounds{0, 0, 0, 0};
  double m_cellSize = 1.0;
  int m_columns = 1, m_rows = 1;
};
