#include "AcDbSolid.h"

#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbSolid, AcDbEntity, L"SOLID")

namespace {
// SOLID shares its subclass with TRACE.
constexpr std::string_view kMarker = "AcDbTrace";
}

AcDbSolid::AcDbSolid() = default;

AcDbSolid::AcDbSolid(const AcGePoint3d& first, const AcGePoint3d& second, const AcGePoint3d& third,
                     const AcGePoint3d& fourth)
    : m_corners{first, second, third, fourth} {}

Acad::ErrorStatus AcDbSolid::getPointAt(int index, AcGePoint3d& point) const {
  if (index < 0 || index > 3) return Acad::eInvalidInput;
  point = m_corners[index];
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::setPointAt(int index, const AcGePoint3d& point) {
  if (index < 0 || index > 3) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_corners[index] = point;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbSolid::getGeomExtents(AcDbExtents& extents) const {
  extents = AcDbExtents();
  const AcGeMatrix3d toWorld = AcGeMatrix3d::planeToWorld(m_normal);
  for (const AcGePoint3d& corner : m_corners) extents.addPoint(toWorld * corner);
  return Acad::eOk;
}

void AcDbSolid::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbEntity::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbSolid::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOwns(group, code);
  const int axis = code / 10;
  return (axis >= 1 && axis <= 3 && code % 10 <= 3) || code == 39 || code == 210 || code == 220 || code == 230;
}

void AcDbSolid::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbEntity::dxfInField(group, in);
  const int code = in.code();
  if (code == 39) m_thickness = in.real();
  else if (code >= 210) m_normal[code / 10 - 21] = in.real();
  else m_corners[code % 10][code / 10 - 1] = in.real();
}

void AcDbSolid::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOutFields(group, out);
  for (int index = 0; index < 4; ++index) out.point(10 + index, m_corners[index]);
  if (m_thickness != 0.0) out.real(39, m_thickness);
  if (m_normal != AcGeVector3d::kZAxis) out.vector(210, m_normal);
}
