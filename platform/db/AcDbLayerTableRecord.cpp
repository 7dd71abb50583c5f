#include "AcDbLayerTableRecord.h"

#include "AcDbDatabase.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbLayerTableRecord, AcDbSymbolTableRecord, L"LAYER")

AcDbLayerTableRecord::AcDbLayerTableRecord() { m_color.setColorIndex(7); }

std::string_view AcDbLayerTableRecord::recordMarker() const { return "AcDbLayerTableRecord"; }

Acad::ErrorStatus AcDbLayerTableRecord::setIsOff(bool off) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_off = off;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsFrozen(bool frozen) {
  return setFlag(1, frozen) ? Acad::eOk : Acad::eNotOpenForWrite;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsLocked(bool locked) {
  return setFlag(4, locked) ? Acad::eOk : Acad::eNotOpenForWrite;
}

Acad::ErrorStatus AcDbLayerTableRecord::setIsPlottable(bool plottable) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_plottable = plottable;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::setLineWeight(AcDb::LineWeight weight) {
  // A layer has a weight of its own or the default, never by layer or block.
  if (weight == AcDb::kLnWtByLayer || weight == AcDb::kLnWtByBlock || !acdbIsLineWeight(weight))
    return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_lineWeight = weight;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::setColor(const AcCmColor& color) {
  if (color.isByLayer() || color.isByBlock()) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_color = color;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbLayerTableRecord::setLinetypeObjectId(AcDbObjectId linetype) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_linetype = linetype;
  return Acad::eOk;
}

bool AcDbLayerTableRecord::dxfOwns(const DxfGroup& group, int code) const {
  if (AcDbSymbolTableRecord::dxfOwns(group, code)) return true;
  return group.is(recordMarker()) && (code == 62 || code == 420 || code == 6 || code == 290 || code == 370);
}

void AcDbLayerTableRecord::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  switch (in.code()) {
    case 62: {
      const long long index = in.integer();
      // A negative colour is how a file says the layer is off.
      m_off = index < 0;
      const auto palette = static_cast<std::uint16_t>(index < 0 ? -index : index);
      if (m_color.isByColor()) m_color.setTrueColor(m_color.rgb(), palette);
      else if (palette >= 1 && palette <= 255) m_color.setColorIndex(palette);
      break;
    }
    case 420:
      m_color.setTrueColor(static_cast<Adesk::UInt32>(in.integer()), m_color.colorIndex());
      break;
    case 6:
      m_linetype = in.record(in.database().linetypeTableId());
      break;
    case 290:
      m_plottable = in.flag();
      break;
    case 370:
      m_lineWeight = static_cast<AcDb::LineWeight>(in.integer());
      break;
    default:
      AcDbSymbolTableRecord::dxfInField(group, in);
  }
}

void AcDbLayerTableRecord::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  AcDbSymbolTableRecord::dxfOutFields(group, out);
  if (!group.is(recordMarker())) return;
  const int index = m_color.colorIndex();
  out.integer(62, m_off ? -index : index);
  if (m_color.isByColor()) out.integer(420, m_color.rgb());
  const std::wstring linetype = AcDbSymbolTableRecord::nameOf(m_linetype);
  out.text(6, linetype.empty() ? L"Continuous" : linetype);
  if (!m_plottable) out.integer(290, 0);
  out.integer(370, m_lineWeight);
}
