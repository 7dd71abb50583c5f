// A text style: font file, fixed height, width factor, oblique angle.
#pragma once

#include <string>

#include "AcDbSymbolTableRecord.h"

class AcDbTextStyleTableRecord : public AcDbSymbolTableRecord {
  ACRX_DECLARE_MEMBERS(AcDbTextStyleTableRecord)

 public:
  std::wstring fileName() const { return m_fileName; }
  Acad::ErrorStatus setFileName(const ACHAR* fileName);
  std::wstring bigFontFileName() const { return m_bigFontFileName; }
  Acad::ErrorStatus setBigFontFileName(const ACHAR* fileName);
  // 0 when texts choose their own height.
  double textSize() const { return m_textSize; }
  Acad::ErrorStatus setTextSize(double size);
  double xScale() const { return m_xScale; }
  Acad::ErrorStatus setXScale(double factor);
  double obliquingAngle() const { return m_oblique; }
  Acad::ErrorStatus setObliquingAngle(double angle);
  double priorSize() const { return m_priorSize; }
  Acad::ErrorStatus setPriorSize(double size);

 protected:
  std::string_view recordMarker() const override;
  bool dxfOwns(const DxfGroup& group, int code) const override;
  void dxfInField(const DxfGroup& group, DxfInFiler& in) override;
  void dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const override;

 private:
  std::wstring m_fileName;
  std::wstring m_bigFontFileName;
  double m_textSize = 0.0;
  double m_xScale = 1.0;
  double m_oblique = 0.0;
  double m_priorSize = 2.5;
  Adesk::Int16 m_generation = 0;
};
