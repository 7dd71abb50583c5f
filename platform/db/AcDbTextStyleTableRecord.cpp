#include "AcDbTextStyleTableRecord.h"

#include "AcGeConstants.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbTextStyleTableRecord, AcDbSymbolTableRecord, L"STYLE")

namespace {
constexpr double kDegrees = 180.0 / kPi;
}

std::string_view AcDbTextStyleTableRecord::recordMarker() const { return "AcDbTextStyleTableRecord"; }

#define STYLE_SETTER(NAME, TYPE, FIELD)                             \
  Acad::ErrorStatus AcDbTextStyleTableRecord::NAME(TYPE value) {    \
    if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;       \
    FIELD = value;                                                  \
    return Acad::eOk;                                               \
  }
STYLE_SETTER(setTextSize, double, m_textSize)
STYLE_SETTER(setXScale, double, m_xScale)
STYLE_SETTER(setObliquingAngle, double, m_oblique)
STYLE_SETTER(setPriorSize, double, m_priorSize)
#undef STYLE_SETTER

Acad::ErrorStatus AcDbTextStyleTableRecord::setFileName(const ACHAR* fileName) {
  if (fileName == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_fileName = fileName;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbTextStyleTableRecord::setBigFontFileName(const ACHAR* fileName) {
  if (fileName == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_bigFontFileName = fileName;
  return Acad::eOk;
}

bool AcDbTextStyleTableRecord::dxfOwns(const DxfGroup& group, int code) const {
  if (AcDbSymbolTableRecord::dxfOwns(group, code)) return true;
  if (!group.is(recordMarker())) return false;
  return code == 40 || code == 41 || code == 50 || code == 71 || code == 42 || code == 3 || code == 4;
}

void AcDbTextStyleTableRecord::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  switch (in.code()) {
    case 40: m_textSize = in.real(); break;
    case 41: m_xScale = in.real(); break;
    case 50: m_oblique = in.real() / kDegrees; break;
    case 71: m_generation = static_cast<Adesk::Int16>(in.integer()); break;
    case 42: m_priorSize = in.real(); break;
    case 3: m_fileName = in.text(); break;
    case 4: m_bigFontFileName = in.text(); break;
    default: AcDbSymbolTableRecord::dxfInField(group, in);
  }
}

void AcDbTextStyleTableRecord::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  AcDbSymbolTableRecord::dxfOutFields(group, out);
  if (!group.is(recordMarker())) return;
  out.real(40, m_textSize);
  out.real(41, m_xScale);
  out.real(50, m_oblique * kDegrees);
  out.integer(71, m_generation);
  out.real(42, m_priorSize);
  out.text(3, m_fileName);
  out.text(4, m_bigFontFileName);
}
