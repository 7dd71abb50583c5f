// A linetype; its dash pattern is kept as read.
#pragma once

#include <string>

#include "AcDbSymbolTableRecord.h"

class AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
  ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord)

 public:
  std::wstring comments() const { return m_comments; }
  Acad::ErrorStatus setComments(const ACHAR* comments);

 protected:
  std::string_view recordMarker() const override;
  bool dxfOwns(const DxfGroup& group, int code) const override;
  void dxfInField(const DxfGroup& group, DxfInFiler& in) override;
  void dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const override;

 private:
  std::wstring m_comments;
};
