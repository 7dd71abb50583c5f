// A single line of text.  Left-aligned text stands at position(); other
// alignments hang on alignmentPoint().  Angles are radians.
#pragma once

#include <string>
#include <string_view>

#include "AcDbEntity.h"

namespace AcDb {
enum TextHorzMode { kTextLeft = 0, kTextCenter = 1, kTextRight = 2, kTextAlign = 3, kTextMid = 4, kTextFit = 5 };
enum TextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };
}  // namespace AcDb

class AcDbText : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbText)

 public:
  AcDbText();
  AcDbText(const AcGePoint3d& position, const ACHAR* text, AcDbObjectId style = AcDbObjectId::kNull,
           double height = 0.0, double rotation = 0.0);

  std::wstring textString() const;
  // The same text as UTF-8, without a copy: the host's renderer reads
  // texts of any length through it.
  std::string_view textStringUtf8() const { return m_text; }
  Acad::ErrorStatus setTextString(const ACHAR* text);
  AcGePoint3d position() const { return m_position; }
  Acad::ErrorStatus setPosition(const AcGePoint3d& position);
  AcGePoint3d alignmentPoint() const { return m_alignment; }
  Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& point);
  bool isDefaultAlignment() const;
  double height() const { return m_height; }
  Acad::ErrorStatus setHeight(double height);
  double widthFactor() const { return m_widthFactor; }
  Acad::ErrorStatus setWidthFactor(double factor);
  double rotation() const { return m_rotation; }
  Acad::ErrorStatus setRotation(double angle);
  double oblique() const { return m_oblique; }
  Acad::ErrorStatus setOblique(double angle);
  AcDbObjectId textStyle() const { return m_style; }
  Acad::ErrorStatus setTextStyle(AcDbObjectId style);
  AcDb::TextHorzMode horizontalMode() const { return m_horizontal; }
  Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode mode);
  AcDb::TextVertMode verticalMode() const { return m_vertical; }
  Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode mode);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
  double thickness() const { return m_thickness; }
  Acad::ErrorStatus setThickness(double thickness);
  bool isMirroredInX() const { return (m_generation & 2) != 0; }
  bool isMirroredInY() const { return (m_generation & 4) != 0; }

  // Estimated from height, width factor and the number of characters.
  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;
  Acad::ErrorStatus transformBy(const AcGeMatrix3d& transform) override;

 protected:
  ACDB_DECLARE_DXF_FIELDS
  void dxfInDone(DxfInFiler& in) override;
  // The fields of the first "AcDbText" group, shared by attributes.
  bool ownsTextField(int code) const;
  void readTextField(DxfInFiler& in);
  void writeTextFields(DxfOutFiler& out) const;
  void dxfTextGroups(std::vector<DxfGroup>& groups) const;

 private:
  // UTF-8: short texts then fit in the string itself.
  std::string m_text;
  AcGePoint3d m_position;
  AcGePoint3d m_alignment;
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
  AcDbObjectId m_style;
  double m_height = 0.0;
  double m_widthFactor = 1.0;
  double m_rotation = 0.0;
  double m_oblique = 0.0;
  double m_thickness = 0.0;
  AcDb::TextHorzMode m_horizontal = AcDb::kTextLeft;
  AcDb::TextVertMode m_vertical = AcDb::kTextBase;
  Adesk::Int16 m_generation = 0;
  bool m_hasAlignmentPoint = false;
};
