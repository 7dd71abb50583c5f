// A table style (TABLESTYLE), listed under its name in the named objects'
// "ACAD_TABLESTYLE" dictionary: cell margins and, for each kind of row, the
// text style, height and alignment tables start from.  Styles read from a
// file are carried as read.
#pragma once

#include <string>

#include "AcDbObject.h"

class AcDbDatabase;

namespace AcDb {
enum RowType { kUnknownRow = 0, kDataRow = 1, kTitleRow = 2, kHeaderRow = 4, kAllRows = 7 };
enum CellAlignment {
  kTopLeft = 1, kTopCenter = 2, kTopRight = 3, kMiddleLeft = 4, kMiddleCenter = 5, kMiddleRight = 6,
  kBottomLeft = 7, kBottomCenter = 8, kBottomRight = 9
};
enum CellType { kUnknownCell = 0, kTextCell = 1, kBlockCell = 2 };
}  // namespace AcDb

class AcDbTableStyle : public AcDbObject {
  ACRX_DECLARE_MEMBERS(AcDbTableStyle)

 public:
  AcDbTableStyle();

  std::wstring description() const { return m_description; }
  Acad::ErrorStatus setDescription(const ACHAR* description);
  double horzCellMargin() const { return m_horizontalMargin; }
  double vertCellMargin() const { return m_verticalMargin; }
  Acad::ErrorStatus setHorzCellMargin(double margin);
  Acad::ErrorStatus setVertCellMargin(double margin);
  // Of one row type (kDataRow, kTitleRow or kHeaderRow); the setters take
  // several, or-ed.
  double textHeight(AcDb::RowType rowType) const;
  Acad::ErrorStatus setTextHeight(double height, int rowTypes);
  AcDb::CellAlignment alignment(AcDb::RowType rowType) const;
  Acad::ErrorStatus setAlignment(AcDb::CellAlignment alignment, int rowTypes);

  // The "Standard" style of the database, made together with the
  // dictionary when the drawing lacks them.
  static Acad::ErrorStatus standardStyle(AcDbDatabase* database, AcDbObjectId& style);

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  struct CellStyle {
    double textHeight;
    AcDb::CellAlignment alignment;
  };
  // Data, title and header rows, in the order of the file.
  static constexpr int kRowTypes = 3;
  static int slot(AcDb::RowType rowType);
  void writeCellStyle(const CellStyle& style, DxfOutFiler& out) const;

  std::wstring m_description = L"Standard";
  double m_horizontalMargin = 1.5;
  double m_verticalMargin = 1.5;
  CellStyle m_cells[kRowTypes] = {{4.5, AcDb::kMiddleCenter}, {6.0, AcDb::kTopCenter}, {6.0, AcDb::kTopCenter}};
};
