#include "AcDbLinetypeTableRecord.h"

#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbLinetypeTableRecord, AcDbSymbolTableRecord, L"LTYPE")

namespace {

constexpr int kPatternLength = 40;
constexpr int kDashLength = 49;

// The alignment, counts, dashes and each element's shape or text.
bool isPatternCode(int code) {
  switch (code) {
    case 72: case 73: case kPatternLength: case kDashLength: case 74: case 75:
    case 340: case 46: case 50: case 44: case 45: case 9:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string_view AcDbLinetypeTableRecord::recordMarker() const { return "AcDbLinetypeTableRecord"; }

Acad::ErrorStatus AcDbLinetypeTableRecord::setComments(const ACHAR* comments) {
  if (comments == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_comments = comments;
  return Acad::eOk;
}

double AcDbLinetypeTableRecord::dashLengthAt(int index) const {
  return index >= 0 && index < numDashes() ? m_dashes[static_cast<size_t>(index)] : 0.0;
}

bool AcDbLinetypeTableRecord::dxfOwns(const DxfGroup& group, int code) const {
  return AcDbSymbolTableRecord::dxfOwns(group, code) || (group.is(recordMarker()) && (code == 3 || isPatternCode(code)));
}

void AcDbLinetypeTableRecord::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  const int code = in.code();
  if (code == 3) {
    m_comments = in.text();
  } else if (isPatternCode(code)) {
    in.check();
    m_pattern.emplace_back(code, std::string(in.raw()));
    if (code == kPatternLength) m_patternLength = in.real();
    if (code == kDashLength) m_dashes.push_back(in.real());
  } else {
    AcDbSymbolTableRecord::dxfInField(group, in);
  }
}

void AcDbLinetypeTableRecord::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  AcDbSymbolTableRecord::dxfOutFields(group, out);
  if (!group.is(recordMarker())) return;
  out.text(3, m_comments);
  for (const auto& [code, value] : m_pattern) out.tag(code, value);
  // Other programs read no linetype without its alignment, count and length.
  if (!m_pattern.empty()) return;
  out.integer(72, 'A');
  out.integer(73, 0);
  out.real(kPatternLength, 0.0);
}
