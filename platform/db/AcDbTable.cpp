#include "AcDbTable.h"

#include <algorithm>
#include <memory>
#include <string>

#include "AcDbBlockTable.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "AcDbStub.h"
#include "AcDbTablePainter.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbTable, AcDbBlockReference, L"ACAD_TABLE")

namespace {

constexpr std::string_view kMarker = "AcDbTable";
constexpr size_t kChunk = 250;

int rowStyleSlot(AcDb::RowType type) { return type == AcDb::kTitleRow ? 1 : type == AcDb::kHeaderRow ? 2 : 0; }

bool validAlignment(int alignment) { return alignment >= AcDb::kTopLeft && alignment <= AcDb::kBottomRight; }

}  // namespace

AcDbTable::AcDbTable() {
  const AcDbTableStyle defaults;
  for (AcDb::RowType type : {AcDb::kDataRow, AcDb::kTitleRow, AcDb::kHeaderRow})
    m_rowStyles[rowStyleSlot(type)] = {defaults.textHeight(type), defaults.alignment(type)};
}

AcDbTable::~AcDbTable() = default;

Acad::ErrorStatus AcDbTable::setTableStyle(AcDbObjectId style) {
  const AcDbObject* object = style.isValid() && !style.isErased() ? style.stub()->object.get() : nullptr;
  if (object == nullptr || std::wstring(object->isA()->dxfName()) != L"TABLESTYLE") return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_style = style;
  if (const auto* modelled = AcDbTableStyle::cast(object))
    for (AcDb::RowType type : {AcDb::kDataRow, AcDb::kTitleRow, AcDb::kHeaderRow})
      m_rowStyles[rowStyleSlot(type)] = {modelled->textHeight(type), modelled->alignment(type)};
  return Acad::eOk;
}

bool AcDbTable::inside(int row, int column) const {
  return row >= 0 && row < numRows() && column >= 0 && column < numColumns();
}

AcDbTable::Cell* AcDbTable::cell(int row, int column) {
  return inside(row, column) ? &m_cells[static_cast<size_t>(row * numColumns() + column)] : nullptr;
}

const AcDbTable::Cell* AcDbTable::cell(int row, int column) const {
  return inside(row, column) ? &m_cells[static_cast<size_t>(row * numColumns() + column)] : nullptr;
}

