#include "PolylineWidth.h"

#include <cmath>

#include "AcDb2dPolyline.h"
#include "AcDb2dVertex.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"

namespace {

// The mean of the segments' start and end widths.
struct Mean {
  double sum = 0.0;
  int count = 0;
  void add(double start, double end) {
    sum += std::fabs(start) + std::fabs(end);
    count += 2;
  }
  double value() const { return count == 0 || !std::isfinite(sum) ? 0.0 : sum / count; }
};

double widthOf(const AcDbPolyline& polyline) {
  // Segments that give no widths of their own take the constant width.
  double constant = 0.0;
  polyline.getConstantWidth(constant);
  Mean mean;
  const unsigned int segments = polyline.isClosed() ? polyline.numVerts() : polyline.numVerts() - 1;
  for (unsigned int index = 0; index < segments && polyline.numVerts() > 1; ++index) {
    double start = 0.0, end = 0.0;
    if (polyline.getWidthsAt(index, start, end) != Acad::eOk) continue;
    const bool own = start != 0.0 || end != 0.0;
    mean.add(own ? start : constant, own ? end : constant);
  }
  return mean.value();
}

double widthOf(const AcDb2dPolyline& polyline) {
  Mean mean;
  for (auto vertices = polyline.vertexIterator(); !vertices->done(); vertices->step()) {
    AcDbObjectPointer<AcDb2dVertex> vertex(vertices->objectId(), AcDb::kForRead);
    if (!vertex || vertex->vertexType() == AcDb::k2dSplineCtlVertex) continue;
    // A vertex that gives no widths takes the polyline's.
    const bool own = vertex->startWidth() != 0.0 || vertex->endWidth() != 0.0;
    mean.add(own ? vertex->startWidth() : polyline.defaultStartWidth(),
             own ? vertex->endWidth() : polyline.defaultEndWidth());
  }
  return mean.value();
}

}  // namespace

double PolylineWidth::of(const AcDbEntity& entity) {
  if (const auto* light = AcDbPolyline::cast(&entity)) return widthOf(*light);
  if (const auto* heavy = AcDb2dPolyline::cast(&entity)) return widthOf(*heavy);
  return 0.0;
}
