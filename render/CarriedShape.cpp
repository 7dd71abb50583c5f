#include "CarriedShape.h"

#include <algorithm>

#include "AcDbEntity.h"
#include "AcDbUnmodelledEntity.h"
#include "CarriedPolyline.h"
#include "CarriedTags.h"

namespace {

AcGeVector3d asVector(const AcGePoint3d& point) { return point - AcGePoint3d::kOrigin; }

// Corners 10 to 13 in the file's order.
std::vector<AcGePoint3d> corners(const CarriedTags& tags) {
  std::vector<AcGePoint3d> found;
  for (int code = 10; code <= 13; ++code) found.push_back(tags.point(code));
  return found;
}

void addTrace(const CarriedTags& tags, PathData& path) {
  const std::vector<AcGePoint3d> corner = corners(tags);
  // As a solid: first, second, fourth, third round the outline.
  path.moveTo(corner[0]);
  for (int index : {1, 3, 2}) path.lineTo(corner[static_cast<size_t>(index)]);
  path.close();
}

void addFace(const CarriedTags& tags, PathData& path) {
  const std::vector<AcGePoint3d> corner = corners(tags);
  const long long hidden = tags.integer(70);
  bool goesOn = false;
  for (size_t edge = 0; edge < 4; ++edge) {
    if (hidden & (1LL << edge)) {
      goesOn = false;
      continue;
    }
    if (!goesOn) path.moveTo(corner[edge]);
    path.lineTo(corner[(edge + 1) % 4]);
    goesOn = true;
  }
}

// A subdivision mesh's faces as its level 0 holds them: the vertices (10)
// follow their count (92), the faces the size of their list (93), each as
// its number of corners and their indices (90); the edges (94) and
// creases (95) come after.
void addMesh(const CarriedTags& tags, PathData& path) {
  const std::vector<DxfTag>& all = tags.tags();
  std::vector<AcGePoint3d> vertices;
  std::vector<long long> faces;
  int list = 0;
  for (size_t index = 0; index < all.size(); ++index) {
    const int code = all[index].code;
    if (code >= 92 && code <= 95) list = code;
    else if (code == 10 && list == 92) vertices.push_back(CarriedTags::pointAt(all, index));
    else if (code == 90 && list == 93) faces.push_back(CarriedTags::integerOf(all[index]));
  }
  const auto vertex = [&](long long index) { return index >= 0 && static_cast<size_t>(index) < vertices.size(); };
  for (size_t at = 0; at < faces.size();) {
    const long long corners = faces[at++];
    if (corners < 1 || static_cast<size_t>(corners) > faces.size() - at) return;
    const auto first = faces.begin() + static_cast<long>(at), last = first + corners;
    at += static_cast<size_t>(corners);
    if (!std::all_of(first, last, vertex)) continue;
    path.moveTo(vertices[static_cast<size_t>(*first)]);
    for (auto corner = first + 1; corner != last; ++corner) path.lineTo(vertices[static_cast<size_t>(*corner)]);
    path.lineTo(vertices[static_cast<size_t>(*first)]);
  }
}

// An image's pixels run along u and v from the insertion point, which is
// the outer corner of the first; the boundary counts rows from the top.
void addImageBoundary(const CarriedTags& tags, bool clipped, PathData& path) {
  const AcGePoint3d insert = tags.point(10);
  const AcGeVector3d u = asVector(tags.point(11)), v = asVector(tags.point(12));
  const AcGePoint3d size = tags.point(13, AcGePoint3d(1.0, 1.0, 0.0));
  std::vector<AcGePoint3d> boundary = tags.points(14);
  if (!clipped || boundary.size() < 2)
    boundary = {AcGePoint3d(-0.5, -0.5, 0.0), AcGePoint3d(size.x - 0.5, size.y - 0.5, 0.0)};
  if (boundary.size() == 2) {
    const AcGePoint3d low = boundary[0], high = boundary[1];
    boundary = {low, AcGePoint3d(high.x, low.y, 0.0), high, AcGePoint3d(low.x, high.y, 0.0)};
  }
  const AcGePoint3d origin = insert + u * 0.5 - v * 0.5;
  for (size_t index = 0; index < boundary.size(); ++index) {
    const AcGePoint3d corner = origin + u * boundary[index].x + v * (size.y - boundary[index].y);
    if (index == 0) path.moveTo(corner);
    else path.lineTo(corner);
  }
  path.close();
}

}  // namespace

std::optional<CarriedShape> CarriedShape::of(const AcDbEntity& entity, const AcGeMatrix3d& toWorld,
                                             bool wipeoutFrames) {
  const std::wstring type = entity.isA()->dxfName();
  if (const auto* polyline = AcDbUnmodelledEntity::cast(&entity); polyline != nullptr && type == L"POLYLINE") {
    CarriedShape shape(toWorld);
    CarriedPolyline::add(*polyline, shape.path);
    return shape;
  }
  if (type != L"TRACE" && type != L"3DFACE" && type != L"MESH" && type != L"IMAGE" && type != L"WIPEOUT")
    return std::nullopt;
  const CarriedTags tags(entity.dxfTags());
  if (type == L"TRACE") {
    CarriedShape shape(toWorld * AcGeMatrix3d::planeToWorld(asVector(tags.point(210, AcGePoint3d(0, 0, 1)))));
    addTrace(tags, shape.path);
    shape.fill = Fill::kColour;
    return shape;
  }
  CarriedShape shape(toWorld);
  if (type == L"3DFACE") {
    addFace(tags, shape.path);
    return shape;
  }
  if (type == L"MESH") {
    addMesh(tags, shape.path);
    return shape;
  }
  // Both keep their clip boundary in group 14; a wipeout always clips.
  const bool wipeout = type == L"WIPEOUT";
  addImageBoundary(tags, wipeout || tags.integer(280) != 0, shape.path);
  if (wipeout) {
    shape.fill = Fill::kBackground;
    shape.stroked = wipeoutFrames;
  }
  return shape;
}
