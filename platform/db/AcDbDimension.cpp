#include "AcDbDimension.h"

#include "AcDbDatabase.h"
#include "AcDbSymbolTableRecord.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbDimension, AcDbEntity, L"DIMENSION")

namespace {
constexpr std::string_view kMarker = "AcDbDimension";
}

AcDbDimension::AcDbDimension() = default;

void AcDbDimension::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbEntity::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbDimension::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOwns(group, code);
  return code == 2;
}

void AcDbDimension::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbEntity::dxfInField(group, in);
  m_block = in.record(in.database().blockTableId());
  if (m_block.isNull()) m_missingBlock = in.text();
}

void AcDbDimension::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOutFields(group, out);
  out.text(2, m_block.isNull() ? m_missingBlock : AcDbSymbolTableRecord::nameOf(m_block));
}
