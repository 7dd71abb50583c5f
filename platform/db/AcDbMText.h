// Multi-line text (MTEXT): a text with inline formatting codes ("\\" is one
// backslash) hung on its location by one of nine attachment points.  Made
// by the platform for the cells of tables.
#pragma once

#include <string>
#include <string_view>

#include "AcDbEntity.h"

class AcDbMText : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbMText)

 public:
  enum AttachmentPoint {
    kTopLeft = 1, kTopCenter = 2, kTopRight = 3, kMiddleLeft = 4, kMiddleCenter = 5, kMiddleRight = 6,
    kBottomLeft = 7, kBottomCenter = 8, kBottomRight = 9
  };

  AcDbMText();

  std::wstring contents() const;
  // The same contents as UTF-8, without a copy.
  std::string_view contentsUtf8() const { return m_contents; }
  Acad::ErrorStatus setContents(const ACHAR* text);
  AcGePoint3d location() const { return m_location; }
  Acad::ErrorStatus setLocation(const AcGePoint3d& point);
  double textHeight() const { return m_height; }
  Acad::ErrorStatus setTextHeight(double height);
  // The width lines wrap at; 0 for no wrapping.
  double width() const { return m_width; }
  Acad::ErrorStatus setWidth(double width);
  AttachmentPoint attachment() const { return m_attachment; }
  Acad::ErrorStatus setAttachment(AttachmentPoint attachment);
  AcDbObjectId textStyle() const { return m_style; }
  Acad::ErrorStatus setTextStyle(AcDbObjectId style);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
  // The direction of the lines in world coordinates.
  AcGeVector3d direction() const { return m_direction; }
  Acad::ErrorStatus setDirection(const AcGeVector3d& direction);

  Acad::ErrorStatus transformBy(const AcGeMatrix3d& transform) override;

 protected:
  ACDB_DECLARE_DXF_FIELDS
  void dxfInDone(DxfInFiler& in) override;

 private:
  // UTF-8, a quarter of a wide string's size for the longest texts.
  std::string m_contents;
  AcGePoint3d m_location;
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
  AcGeVector3d m_direction = AcGeVector3d::kXAxis;
  AcDbObjectId m_style;
  double m_height = 1.0;
  double m_width = 0.0;
  AttachmentPoint m_attachment = kTopLeft;
};
