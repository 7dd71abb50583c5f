#include "AcDbLinetypeTableRecord.h"

#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbLinetypeTableRecord, AcDbSymbolTableRecord, L"LTYPE")

std::string_view AcDbLinetypeTableRecord::recordMarker() const { return "AcDbLinetypeTableRecord"; }

Acad::ErrorStatus AcDbLinetypeTableRecord::setComments(const ACHAR* comments) {
  if (comments == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_comments = comments;
  return Acad::eOk;
}

bool AcDbLinetypeTableRecord::dxfOwns(const DxfGroup& group, int code) const {
  return AcDbSymbolTableRecord::dxfOwns(group, code) || (group.is(recordMarker()) && code == 3);
}

void AcDbLinetypeTableRecord::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (in.code() == 3) m_comments = in.text();
  else AcDbSymbolTableRecord::dxfInField(group, in);
}

void AcDbLinetypeTableRecord::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  AcDbSymbolTableRecord::dxfOutFields(group, out);
  if (group.is(recordMarker())) out.text(3, m_comments);
}
