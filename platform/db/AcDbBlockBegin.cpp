#include "AcDbBlockBegin.h"

#include "DxfInFiler.h"
#include "DxfOutFiler.h"
#include "TextCodec.h"

ACRX_DEFINE_MEMBERS(AcDbBlockBegin, AcDbEntity, L"BLOCK")

namespace {
constexpr std::string_view kMarker = "AcDbBlockBegin";
}

std::wstring AcDbBlockBegin::name() const { return utf8ToWide(m_name); }

std::wstring AcDbBlockBegin::pathName() const { return utf8ToWide(m_path); }

void AcDbBlockBegin::setName(const std::wstring& name) {
  if (assertWriteEnabled()) m_name = wideToUtf8(name);
}

void AcDbBlockBegin::setOrigin(const AcGePoint3d& origin) {
  if (assertWriteEnabled()) m_origin = origin;
}

void AcDbBlockBegin::setBlockFlags(Adesk::Int16 flags) {
  if (assertWriteEnabled()) m_flags = flags;
}

void AcDbBlockBegin::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbEntity::dxfGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbBlockBegin::dxfOwns(const DxfGroup& group, int code) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOwns(group, code);
  return code == 2 || code == 3 || code == 70 || code == 10 || code == 20 || code == 30 || code == 1;
}

void AcDbBlockBegin::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbEntity::dxfInField(group, in);
  switch (in.code()) {
    case 2: m_name = wideToUtf8(in.text()); break;
    case 70: m_flags = static_cast<Adesk::Int16>(in.integer()); break;
    case 10: m_origin.x = in.real(); break;
    case 20: m_origin.y = in.real(); break;
    case 30: m_origin.z = in.real(); break;
    case 1: m_path = wideToUtf8(in.text()); break;
  }
}

void AcDbBlockBegin::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbEntity::dxfOutFields(group, out);
  const std::wstring name = this->name();
  out.text(2, name);
  out.integer(70, m_flags);
  out.point(10, m_origin);
  out.text(3, name);
  out.text(1, pathName());
}
