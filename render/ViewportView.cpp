#include "ViewportView.h"

#include <cmath>

#include "AcDbObjectPointer.h"
#include "AcDbViewport.h"
#include "CurveShape.h"

std::optional<AcGeMatrix3d> ViewportView::modelToSheet(const AcDbViewport& viewport) {
  const double scale = viewport.height() / viewport.viewHeight();
  if (!std::isfinite(scale) || !(scale > 0.0) || !(viewport.width() > 0.0)) return std::nullopt;
  const AcGePoint3d target = viewport.viewTarget();
  const AcGePoint2d middle = viewport.viewCenter();
  const AcGePoint3d center = viewport.centerPoint();
  // The view's coordinates run from its target; its centre lands on the
  // viewport's centre.
  return AcGeMatrix3d::translation(AcGeVector3d(center.x, center.y, 0.0)) * AcGeMatrix3d::scaling(scale) *
         AcGeMatrix3d::translation(AcGeVector3d(-middle.x, -middle.y, 0.0)) *
         AcGeMatrix3d::rotation(viewport.twistAngle(), AcGeVector3d::kZAxis) *
         AcGeMatrix3d::translation(AcGeVector3d(-target.x, -target.y, 0.0));
}

PathData ViewportView::frame(const AcDbViewport& viewport, const AcGeMatrix3d& toWorld) {
  PathData path(toWorld);
  const AcGePoint3d center = viewport.centerPoint();
  const double halfWidth = viewport.width() / 2.0, halfHeight = viewport.height() / 2.0;
  path.moveTo(AcGePoint2d(center.x - halfWidth, center.y - halfHeight));
  path.lineTo(AcGePoint2d(center.x + halfWidth, center.y - halfHeight));
  path.lineTo(AcGePoint2d(center.x + halfWidth, center.y + halfHeight));
  path.lineTo(AcGePoint2d(center.x - halfWidth, center.y + halfHeight));
  path.close();
  return path;
}

PathData ViewportView::outline(const AcDbViewport& viewport, const AcGeMatrix3d& toWorld) {
  if (viewport.isNonRectClipOn()) {
    AcDbEntityPointer clip(viewport.nonRectClipEntityId(), AcDb::kForRead);
    if (clip) {
      std::optional<PathData> shape = CurveShape::of(*clip.object(), toWorld);
      if (shape && shape->isDrawable()) return *shape;
    }
  }
  return frame(viewport, toWorld);
}
