// A table (ACAD_TABLE): rows and columns of text and block cells, placed
// like a block reference at its top left corner, rows running down.  Other
// programs draw a table from its anonymous "*T" block, which
// generateLayout() fills with the grid lines, an MTEXT per text cell and an
// INSERT per block cell; call it after changing the table.  A table read
// from a file is a reference to its block; its rows and cells are carried
// as read.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "AcDbBlockReference.h"
#include "AcDbTableStyle.h"

class AcDbBlockTableRecord;

class AcDbTable : public AcDbBlockReference {
  ACRX_DECLARE_MEMBERS(AcDbTable)

 public:
  AcDbTable();
  ~AcDbTable() override;
  // A table about to be read from a file.
  static std::unique_ptr<AcDbObject> carried();

  AcDbObjectId tableStyle() const { return m_style; }
  Acad::ErrorStatus setTableStyle(AcDbObjectId style);

  int numRows() const { return static_cast<int>(m_rowHeights.size()); }
  int numColumns() const { return static_cast<int>(m_columnWidths.size()); }
  Acad::ErrorStatus setSize(int rows, int columns);
  Acad::ErrorStatus setNumRows(int rows);
  Acad::ErrorStatus setNumColumns(int columns);
  // Before row index `row` (numRows() appends), each of the height.
  Acad::ErrorStatus insertRows(int row, double height, int rows = 1);

  double rowHeight(int row) const;
  Acad::ErrorStatus setRowHeight(int row, double height);
  Acad::ErrorStatus setRowHeight(double height);
  double columnWidth(int column) const;
  Acad::ErrorStatus setColumnWidth(int column, double width);
  Acad::ErrorStatus setColumnWidth(double width);
  double width() const;
  double height() const;
  double horzCellMargin() const { return m_horizontalMargin; }
  double vertCellMargin() const { return m_verticalMargin; }
  Acad::ErrorStatus setHorzCellMargin(double margin);
  Acad::ErrorStatus setVertCellMargin(double margin);

  // One cell drawn across the range; the others in it are covered.
  // eInvalidInput for a range outside the table or overlapping a merge.
  Acad::ErrorStatus mergeCells(int minRow, int maxRow, int minColumn, int maxColumn);
  bool isMergedCell(int row, int column, int* minRow = nullptr, int* maxRow = nullptr, int* minColumn = nullptr,
                    int* maxColumn = nullptr) const;

  AcDb::CellType cellType(int row, int column) const;
  // MTEXT formatting: "\\" shows one backslash.
  std::wstring textString(int row, int column) const;
  Acad::ErrorStatus setTextString(int row, int column, const ACHAR* text);
  AcDbObjectId blockTableRecordId(int row, int column) const;
  // Whether the block cell's block is scaled into the cell.
  bool isAutoScale(int row, int column) const;
  // Makes the cell a block cell; autoFit scales the block into the cell.
  Acad::ErrorStatus setBlockTableRecordId(int row, int column, AcDbObjectId block, bool autoFit = false);

  // Row 0 is the title row, row 1 the header row, the rest data rows.
  AcDb::RowType rowType(int row) const;
  double textHeight(int row, int column) const;
  Acad::ErrorStatus setTextHeight(int row, int column, double height);
  Acad::ErrorStatus setTextHeight(double height, int rowTypes = AcDb::kAllRows);
  AcDb::CellAlignment alignment(int row, int column) const;
  Acad::ErrorStatus setAlignment(int row, int column, AcDb::CellAlignment alignment);
  Acad::ErrorStatus setAlignment(AcDb::CellAlignment alignment, int rowTypes = AcDb::kAllRows);

  // The rows' direction in world coordinates, from rotation and normal.
  AcGeVector3d direction() const;

  // Draws the table into its anonymous block, made in the table's database
  // (the working one before it has one) the first time.
  Acad::ErrorStatus generateLayout();

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  struct Cell {
    AcDb::CellType type = AcDb::kTextCell;
    std::wstring text;
    AcDbObjectId block;
    bool autoFit = false;
    double textHeight = 0.0;  // 0: the row type's
    int alignment = 0;        // 0: the row type's
    // The merge the cell starts: rows and columns spanned.
    int rowSpan = 1;
    int columnSpan = 1;
    bool covered = false;
  };
  struct RowStyle {
    double textHeight;
    AcDb::CellAlignment alignment;
  };

  bool inside(int row, int column) const;
  Cell* cell(int row, int column);
  const Cell* cell(int row, int column) const;
  // The cell starting the merge that holds (row, column).
  const Cell* anchor(int row, int column, int& anchorRow, int& anchorColumn) const;
  Acad::ErrorStatus prepareBlock(AcDbDatabase* db, AcDbBlockTableRecord*& block);
  void writeCell(const Cell& cell, int row, int column, DxfOutFiler& out) const;

  AcDbObjectId m_style;
  std::vector<double> m_rowHeights;
  std::vector<double> m_columnWidths;
  std::vector<Cell> m_cells;  // row by row
  RowStyle m_rowStyles[3];    // data, title, header
  double m_horizontalMargin = 0.06;
  double m_verticalMargin = 0.06;
  // Read from a file: its table group is kept as read, not written from these fields.
  bool m_carried = false;
};
