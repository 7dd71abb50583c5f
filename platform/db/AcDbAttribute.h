// An attribute (ATTRIB) of a block reference: a tagged text.
#pragma once

#include <cstdint>
#include <string>

#include "AcDbText.h"
#include "TextCodec.h"

class AcDbAttributeDefinition;

class AcDbAttribute : public AcDbText {
  ACRX_DECLARE_MEMBERS(AcDbAttribute)

 public:
  AcDbAttribute();
  AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                AcDbObjectId style = AcDbObjectId::kNull);

  std::wstring tag() const { return utf8ToWide(m_tag); }
  Acad::ErrorStatus setTag(const ACHAR* tag);
  bool isInvisible() const { return (m_flags & 1) != 0; }
  Acad::ErrorStatus setInvisible(bool invisible);
  bool isConstant() const { return (m_flags & 2) != 0; }
  bool isVerifiable() const { return (m_flags & 4) != 0; }
  bool isPreset() const { return (m_flags & 8) != 0; }
  std::uint16_t fieldLength() const { return m_fieldLength; }
  Acad::ErrorStatus setFieldLength(std::uint16_t length);

  // Takes the definition's properties, text, tag, flags and field length,
  // placed by the reference's block transform.
  Acad::ErrorStatus setAttributeFromBlock(const AcDbAttributeDefinition* definition,
                                          const AcGeMatrix3d& blockTransform);

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  // UTF-8: short ones need no allocation of their own.
  std::string m_tag;
  Adesk::Int16 m_flags = 0;
  std::uint16_t m_fieldLength = 0;
};
