#include "PointSymbols.h"

#include <cmath>

#include "AcDbDatabase.h"
#include "AcDbPoint.h"
#include "AcGeConstants.h"
#include "CarriedTags.h"
#include "PathData.h"
#include "SvgCanvas.h"

namespace {

enum Mode { kDot = 0, kPlus = 2, kCross = 3, kTick = 4, kCircle = 32, kSquare = 64 };

// A size of 0 shows points 5 % of the view high.
constexpr double kDefaultShare = 0.05;

}  // namespace

PointSymbols::PointSymbols(const AcDbDatabase& database, SvgCanvas& canvas)
    : m_canvas(canvas), m_mode(database.pdmode()), m_size(database.pdsize()) {}

pugi::xml_node PointSymbols::add(const AcDbPoint& point, const AcGeMatrix3d& toWorld, pugi::xml_node parent) {
  const int mark = m_mode & 7;
  if (mark == kDot) {
    // A segment of no length shows as its round cap.
    PathData dot(toWorld);
    dot.moveTo(point.position());
    dot.lineTo(point.position());
    pugi::xml_node element = m_canvas.addPath(parent, dot);
    if (element) m_canvas.setDot(element);
    return element;
  }
  const bool lines = mark == kPlus || mark == kCross || mark == kTick;
  if (!lines && (m_mode & (kCircle | kSquare)) == 0) return pugi::xml_node();
  // The angle of the UCS the point was drawn in turns its symbol, clockwise.
  const double angle = CarriedTags(point.dxfTags()).real(50) * kPi / 180.0;
  const AcGeMatrix3d frame = toWorld * AcGeMatrix3d::translation(point.position() - AcGePoint3d::kOrigin) *
                             AcGeMatrix3d::rotation(-angle, AcGeVector3d::kZAxis);
  if (m_size > 0.0) return m_canvas.addPath(parent, symbol(frame * AcGeMatrix3d::scaling(m_size)));
  PathData at(toWorld);
  at.moveTo(point.position());
  if (!at.isDrawable()) return pugi::xml_node();
  m_canvas.include(at.extents());
  pugi::xml_node element = parent.append_child("path");
  m_pending.push_back({element, frame});
  return element;
}

void PointSymbols::finish(double viewHeight) {
  const double size = viewHeight * (m_size == 0.0 ? kDefaultShare : -m_size / 100.0);
  for (Pending& pending : m_pending) {
    // The symbol is as big in the picture however large its block is placed.
    const double scale = pending.frame.scale();
    const PathData path = symbol(pending.frame * AcGeMatrix3d::scaling(scale > 0.0 ? size / scale : size));
    pending.element.append_attribute("d") = path.data().c_str();
  }
}

PathData PointSymbols::symbol(const AcGeMatrix3d& frame) const {
  PathData path(frame);
  const auto segment = [&path](double x1, double y1, double x2, double y2) {
    path.moveTo(AcGePoint2d(x1, y1));
    path.lineTo(AcGePoint2d(x2, y2));
  };
  const int mark = m_mode & 7;
  if (mark == kPlus) {
    segment(-1, 0, 1, 0);
    segment(0, -1, 0, 1);
  } else if (mark == kCross) {
    segment(-1, -1, 1, 1);
    segment(-1, 1, 1, -1);
  } else if (mark == kTick) {
    segment(0, 0, 0, 0.5);
  }
  if ((m_mode & kCircle) != 0) path.circle(AcGePoint2d(0, 0), 0.5);
  if ((m_mode & kSquare) != 0) {
    path.moveTo(AcGePoint2d(-0.5, -0.5));
    for (const AcGePoint2d& corner : {AcGePoint2d(0.5, -0.5), AcGePoint2d(0.5, 0.5), AcGePoint2d(-0.5, 0.5)})
      path.lineTo(corner);
    path.close();
  }
  return path;
}
