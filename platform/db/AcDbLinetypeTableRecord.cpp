#include "AcDbLinetypeTableRecord.h"

#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbLinetypeTableRecord, AcDbSymbolTableRecord, L"LTYPE")

namespace {

constexpr int kPatternLength = 40;
constexpr int kDashLength = 49;
// An element's flags: its rotation is absolute; it carries a text, a shape.
constexpr int kAbsolute = 1;
constexpr int kText = 2;
constexpr int kShape = 4;

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

const AcDbLinetypeTableRecord::Dash* AcDbLinetypeTableRecord::dashAt(int index) const {
  return index >= 0 && index < numDashes() ? &m_dashes[static_cast<size_t>(index)] : nullptr;
}

double AcDbLinetypeTableRecord::dashLengthAt(int index) const {
  const Dash* dash = dashAt(index);
  return dash != nullptr ? dash->length : 0.0;
}

int AcDbLinetypeTableRecord::shapeNumberAt(int index) const {
  const Dash* dash = dashAt(index);
  return dash != nullptr && (dash->flags & kShape) != 0 ? dash->shape : 0;
}

AcDbObjectId AcDbLinetypeTableRecord::shapeStyleAt(int index) const {
  const Dash* dash = dashAt(index);
  return dash != nullptr ? dash->style : AcDbObjectId();
}

double AcDbLinetypeTableRecord::shapeScaleAt(int index) const {
  const Dash* dash = dashAt(index);
  return dash != nullptr ? dash->scale : 0.0;
}

double AcDbLinetypeTableRecord::shapeRotationAt(int index) const {
  const Dash* dash = dashAt(index);
  return dash != nullptr ? dash->rotation : 0.0;
}

bool AcDbLinetypeTableRecord::shapeIsUcsOrientedAt(int index) const {
  const Dash* dash = dashAt(index);
  return dash != nullptr && (dash->flags & kAbsolute) != 0;
}

AcGeVector2d AcDbLinetypeTableRecord::shapeOffsetAt(int index) const {
  const Dash* dash = dashAt(index);
  return dash != nullptr ? dash->offset : AcGeVector2d();
}

std::wstring AcDbLinetypeTableRecord::textAt(int index) const {
  const Dash* dash = dashAt(index);
  return dash != nullptr && (dash->flags & kText) != 0 ? dash->text : std::wstring();
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
    if (code == kDashLength) {
      m_dashes.emplace_back();
      m_dashes.back().length = in.real();
    } else if (code != kPatternLength && !m_dashes.empty()) readEmbedded(in, m_dashes.back());
  } else {
    AcDbSymbolTableRecord::dxfInField(group, in);
  }
}

void AcDbLinetypeTableRecord::readEmbedded(DxfInFiler& in, Dash& dash) {
  switch (in.code()) {
    case 74: dash.flags = static_cast<int>(in.integer()); break;
    case 75: dash.shape = static_cast<int>(in.integer()); break;
    case 340: dash.style = in.objectId(); break;
    case 46: dash.scale = in.real(); break;
    case 50: dash.rotation = in.real(); break;
    case 44: dash.offset.x = in.real(); break;
    case 45: dash.offset.y = in.real(); break;
    case 9: dash.text = in.text(); break;
    default: break;
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
