// Draws a table into its anonymous block, from the table's own API: grid
// lines where the cells on either side are not one merge (runs of pieces as
// one line), an MTEXT per text cell and an INSERT per block cell, all on
// layer "0" and ByBlock, so they take the table's layer and colour.
#pragma once

#include <memory>

class AcDbBlockTableRecord;
class AcDbEntity;
class AcDbTable;

class AcDbTablePainter {
 public:
  // The block is open for write and empty.
  AcDbTablePainter(const AcDbTable& table, AcDbBlockTableRecord* block);
  void paint() const;

 private:
  struct Box {
    double left, top, right, bottom;
  };

  // The box of the merge the cell starts.
  Box cellBox(int row, int column) const;
  bool sameMerge(int row0, int column0, int row1, int column1) const;
  void drawGrid() const;
  void drawCell(int row, int column) const;
  void drawBlockCell(int row, int column, const Box& box) const;
  void append(std::unique_ptr<AcDbEntity> entity) const;
  void appendLine(double x0, double y0, double x1, double y1) const;

  const AcDbTable& m_table;
  AcDbBlockTableRecord* m_block;
};
