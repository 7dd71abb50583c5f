// A viewport of a paper space layout (VIEWPORT): where it stands on the
// sheet, the part of model space it shows (seen from above), and the
// layers frozen in it alone (group 331).  Its other settings (visual
// style, UCS, grid) are kept as read.
#pragma once

#include <unordered_set>

#include "AcDbEntity.h"
#include "AcGePoint2d.h"

class AcDbViewport : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbViewport)

 public:
  AcDbViewport();
  ~AcDbViewport() override;

  // Layers already frozen (thawed) are left as they are.
  Acad::ErrorStatus freezeLayersInViewport(const AcDbObjectIdArray& layers);
  Acad::ErrorStatus thawLayersInViewport(const AcDbObjectIdArray& layers);
  Acad::ErrorStatus thawAllLayersInViewport();
  bool isLayerFrozenInViewport(AcDbObjectId layer) const;
  // In the order they were frozen.
  Acad::ErrorStatus getFrozenLayerList(AcDbObjectIdArray& layers) const;

  // The viewport on the sheet, in paper space units.
  AcGePoint3d centerPoint() const;
  double width() const { return field(Field::Width); }
  double height() const { return field(Field::Height); }
  // 1 for the layout's own viewport (the sheet); 0 when unnumbered.
  int number() const { return static_cast<int>(field(Field::Number)); }
  // Off by its status or by its flags.
  bool isOn() const;
  // The view: the model space point at the viewport's centre, in view
  // coordinates about the target, how much of model space its height
  // shows, and the view's turn on the sheet.
  AcGePoint2d viewCenter() const;
  AcGePoint3d viewTarget() const;
  double viewHeight() const { return field(Field::ViewHeight); }
  // Radians; files give degrees.
  double twistAngle() const;
  // The entity whose outline clips the viewport, when the flags use it.
  AcDbObjectId nonRectClipEntityId() const { return m_clip; }
  bool isNonRectClipOn() const;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  // The settings before the frozen layers, in the order files give them.
  enum class Field {
    CenterX, CenterY, CenterZ, Width, Height, Status, Number, ViewCenterX, ViewCenterY, SnapBaseX, SnapBaseY,
    SnapSpacingX, SnapSpacingY, GridSpacingX, GridSpacingY, DirectionX, DirectionY, DirectionZ, TargetX,
    TargetY, TargetZ, LensLength, FrontClip, BackClip, ViewHeight, SnapAngle, Twist, CircleZoom, Count
  };
  static constexpr size_t kFields = static_cast<size_t>(Field::Count);
  double field(Field which) const { return m_fields[static_cast<size_t>(which)]; }

  double m_fields[kFields] = {};
  // Which settings the file gave, so a save writes those alone.
  std::uint32_t m_given = 0;
  AcDbObjectId m_clip;
  long long m_flags = 0;
  bool m_flagsGiven = false;
  AcDbObjectIdArray m_frozen;
  std::unordered_set<AcDbObjectId> m_frozenSet;
};
