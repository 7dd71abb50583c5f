#include "AcDbTableStyle.h"

#include <memory>

#include "AcDbDatabase.h"
#include "AcDbDictionary.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbTableStyle, AcDbObject, L"TABLESTYLE")

namespace {
constexpr std::string_view kMarker = "AcDbTableStyle";
constexpr const ACHAR* kDictionary = L"ACAD_TABLESTYLE";
constexpr const ACHAR* kStandard = L"Standard";
}  // namespace

AcDbTableStyle::AcDbTableStyle() = default;

Acad::ErrorStatus AcDbTableStyle::setDescription(const ACHAR* description) {
  if (description == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_description = description;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTableStyle::setHorzCellMargin(double margin) {
  if (!(margin >= 0.0)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_horizontalMargin = margin;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTableStyle::setVertCellMargin(double margin) {
  if (!(margin >= 0.0)) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_verticalMargin = margin;
  return Acad::eOk;
}

int AcDbTableStyle::slot(AcDb::RowType rowType) {
  switch (rowType) {
    case AcDb::kTitleRow: return 1;
    case AcDb::kHeaderRow: return 2;
    default: return 0;
  }
}

double AcDbTableStyle::textHeight(AcDb::RowType rowType) const { return m_cells[slot(rowType)].textHeight; }

AcDb::CellAlignment AcDbTableStyle::alignment(AcDb::RowType rowType) const {
  return m_cells[slot(rowType)].alignment;
}

Acad::ErrorStatus AcDbTableStyle::setTextHeight(double height, int rowTypes) {
  if (!(height > 0.0) || (rowTypes & AcDb::kAllRows) == 0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  for (AcDb::RowType type : {AcDb::kDataRow, AcDb::kTitleRow, AcDb::kHeaderRow})
    if (rowTypes & type) m_cells[slot(type)].textHeight = height;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTableStyle::setAlignment(AcDb::CellAlignment alignment, int rowTypes) {
  if (alignment < AcDb::kTopLeft || alignment > AcDb::kBottomRight || (rowTypes & AcDb::kAllRows) == 0)
    return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  for (AcDb::RowType type : {AcDb::kDataRow, AcDb::kTitleRow, AcDb::kHeaderRow})
    if (rowTypes & type) m_cells[slot(type)].alignment = alignment;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTableStyle::standardStyle(AcDbDatabase* database, AcDbObjectId& style) {
  style.setNull();
  if (database == nullptr) return Acad::eNotInDatabase;
  AcDbDictionary* named = nullptr;
  Acad::ErrorStatus status = database->getNamedObjectsDictionary(named, AcDb::kForRead);
  if (status != Acad::eOk) return status;
  AcDbObjectId dictionaryId;
  if (named->getAt(kDictionary, dictionaryId) != Acad::eOk) {
    status = named->upgradeOpen();
    if (status == Acad::eOk) {
      auto dictionary = std::make_unique<AcDbDictionary>();
      status = named->setAt(kDictionary, dictionary.get(), dictionaryId);
      if (status == Acad::eOk) dictionary.release()->close();
    }
  }
  named->close();
  if (status != Acad::eOk) return status;
  AcDbDictionary* styles = nullptr;
  status = acdbOpenObject(styles, dictionaryId, AcDb::kForRead);
  if (status != Acad::eOk) return status;
  if (styles->getAt(kStandard, style) != Acad::eOk) {
    status = styles->upgradeOpen();
    if (status == Acad::eOk) {
      auto standard = std::make_unique<AcDbTableStyle>();
      status = styles->setAt(kStandard, standard.get(), style);
      if (status == Acad::eOk) standard.release()->close();
    }
  }
  styles->close();
  return status;
}

void AcDbTableStyle::dxfGroups(std::vector<DxfGroup>& groups) const { groups.push_back({kMarker, 0}); }

bool AcDbTableStyle::dxfOwns(const DxfGroup&, int) const {
  // Never read: styles of files are carried as read.
  return false;
}

void AcDbTableStyle::dxfInField(const DxfGroup&, DxfInFiler&) {}

void AcDbTableStyle::writeCellStyle(const CellStyle& style, DxfOutFiler& out) const {
  out.tag(7, "Standard");
  out.real(140, style.textHeight);
  out.integer(170, style.alignment);
  out.integer(62, 0);
  out.integer(63, 7);
  out.integer(283, 0);
  out.integer(90, 512);
  out.integer(91, 0);
  out.tag(1, "");
  for (int code = 274; code <= 279; ++code) out.integer(code, -2);
  for (int code = 284; code <= 289; ++code) out.integer(code, 1);
  for (int code = 64; code <= 69; ++code) out.integer(code, 0);
}

void AcDbTableStyle::dxfOutFields(const DxfGroup&, DxfOutFiler& out) const {
  out.integer(280, 0);
  out.text(3, m_description);
  out.integer(70, 0);
  out.integer(71, 0);
  out.real(40, m_horizontalMargin);
  out.real(41, m_verticalMargin);
  out.integer(280, 0);
  out.integer(281, 0);
  for (const CellStyle& style : m_cells) writeCellStyle(style, out);
}
