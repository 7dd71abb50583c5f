#include "BoundaryFinder.h"

#include <algorithm>

#include "BoundaryGaps.h"

namespace {

// A face whose holes take up most of it is the wall mass around rooms
// drawn with double lines, not a room.
constexpr double kWallShare = 0.5;

std::vector<BoundaryCurve> withBridges(std::vector<BoundaryCurve> curves, double gapTolerance) {
  auto bridges = BoundaryGaps::bridges(curves, gapTolerance);
  curves.insert(curves.end(), bridges.begin(), bridges.end());
  return curves;
}

}  // namespace

BoundaryFinder::BoundaryFinder(std::vector<BoundaryCurve> curves, double gapTolerance)
    : m_gapTolerance(gapTolerance),
      m_faces(std::make_unique<BoundaryFaces>(withBridges(std::move(curves), gapTolerance))) {}

BoundaryFinder::~BoundaryFinder() = default;

std::optional<BoundaryRegion> BoundaryFinder::around(const AcGePoint2d& point) const {
  const BoundaryFaces::Face* smallest = nullptr;
  for (const auto& face : m_faces->faces())
    if ((smallest == nullptr || face.area < smallest->area) && m_faces->contains(face, point)) smallest = &face;
  if (smallest == nullptr) return std::nullopt;
  return m_faces->region(*smallest);
}

bool BoundaryFinder::isRoom(const BoundaryFaces::Face& face) const {
  if (face.holeArea > kWallShare * (face.area + face.holeArea)) return false;
  return !(m_gapTolerance > 0.0) || m_faces->width(face) >= m_gapTolerance / 2.0;
}

std::vector<BoundaryRegion> BoundaryFinder::within(const AcGePoint2d& corner, const AcGePoint2d& other) const {
  const double minX = std::min(corner.x, other.x), maxX = std::max(corner.x, other.x);
  const double minY = std::min(corner.y, other.y), maxY = std::max(corner.y, other.y);
  std::vector<const BoundaryFaces::Face*> rooms;
  for (const auto& face : m_faces->faces()) {
    const bool inside = face.minX >= minX && face.maxX <= maxX && face.minY >= minY && face.maxY <= maxY;
    if (inside && isRoom(face)) rooms.push_back(&face);
  }
  // An island of one room (a column) is not a room of its own.
  std::vector<BoundaryRegion> regions;
  for (const auto* room : rooms) {
    const bool island = std::any_of(rooms.begin(), rooms.end(),
                                    [&](const BoundaryFaces::Face* other) { return m_faces->inHole(*room, *other); });
    if (!island) regions.push_back(m_faces->region(*room));
  }
  return regions;
}
