// A layer: on/off, frozen, locked, plottable, its colour, linetype and
// lineweight.
#pragma once

#include "AcCmColor.h"
#include "AcDbSymbolTableRecord.h"

class AcDbLayerTableRecord : public AcDbSymbolTableRecord {
  ACRX_DECLARE_MEMBERS(AcDbLayerTableRecord)

 public:
  AcDbLayerTableRecord();

  bool isOff() const { return m_off; }
  Acad::ErrorStatus setIsOff(bool off);
  bool isFrozen() const { return (flags() & 1) != 0; }
  Acad::ErrorStatus setIsFrozen(bool frozen);
  bool isLocked() const { return (flags() & 4) != 0; }
  Acad::ErrorStatus setIsLocked(bool locked);
  bool isPlottable() const { return m_plottable; }
  Acad::ErrorStatus setIsPlottable(bool plottable);
  AcDb::LineWeight lineWeight() const { return m_lineWeight; }
  Acad::ErrorStatus setLineWeight(AcDb::LineWeight weight);
  AcCmColor color() const { return m_color; }
  Acad::ErrorStatus setColor(const AcCmColor& color);
  AcDbObjectId linetypeObjectId() const { return m_linetype; }
  Acad::ErrorStatus setLinetypeObjectId(AcDbObjectId linetype);

 protected:
  std::string_view recordMarker() const override;
  bool dxfOwns(const DxfGroup& group, int code) const override;
  void dxfInField(const DxfGroup& group, DxfInFiler& in) override;
  void dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const override;

 private:
  AcCmColor m_color;
  AcDbObjectId m_linetype;
  AcDb::LineWeight m_lineWeight = AcDb::kLnWtByLwDefault;
  bool m_off = false;
  bool m_plottable = true;
};
