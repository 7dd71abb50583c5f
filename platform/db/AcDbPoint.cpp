#include "AcDbPoint.h"

#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbPoint, AcDbEntity, L"POINT")

namespace {
constexpr std::string_view kMarker = "AcDbPoint";
}

AcDbPoint::AcDbPoint() = default;

AcDbPoint::AcDbPoint(const AcGePoint3d& position) : m_position(position) {}

Acad::ErrorStatus AcDbPoint::setPosition(const AcGePoint3d& position) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_position = position;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::getGeomExtents(AcDbExtents& extents) const {
  extents = AcDbExtents(m_position, m_position);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbPoint::transformBy(const AcGeMatrix3d& transform) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_position.transformBy(transform);
  const AcGeVector3d normal = transform * m_normal;
  if (!normal.isZeroLength()) m_normal = normal.normal();
  return Acad::eOk;
}

void AcDbPoint::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbEntity::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbPoint::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOwns(group, code);
  return code == 10 || code == 20 || code == 30 || code == 210 || code == 220 || code == 230;
}

void AcDbPoint::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbEntity::dxfInField(group, in);
  switch (in.code()) {
    case 10: m_position.x = in.real(); break;
    case 20: m_position.y = in.real(); break;
    case 30: m_position.z = in.real(); break;
    case 210: m_normal.x = in.real(); break;
    case 220: m_normal.y = in.real(); break;
    case 230: m_normal.z = in.real(); break;
  }
}

void AcDbPoint::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOutFields(group, out);
  out.point(10, m_position);
  if (m_normal != AcGeVector3d::kZAxis) out.vector(210, m_normal);
}
