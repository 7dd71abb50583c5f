#include "CarriedPolyline.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "AcDbObjectPointer.h"
#include "AcDbUnmodelledEntity.h"
#include "CarriedTags.h"
#include "PathData.h"

namespace {

// Flags of the polyline (70).
constexpr long long kClosed = 1;
constexpr long long kMesh = 16;
constexpr long long kClosedAcross = 32;
constexpr long long kPolyface = 64;
// Flags of a vertex (70).
constexpr long long kFrameVertex = 16;
constexpr long long kFaceRecord = 128;
constexpr long long kFacePosition = 64;

struct Vertex {
  AcGePoint3d position;
  long long flags = 0;
  int corners[4] = {0, 0, 0, 0};  // a face's vertex numbers, from 1; negative before a hidden edge
};

std::vector<Vertex> verticesOf(const AcDbUnmodelledEntity& polyline) {
  std::vector<Vertex> vertices;
  for (const AcDbObjectId& id : polyline.followers()) {
    AcDbEntityPointer follower(id, AcDb::kForRead);
    if (!follower || follower->isErased() || follower->isA()->dxfName() != std::wstring(L"VERTEX")) continue;
    const CarriedTags tags(follower->dxfTags());
    Vertex vertex{tags.point(10), tags.integer(70)};
    for (int corner = 0; corner < 4; ++corner)
      vertex.corners[corner] = static_cast<int>(tags.integer(71 + corner));
    vertices.push_back(vertex);
  }
  return vertices;
}

void addLine(const std::vector<AcGePoint3d>& points, bool closed, PathData& path) {
  if (points.empty()) return;
  path.moveTo(points.front());
  for (size_t index = 1; index < points.size(); ++index) path.lineTo(points[index]);
  if (closed && points.size() > 2) path.lineTo(points.front());
}

// A polyface mesh's records are its positions, then its faces.
bool isFace(const Vertex& vertex) { return (vertex.flags & kFaceRecord) != 0 && (vertex.flags & kFacePosition) == 0; }

void addFaces(const std::vector<Vertex>& vertices, PathData& path) {
  std::vector<AcGePoint3d> positions;
  for (const Vertex& vertex : vertices)
    if (!isFace(vertex)) positions.push_back(vertex.position);
  for (const Vertex& face : vertices) {
    if (!isFace(face)) continue;
    std::vector<int> corners;
    for (int corner : face.corners)
      if (corner != 0) corners.push_back(corner);
    for (size_t index = 0; index < corners.size(); ++index) {
      const int from = corners[index], to = corners[(index + 1) % corners.size()];
      const size_t start = static_cast<size_t>(std::abs(from)), end = static_cast<size_t>(std::abs(to));
      if (from < 0 || start > positions.size() || end > positions.size()) continue;
      path.moveTo(positions[start - 1]);
      path.lineTo(positions[end - 1]);
    }
  }
}

// count vertices from first, stride apart, as one line.
void addRun(const std::vector<Vertex>& vertices, size_t first, size_t count, size_t stride, bool closed,
            PathData& path) {
  std::vector<AcGePoint3d> line;
  for (size_t index = 0; index < count; ++index) line.push_back(vertices[first + index * stride].position);
  addLine(line, closed, path);
}

// Rows of n vertices, m of them; each row and each column is one line.
void addMesh(const std::vector<Vertex>& vertices, size_t m, size_t n, long long flags, PathData& path) {
  if (m == 0 || n == 0 || vertices.size() < m * n) return;
  for (size_t row = 0; row < m; ++row) addRun(vertices, row * n, n, 1, (flags & kClosedAcross) != 0, path);
  for (size_t column = 0; column < n; ++column) addRun(vertices, column, m, n, (flags & kClosed) != 0, path);
}

}  // namespace

void CarriedPolyline::add(const AcDbUnmodelledEntity& polyline, PathData& path) {
  const CarriedTags tags(polyline.dxfTags());
  const long long flags = tags.integer(70);
  const std::vector<Vertex> vertices = verticesOf(polyline);
  if (flags & kPolyface) return addFaces(vertices, path);
  if (flags & kMesh)
    return addMesh(vertices, static_cast<size_t>(std::max(0LL, tags.integer(71))),
                   static_cast<size_t>(std::max(0LL, tags.integer(72))), flags, path);
  std::vector<AcGePoint3d> points;
  for (const Vertex& vertex : vertices)
    if ((vertex.flags & kFrameVertex) == 0) points.push_back(vertex.position);
  addLine(points, (flags & kClosed) != 0, path);
}
