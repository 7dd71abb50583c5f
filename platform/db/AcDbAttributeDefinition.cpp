#include "AcDbAttributeDefinition.h"

#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDbAttributeDefinition, AcDbText, L"ATTDEF")

namespace {
constexpr std::string_view kMarker = "AcDbAttributeDefinition";
}

AcDbAttributeDefinition::AcDbAttributeDefinition() = default;

AcDbAttributeDefinition::AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                                                 const ACHAR* prompt, AcDbObjectId style)
    : AcDbText(position, text, style), m_tag(wideToUtf8(tag ? tag : L"")), m_prompt(wideToUtf8(prompt ? prompt : L"")) {}

Acad::ErrorStatus AcDbAttributeDefinition::setTag(const ACHAR* tag) {
  if (tag == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_tag = wideToUtf8(tag);
  return Acad::eOk;
}

Acad::ErrorStatus AcDbAttributeDefinition::setPrompt(const ACHAR* prompt) {
  if (prompt == nullptr) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_prompt = wideToUtf8(prompt);
  return Acad::eOk;
}

#define FLAG_SETTER(NAME, BIT)                                         \
  Acad::ErrorStatus AcDbAttributeDefinition::NAME(bool on) {           \
    if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;          \
    m_flags = static_cast<Adesk::Int16>(on ? (m_flags | BIT) : (m_flags & ~BIT)); \
    return Acad::eOk;                                                  \
  }
FLAG_SETTER(setInvisible, 1)
FLAG_SETTER(setConstant, 2)
FLAG_SETTER(setVerifiable, 4)
FLAG_SETTER(setPreset, 8)
#undef FLAG_SETTER

Acad::ErrorStatus AcDbAttributeDefinition::setFieldLength(std::uint16_t length) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_fieldLength = length;
  return Acad::eOk;
}

void AcDbAttributeDefinition::dxfGroups(std::vector<DxfGroup>& groups) const {
  dxfTextGroups(groups);
  groups.push_back({kMarker, 0});
}

bool AcDbAttributeDefinition::dxfOwns(const DxfGroup& group, int code) const {
  if (group.is(kMarker)) return code == 3 || code == 2 || code == 70 || code == 73 || code == 74;
  return AcDbText::dxfOwns(group, code);
}

void AcDbAttributeDefinition::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbText::dxfInField(group, in);
  switch (in.code()) {
    case 3: m_prompt = wideToUtf8(in.text()); break;
    case 2: m_tag = wideToUtf8(in.text()); break;
    case 70: m_flags = static_cast<Adesk::Int16>(in.integer()); break;
    case 73: m_fieldLength = static_cast<std::uint16_t>(in.integer()); break;
    case 74: readTextField(in); break;
  }
}

void AcDbAttributeDefinition::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (!group.is(kMarker)) return AcDbText::dxfOutFields(group, out);
  out.text(3, utf8ToWide(m_prompt));
  out.text(2, utf8ToWide(m_tag));
  out.integer(70, m_flags);
  if (m_fieldLength != 0) out.integer(73, m_fieldLength);
  if (verticalMode() != AcDb::kTextBase) out.integer(74, verticalMode());
}
