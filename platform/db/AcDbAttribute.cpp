#include "AcDbAttribute.h"

#include "AcDbAttributeDefinition.h"
#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbAttribute, AcDbText, L"ATTRIB")

namespace {
constexpr std::string_view kMarker = "AcDbAttribute";
}

AcDbAttribute::AcDbAttribute() = default;

AcDbAttribute::AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag, AcDbObjectId style)
    : AcDbText(position, text, style), m_tag(wideToUtf8(tag ? tag : L"")) {}

Acad::ErrorStatus AcDbAttribute::setTag(const ACHAR* tag) {
  if (tag == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_tag = wideToUtf8(tag);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbAttribute::setInvisible(bool invisible) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_flags = static_cast<Adesk::Int16>(invisible ? (m_flags | 1) : (m_flags & ~1));
  return Acad::eOk;
}

Acad::ErrorStatus AcDbAttribute::setFieldLength(std::uint16_t length) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_fieldLength = length;
  return Acad::eOk;
}

Acad::ErrorStatus AcDbAttribute::setAttributeFromBlock(const AcDbAttributeDefinition* definition,
                                                       const AcGeMatrix3d& blockTransform) {
  if (definition == nullptr) return Acad::eNullObjectPointer;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  setPropertiesFrom(definition);
  setTextString(definition->textString().c_str());
  setPosition(definition->position());
  setAlignmentPoint(definition->alignmentPoint());
  setHeight(definition->height());
  setWidthFactor(definition->widthFactor());
  setRotation(definition->rotation());
  setOblique(definition->oblique());
  setTextStyle(definition->textStyle());
  setHorizontalMode(definition->horizontalMode());
  setVerticalMode(definition->verticalMode());
  setNormal(definition->normal());
  setThickness(definition->thickness());
  m_tag = wideToUtf8(definition->tag());
  m_flags = static_cast<Adesk::Int16>((definition->isInvisible() ? 1 : 0) | (definition->isConstant() ? 2 : 0) |
                                      (definition->isVerifiable() ? 4 : 0) | (definition->isPreset() ? 8 : 0));
  m_fieldLength = definition->fieldLength();
  return transformBy(blockTransform);
}

void AcDbAttribute::dxfGroups(std::vector<DxfGroup>& groups) const {
  dxfTextGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbAttribute::dxfOwns(const DxfGroup& group, int code) const {
  if (group.is(kMarker)) return code == 2 || code == 70 || code == 73 || code == 74;
  return AcDbText::dxfOwns(group, code);
}

void AcDbAttribute::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbText::dxfInField(group, in);
  switch (in.code()) {
    case 2: m_tag = wideToUtf8(in.text()); break;
    case 70: m_flags = static_cast<Adesk::Int16>(in.integer()); break;
    case 73: m_fieldLength = static_cast<std::uint16_t>(in.integer()); break;
    case 74: readTextField(in); break;
  }
}

void AcDbAttribute::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbText::dxfOutFields(group, out);
  out.text(2, utf8ToWide(m_tag));
  out.integer(70, m_flags);
  if (m_fieldLength != 0) out.integer(73, m_fieldLength);
  if (verticalMode() != AcDb::kTextBase) out.integer(74, verticalMode());
}
