#include "AcDbBlockEnd.h"

ACRX_DEFINE_MEMBERS(AcDbBlockEnd, AcDbEntity, L"ENDBLK")

void AcDbBlockEnd::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbEntity::dxfGroups(groups);
  groups.push_back({"AcDbBlockEnd", 0});
}
