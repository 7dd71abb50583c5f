// An attribute definition (ATTDEF) in a block definition: the tag, prompt
// and default text each reference's attribute starts from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "AcDbText.h"
#include "TextCodec.h"

class AcDbAttributeDefinition : public AcDbText {
  ACRX_DECLARE_MEMBERS(AcDbAttributeDefinition)

 public:
  AcDbAttributeDefinition();
  AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                          const ACHAR* prompt, AcDbObjectId style = AcDbObjectId::kNull);

  std::wstring tag() const { return utf8ToWide(m_tag); }
  std::string_view tagUtf8() const { return m_tag; }
  Acad::ErrorStatus setTag(const ACHAR* tag);
  std::wstring prompt() const { return utf8ToWide(m_prompt); }
  Acad::ErrorStatus setPrompt(const ACHAR* prompt);
  bool isInvisible() const { return (m_flags & 1) != 0; }
  Acad::ErrorStatus setInvisible(bool invisible);
  bool isConstant() const { return (m_flags & 2) != 0; }
  Acad::ErrorStatus setConstant(bool constant);
  bool isVerifiable() const { return (m_flags & 4) != 0; }
  Acad::ErrorStatus setVerifiable(bool verifiable);
  bool isPreset() const { return (m_flags & 8) != 0; }
  Acad::ErrorStatus setPreset(bool preset);
  std::uint16_t fieldLength() const { return m_fieldLength; }
  Acad::ErrorStatus setFieldLength(std::uint16_t length);

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  // UTF-8: short ones need no allocation of their own.
  std::string m_tag;
  std::string m_prompt;
  Adesk::Int16 m_flags = 0;
  std::uint16_t m_fieldLength = 0;
};