Acad::ErrorStatus AcDbTable::setSize(int rows, int columns) {
  if (rows < 0 || columns < 0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  std::vector<Cell> cells(static_cast<size_t>(rows * columns));
  for (int r = 0; r < std::min(rows, numRows()); ++r)
    for (int c = 0; c < std::min(columns, numColumns()); ++c) {
      Cell& kept = cells[static_cast<size_t>(r * columns + c)] = *cell(r, c);
      kept.rowSpan = std::min(kept.rowSpan, rows - r);
      kept.columnSpan = std::min(kept.columnSpan, columns - c);
    }
  const double rowHeight = m_rowHeights.empty() ? 1.0 : m_rowHeights.back();
  const double columnWidth = m_columnWidths.empty() ? 1.0 : m_columnWidths.back();
  m_rowHeights.resize(static_cast<size_t>(rows), rowHeight);
  m_columnWidths.resize(static_cast<size_t>(columns), columnWidth);
  m_cells = std::move(cells);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTable::setNumRows(int rows) { return setSize(rows, numColumns()); }

Acad::ErrorStatus AcDbTable::setNumColumns(int columns) { return setSize(numRows(), columns); }

Acad::ErrorStatus AcDbTable::insertRows(int row, double height, int rows) {
  if (row < 0 || row > numRows() || rows < 1 || !(height > 0.0)) return Acad::eInvalidInput;
  // A merge the new rows would cut through.
  for (int r = 0; r < row; ++r)
    for (int c = 0; c < numColumns(); ++c)
      if (r + cell(r, c)->rowSpan > row) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  const auto at = static_cast<long>(row * numColumns());
  m_cells.insert(m_cells.begin() + at, static_cast<size_t>(rows * numColumns()), Cell());
  m_rowHeights.insert(m_rowHeights.begin() + row, static_cast<size_t>(rows), height);
  return Acad::eOk;
}

double AcDbTable::rowHeight(int row) const {
  return row >= 0 && row < numRows() ? m_rowHeights[static_cast<size_t>(row)] : 0.0;
}

Acad::ErrorStatus AcDbTable::setRowHeight(int row, double height) {
  if (row < 0 || row >= numRows() || !(height > 0.0)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_rowHeights[static_cast<size_t>(row)] = height;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTable::setRowHeight(double height) {
  if (!(height > 0.0)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  std::fill(m_rowHeights.begin(), m_rowHeights.end(), height);
  return Acad::eOk;
}

double AcDbTable::columnWidth(int column) const {
  return column >= 0 && column < numColumns() ? m_columnWidths[static_cast<size_t>(column)] : 0.0;
}

Acad::ErrorStatus AcDbTable::setColumnWidth(int column, double width) {
  if (column < 0 || column >= numColumns() || !(width > 0.0)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_columnWidths[static_cast<size_t>(column)] = width;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTable::setColumnWidth(double width) {
  if (!(width > 0.0)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  std::fill(m_columnWidths.begin(), m_columnWidths.end(), width);
  return Acad::eOk;
}

double AcDbTable::width() const {
  double total = 0.0;
  for (double width : m_columnWidths) total += width;
  return total;
}

double AcDbTable::height() const {
  double total = 0.0;
  for (double height : m_rowHeights) total += height;
  return total;
}

Acad::ErrorStatus AcDbTable::setHorzCellMargin(double margin) {
  if (!(margin >= 0.0)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_horizontalMargin = margin;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTable::setVertCellMargin(double margin) {
  if (!(margin >= 0.0)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_verticalMargin = margin;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTable::mergeCells(int minRow, int maxRow, int minColumn, int maxColumn) {
  if (!inside(minRow, minColumn) || !inside(maxRow, maxColumn) || minRow > maxRow || minColumn > maxColumn)
    return Acad::eInvalidInput;
  for (int r = minRow; r <= maxRow; ++r)
    for (int c = minColumn; c <= maxColumn; ++c)
      if (isMergedCell(r, c)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  for (int r = minRow; r <= maxRow; ++r)
    for (int c = minColumn; c <= maxColumn; ++c) cell(r, c)->covered = true;
  Cell* first = cell(minRow, minColumn);
  first->covered = false;
  first->rowSpan = maxRow - minRow + 1;
  first->columnSpan = maxColumn - minColumn + 1;
  return Acad::eOk;
}

const AcDbTable::Cell* AcDbTable::anchor(int row, int column, int& anchorRow, int& anchorColumn) const {
  // Merges are few and small: look back along the row, then up the column.
  for (int r = row; r >= 0; --r)
    for (int c = column; c >= 0; --c) {
      const Cell* candidate = cell(r, c);
      if (!candidate->covered && r + candidate->rowSpan > row && c + candidate->columnSpan > column) {
        anchorRow = r;
        anchorColumn = c;
        return candidate;
      }
      if (!candidate->covered) break;
    }
  anchorRow = row;
  anchorColumn = column;
  return cell(row, column);
}

bool AcDbTable::isMergedCell(int row, int column, int* minRow, int* maxRow, int* minColumn, int* maxColumn) const {
  if (!inside(row, column)) return false;
  int r = row, c = column;
  const Cell* first = anchor(row, column, r, c);
  if (minRow) *minRow = r;
  if (maxRow) *maxRow = r + first->rowSpan - 1;
  if (minColumn) *minColumn = c;
  if (maxColumn) *maxColumn = c + first->columnSpan - 1;
  return first->rowSpan > 1 || first->columnSpan > 1;
}

AcDb::CellType AcDbTable::cellType(int row, int column) const {
  const Cell* found = cell(row, column);
  return found ? found->type : AcDb::kUnknownCell;
}

std::wstring AcDbTable::textString(int row, int column) const {
  const Cell* found = cell(row, column);
  return found ? found->text : std::wstring();
}

Acad::ErrorStatus AcDbTable::setTextString(int row, int column, const ACHAR* text) {
  if (!inside(row, column) || text == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  Cell* target = cell(row, column);
  target->type = AcDb::kTextCell;
  target->block.setNull();
  target->text = text;
  return Acad::eOk;
}

AcDbObjectId AcDbTable::blockTableRecordId(int row, int column) const {
  const Cell* found = cell(row, column);
  return found ? found->block : AcDbObjectId();
}

bool AcDbTable::isAutoScale(int row, int column) const {
  const Cell* found = cell(row, column);
  return found != nullptr && found->type == AcDb::kBlockCell && found->autoFit;
}

Acad::ErrorStatus AcDbTable::setBlockTableRecordId(int row, int column, AcDbObjectId block, bool autoFit) {
  if (!inside(row, column) || residentObject<AcDbBlockTableRecord>(block) == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  Cell* target = cell(row, column);
  target->type = AcDb::kBlockCell;
  target->text.clear();
  target->block = block;
  target->autoFit = autoFit;
  return Acad::eOk;
}

AcDb::RowType AcDbTable::rowType(int row) const {
  if (row < 0 || row >= numRows()) return AcDb::kUnknownRow;
  return row == 0 ? AcDb::kTitleRow : row == 1 ? AcDb::kHeaderRow : AcDb::kDataRow;
}

double AcDbTable::textHeight(int row, int column) const {
  const Cell* found = cell(row, column);
  if (found == nullptr) return 0.0;
  return found->textHeight > 0.0 ? found->textHeight : m_rowStyles[rowStyleSlot(rowType(row))].textHeight;
}

Acad::ErrorStatus AcDbTable::setTextHeight(int row, int column, double height) {
  if (!inside(row, column) || !(height > 0.0)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  cell(row, column)->textHeight = height;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTable::setTextHeight(double height, int rowTypes) {
  if (!(height > 0.0) || (rowTypes & AcDb::kAllRows) == 0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  for (AcDb::RowType type : {AcDb::kDataRow, AcDb::kTitleRow, AcDb::kHeaderRow})
    if (rowTypes & type) m_rowStyles[rowStyleSlot(type)].textHeight = height;
  // The rows' setting replaces what their cells had.
  for (int r = 0; r < numRows(); ++r)
    if (rowTypes & rowType(r))
      for (int c = 0; c < numColumns(); ++c) cell(r, c)->textHeight = 0.0;
  return Acad::eOk;
}

AcDb::CellAlignment AcDbTable::alignment(int row, int column) const {
  const Cell* found = cell(row, column);
  if (found == nullptr) return AcDb::kTopLeft;
  return found->alignment != 0 ? static_cast<AcDb::CellAlignment>(found->alignment)
                               : m_rowStyles[rowStyleSlot(rowType(row))].alignment;
}

Acad::ErrorStatus AcDbTable::setAlignment(int row, int column, AcDb::CellAlignment alignment) {
  if (!inside(row, column) || !validAlignment(alignment)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  cell(row, column)->alignment = alignment;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTable::setAlignment(AcDb::CellAlignment alignment, int rowTypes) {
  if (!validAlignment(alignment) || (rowTypes & AcDb::kAllRows) == 0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  for (AcDb::RowType type : {AcDb::kDataRow, AcDb::kTitleRow, AcDb::kHeaderRow})
    if (rowTypes & type) m_rowStyles[rowStyleSlot(type)].alignment = alignment;
  for (int r = 0; r < numRows(); ++r)
    if (rowTypes & rowType(r))
      for (int c = 0; c < numColumns(); ++c) cell(r, c)->alignment = 0;
  return Acad::eOk;
}

AcGeVector3d AcDbTable::direction() const {
  return AcGeMatrix3d::planeToWorld(normal()) * AcGeMatrix3d::rotation(rotation(), AcGeVector3d::kZAxis) *
         AcGeVector3d::kXAxis;
}

Acad::ErrorStatus AcDbTable::prepareBlock(AcDbDatabase* db, AcDbBlockTableRecord*& block) {
  block = nullptr;
  if (!blockTableRecord().isNull() && !blockTableRecord().isErased()) {
    Acad::ErrorStatus status = acdbOpenObject(block, blockTableRecord(), AcDb::kForWrite);
    if (status != Acad::eOk) return status;
    for (const AcDbObjectId& id : block->entityIds()) {
      AcDbEntity* old = nullptr;
      if (acdbOpenObject(old, id, AcDb::kForWrite) != Acad::eOk) continue;
      old->erase();
      old->close();
    }
    return Acad::eOk;
  }
  AcDbBlockTable* table = nullptr;
  Acad::ErrorStatus status = db->getBlockTable(table, AcDb::kForWrite);
  if (status != Acad::eOk) return status;
  // Anonymous table blocks are "*T" and a number; the handle gives one no other table has.
  std::wstring name;
  for (Adesk::UInt64 number = handle().isNull() ? db->handseed().value() : handle().value();; ++number) {
    name = L"*T" + std::to_wstring(number);
    if (!table->has(name.c_str())) break;
  }
  auto record = std::make_unique<AcDbBlockTableRecord>();
  record->setName(name.c_str());
  AcDbObjectId recordId;
  status = table->add(recordId, record.get());
  table->close();
  if (status != Acad::eOk) return status;
  block = record.release();
  return setBlockTableRecord(recordId);
}

Acad::ErrorStatus AcDbTable::generateLayout() {
  AcDbDatabase* db = database() ? database() : acdbHostApplicationServices()->workingDatabase();
  if (db == nullptr) return Acad::eNotInDatabase;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  AcDbBlockTableRecord* block = nullptr;
  const Acad::ErrorStatus status = prepareBlock(db, block);
  if (status != Acad::eOk) {
    if (block) block->close();
    return status;
  }
  AcDbTablePainter(*this, block).paint();
  block->close();
  return Acad::eOk;
}

std::unique_ptr<AcDbObject> AcDbTable::carried() {
  auto table = std::make_unique<AcDbTable>();
  table->m_carried = true;
  return table;
}

void AcDbTable::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbBlockReference::dxfGroups(groups);
  if (!m_carried) groups.push_back({kMarker, 0});
}

bool AcDbTable::dxfOwns(const DxfGroup& group, int code) const {
  return group.is(kMarker) || AcDbBlockReference::dxfOwns(group, code);
}

void AcDbTable::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) AcDbBlockReference::dxfInField(group, in);
}

void AcDbTable::writeCell(const Cell& cell, int row, int column, DxfOutFiler& out) const {
  const bool merged = cell.covered || cell.rowSpan > 1 || cell.columnSpan > 1;
  out.integer(171, cell.type == AcDb::kBlockCell ? 2 : 1);
  out.integer(172, 0);
  out.integer(173, merged ? 1 : 0);
  out.integer(174, cell.autoFit ? 1 : 0);
  out.integer(175, cell.covered ? 0 : cell.columnSpan);
  out.integer(176, cell.covered ? 0 : cell.rowSpan);
  out.integer(91, 0);
  out.integer(178, 0);
  out.real(145, 0.0);
  if (cell.type == AcDb::kBlockCell) {
    out.objectId(340, cell.block);
    out.real(144, 1.0);
    out.integer(179, 0);
  } else {
    size_t start = 0;
    for (; cell.text.size() - start > kChunk; start += kChunk) out.text(2, cell.text.substr(start, kChunk));
    out.text(1, cell.text.substr(start));
  }
  out.real(140, textHeight(row, column));
  out.integer(170, alignment(row, column));
}

void AcDbTable::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbBlockReference::dxfOutFields(group, out);
  out.integer(280, 0);
  out.objectId(342, m_style);
  out.objectId(343, blockTableRecord());
  out.vector(11, direction());
  out.integer(90, 0);
  out.integer(91, numRows());
  out.integer(92, numColumns());
  for (int code = 93; code <= 96; ++code) out.integer(code, 0);
  for (double height : m_rowHeights) out.real(141, height);
  for (double width : m_columnWidths) out.real(142, width);
  for (int r = 0; r < numRows(); ++r)
    for (int c = 0; c < numColumns(); ++c) writeCell(*cell(r, c), r, c, out);
}
