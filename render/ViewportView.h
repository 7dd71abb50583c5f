// What a viewport of a paper space layout shows: model space seen from
// above, turned by the view's twist and scaled so its view height fills the
// viewport's height, cut to the viewport's outline on the sheet.
#pragma once

#include <optional>

#include "AcGeMatrix3d.h"
#include "PathData.h"

class AcDbViewport;

class ViewportView {
 public:
  // Model space to the sheet; none for a viewport whose sizes leave
  // nothing to show.
  static std::optional<AcGeMatrix3d> modelToSheet(const AcDbViewport& viewport);
  // The viewport's rectangle on the sheet.
  static PathData frame(const AcDbViewport& viewport, const AcGeMatrix3d& toWorld);
  // What cuts the view: the entity that clips the viewport when it has
  // one, else its rectangle.
  static PathData outline(const AcDbViewport& viewport, const AcGeMatrix3d& toWorld);
};
