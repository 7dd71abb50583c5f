#include "AcDbLayout.h"

#include "AcDbBlockTableRecord.h"
#include "AcDbStub.h"
#include "AcDbViewport.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbLayout, AcDbObject, L"LAYOUT")

namespace {
constexpr std::string_view kMarker = "AcDbLayout";
}

AcDbLayout::AcDbLayout() = default;

AcDbLayout::~AcDbLayout() = default;

Acad::ErrorStatus AcDbLayout::getLayoutName(std::wstring& name) const {
  name = m_name;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::setLayoutName(const ACHAR* name) {
  if (name == nullptr || *name == 0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_name = name;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::setTabOrder(int order) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_tabOrder = order;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLayout::setBlockTableRecordId(AcDbObjectId block) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_block = block;
  return Acad::eOk;
}

AcDbObjectIdArray AcDbLayout::getViewportArray() const {
  AcDbObjectIdArray viewports;
  if (const auto* block = residentObject<AcDbBlockTableRecord>(m_block))
    for (const AcDbObjectId& id : block->entityIds())
      if (id.objectClass() == AcDbViewport::desc()) viewports.push_back(id);
  return viewports;
}

void AcDbLayout::dxfGroups(std::vector<DxfGroup>& groups) const { groups.push_back({kMarker, 0}); }

bool AcDbLayout::dxfOwns(const DxfGroup& group, int code) const {
  return group.is(kMarker) && (code == 1 || code == 71 || code == 330);
}

void AcDbLayout::dxfInField(const DxfGroup&, DxfInFiler& in) {
  switch (in.code()) {
    case 1:
      m_name = in.text();
      break;
    case 71:
      m_tabOrder = static_cast<int>(in.integer());
      break;
    case 330:
      m_block = in.objectId();
      break;
  }
}

void AcDbLayout::dxfOutFields(const DxfGroup&, DxfOutFiler& out) const {
  out.text(1, m_name);
  out.integer(71, m_tabOrder);
  out.objectId(330, m_block);
}
