// A picked closed polyline on its way to becoming a space: the label point
// asked for, the outline brought out of the user coordinate system, and its
// area and perimeter measured.  Shared by the space creator and the
// gross-area command.
#pragma once

#include <string>

#include "Acad.h"
#include "AcDbObjectId.h"
#include "AcGePoint3d.h"

class CAcadDrawing;
class CBlockDWG;

class CSpaceOutline {
 public:
  CSpaceOutline(AcDbObjectId polyline, int units, int precision);

  // False, after saying why where the user needs to know, when no space
  // can be made: no label point, an outline that cannot be opened or is no
  // polyline.
  bool prepare(CAcadDrawing& drawing);
  // The same with the label point given rather than asked for.
  bool prepare(CAcadDrawing& drawing, const AcGePoint3d& labelPoint);
  // True for a closed polyline of three distinct vertices or more with an
  // extrusion direction; otherwise says why it cannot be a space.
  static bool isClosedOutline(AcDbObjectId polyline, bool forWrite);

  // Name, block name, measurements and the three labels.  Rounded: area
  // and perimeter as written rather than as measured.
  void fillSpace(CBlockDWG& space, const std::wstring& name, const std::wstring& blockName, double textSize,
                 double textScale, double textRotation, bool rounded) const;
  // Moves the outline into the space's new block and inserts the space at
  // the label point.
  Acad::ErrorStatus createBlockReference(CBlockDWG& space, CAcadDrawing& drawing, double textSize, double textScale,
                                         double textRotation) const;

 private:
  AcDbObjectId m_polyline;
  int m_units;
  int m_precision;
  AcGePoint3d m_labelPoint;
  double m_area = 0.0;
  double m_perimeter = 0.0;
};
