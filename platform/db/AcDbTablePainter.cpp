#include "AcDbTablePainter.h"

#include <algorithm>
#include <vector>

#include "AcDbBlockTableRecord.h"
#include "AcDbLine.h"
#include "AcDbMText.h"
#include "AcDbStub.h"
#include "AcDbTable.h"

AcDbTablePainter::AcDbTablePainter(const AcDbTable& table, AcDbBlockTableRecord* block)
    : m_table(table), m_block(block) {}

void AcDbTablePainter::paint() const {
  drawGrid();
  for (int r = 0; r < m_table.numRows(); ++r)
    for (int c = 0; c < m_table.numColumns(); ++c) drawCell(r, c);
}

AcDbTablePainter::Box AcDbTablePainter::cellBox(int row, int column) const {
  int lastRow = row, lastColumn = column;
  m_table.isMergedCell(row, column, nullptr, &lastRow, nullptr, &lastColumn);
  Box box{0.0, 0.0, 0.0, 0.0};
  for (int c = 0; c < column; ++c) box.left += m_table.columnWidth(c);
  for (int r = 0; r < row; ++r) box.top -= m_table.rowHeight(r);
  box.right = box.left;
  for (int c = column; c <= lastColumn; ++c) box.right += m_table.columnWidth(c);
  box.bottom = box.top;
  for (int r = row; r <= lastRow; ++r) box.bottom -= m_table.rowHeight(r);
  return box;
}

bool AcDbTablePainter::sameMerge(int row0, int column0, int row1, int column1) const {
  int firstRow0 = row0, firstColumn0 = column0, firstRow1 = row1, firstColumn1 = column1;
  m_table.isMergedCell(row0, column0, &firstRow0, nullptr, &firstColumn0);
  m_table.isMergedCell(row1, column1, &firstRow1, nullptr, &firstColumn1);
  return firstRow0 == firstRow1 && firstColumn0 == firstColumn1;
}

void AcDbTablePainter::drawGrid() const {
  const int rows = m_table.numRows(), columns = m_table.numColumns();
  std::vector<double> xs(1, 0.0), ys(1, 0.0);
  for (int c = 0; c < columns; ++c) xs.push_back(xs.back() + m_table.columnWidth(c));
  for (int r = 0; r < rows; ++r) ys.push_back(ys.back() - m_table.rowHeight(r));
  for (int r = 0; r <= rows; ++r) {
    int start = -1;
    for (int c = 0; c <= columns; ++c) {
      const bool drawn = c < columns && (r == 0 || r == rows || !sameMerge(r - 1, c, r, c));
      if (drawn && start < 0) start = c;
      if (!drawn && start >= 0) {
        appendLine(xs[static_cast<size_t>(start)], ys[static_cast<size_t>(r)], xs[static_cast<size_t>(c)],
                   ys[static_cast<size_t>(r)]);
        start = -1;
      }
    }
  }
  for (int c = 0; c <= columns; ++c) {
    int start = -1;
    for (int r = 0; r <= rows; ++r) {
      const bool drawn = r < rows && (c == 0 || c == columns || !sameMerge(r, c - 1, r, c));
      if (drawn && start < 0) start = r;
      if (!drawn && start >= 0) {
        appendLine(xs[static_cast<size_t>(c)], ys[static_cast<size_t>(start)], xs[static_cast<size_t>(c)],
                   ys[static_cast<size_t>(r)]);
        start = -1;
      }
    }
  }
}

void AcDbTablePainter::drawBlockCell(int row, int column, const Box& box) const {
  const AcDbObjectId blockId = m_table.blockTableRecordId(row, column);
  if (residentObject<AcDbBlockTableRecord>(blockId) == nullptr || blockId.isErased()) return;
  AcDbExtents extents;
  AcDbBlockReference(AcGePoint3d::kOrigin, blockId).getGeomExtents(extents);
  const AcGeVector3d size = extents.maxPoint() - extents.minPoint();
  const double horizontal = m_table.horzCellMargin(), vertical = m_table.vertCellMargin();
  double scale = 1.0;
  if (m_table.isAutoScale(row, column) && size.x > 0.0 && size.y > 0.0) {
    const double room = std::min((box.right - box.left - 2.0 * horizontal) / size.x,
                                 (box.top - box.bottom - 2.0 * vertical) / size.y);
    scale = room > 0.0 ? room : std::min((box.right - box.left) / size.x, (box.top - box.bottom) / size.y);
  }
  const AcGePoint3d middle = extents.minPoint() + size * 0.5;
  const AcGePoint3d centre((box.left + box.right) / 2.0, (box.top + box.bottom) / 2.0, 0.0);
  auto reference = std::make_unique<AcDbBlockReference>(centre - middle.asVector() * scale, blockId);
  reference->setScaleFactors(AcGeScale3d(scale, scale, scale));
  append(std::move(reference));
}

void AcDbTablePainter::drawCell(int row, int column) const {
  int firstRow = row, firstColumn = column;
  m_table.isMergedCell(row, column, &firstRow, nullptr, &firstColumn);
  if (firstRow != row || firstColumn != column) return;
  const Box box = cellBox(row, column);
  if (m_table.cellType(row, column) == AcDb::kBlockCell) return drawBlockCell(row, column, box);
  const std::wstring contents = m_table.textString(row, column);
  if (contents.empty()) return;
  const double horizontal = m_table.horzCellMargin(), vertical = m_table.vertCellMargin();
  // Attachment points are numbered as cell alignments are.
  const int place = m_table.alignment(row, column);
  const int across = (place - 1) % 3, down = (place - 1) / 3;
  const double x = across == 0 ? box.left + horizontal
                 : across == 1 ? (box.left + box.right) / 2.0
                               : box.right - horizontal;
  const double y = down == 0 ? box.top - vertical
                 : down == 1 ? (box.top + box.bottom) / 2.0
                             : box.bottom + vertical;
  auto text = std::make_unique<AcDbMText>();
  text->setContents(contents.c_str());
  text->setLocation(AcGePoint3d(x, y, 0.0));
  text->setTextHeight(m_table.textHeight(row, column));
  text->setWidth(std::max(0.0, box.right - box.left - 2.0 * horizontal));
  text->setAttachment(static_cast<AcDbMText::AttachmentPoint>(place));
  append(std::move(text));
}

void AcDbTablePainter::append(std::unique_ptr<AcDbEntity> entity) const {
  entity->setDatabaseDefaults(m_block->database());
  entity->setLayer(L"0");
  AcCmColor byBlock;
  byBlock.setByBlock();
  entity->setColor(byBlock);
  if (m_block->appendAcDbEntity(entity.get()) == Acad::eOk) entity.release()->close();
}

void AcDbTablePainter::appendLine(double x0, double y0, double x1, double y1) const {
  append(std::make_unique<AcDbLine>(AcGePoint3d(x0, y0, 0.0), AcGePoint3d(x1, y1, 0.0)));
}
