#include "AcDbMInsertBlock.h"

#include <algorithm>

#include "AcDbExtents.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbMInsertBlock, AcDbBlockReference, L"INSERT")

namespace {

// The grid's subclass holds the reference's fields as well as its own.
constexpr std::string_view kMarker = "AcDbMInsertBlock";
const DxfGroup kReference{"AcDbBlockReference", 0};

bool isGridCode(int code) { return code == 70 || code == 71 || code == 44 || code == 45; }

// Counts are 16-bit in the file; nothing below one copy.
Adesk::Int16 countOf(long long value) { return static_cast<Adesk::Int16>(std::clamp(value, 1LL, 32767LL)); }

}  // namespace

AcDbMInsertBlock::AcDbMInsertBlock() = default;

AcGeVector3d AcDbMInsertBlock::cellOffset(int row, int column) const {
  const AcGeVector3d inPlane(column * m_columnSpacing, row * m_rowSpacing, 0.0);
  return AcGeMatrix3d::planeToWorld(normal()) * (AcGeMatrix3d::rotation(rotation(), AcGeVector3d::kZAxis) * inPlane);
}

Acad::ErrorStatus AcDbMInsertBlock::getGeomExtents(AcDbExtents& extents) const {
  AcDbExtents first;
  const Acad::ErrorStatus status = AcDbBlockReference::getGeomExtents(first);
  if (status != Acad::eOk) return status;
  extents = first;
  // The copies are the first moved: the corners of the grid hold them all.
  for (const AcGeVector3d& offset : {cellOffset(m_rows - 1, 0), cellOffset(0, m_columns - 1),
                                     cellOffset(m_rows - 1, m_columns - 1)}) {
    extents.addPoint(first.minPoint() + offset);
    extents.addPoint(first.maxPoint() + offset);
  }
  return Acad::eOk;
}

void AcDbMInsertBlock::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbEntity::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbMInsertBlock::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbBlockReference::dxfOwns(group, code);
  return isGridCode(code) || AcDbBlockReference::dxfOwns(kReference, code);
}

void AcDbMInsertBlock::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbBlockReference::dxfInField(group, in);
  switch (in.code()) {
    case 70: m_columns = countOf(in.integer()); break;
    case 71: m_rows = countOf(in.integer()); break;
    case 44: m_columnSpacing = in.real(); break;
    case 45: m_rowSpacing = in.real(); break;
    default: AcDbBlockReference::dxfInField(kReference, in);
  }
}

void AcDbMInsertBlock::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbBlockReference::dxfOutFields(group, out);
  AcDbBlockReference::dxfOutFields(kReference, out);
  if (m_columns != 1) out.integer(70, m_columns);
  if (m_rows != 1) out.integer(71, m_rows);
  if (m_columnSpacing != 0.0) out.real(44, m_columnSpacing);
  if (m_rowSpacing != 0.0) out.real(45, m_rowSpacing);
}
