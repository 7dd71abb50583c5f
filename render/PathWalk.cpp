#include "PathWalk.h"

#include <algorithm>
#include <cmath>

#include "AcGeMatrix3d.h"
#include "PathData.h"

namespace {

AcGeVector3d turned(const AcGeVector3d& vector, double angle) {
  return AcGeMatrix3d::rotation(angle, AcGeVector3d::kZAxis) * vector;
}

}  // namespace

std::vector<PathWalk> PathWalk::subpathsOf(const PathData& path) {
  std::vector<PathWalk> subpaths;
  AcGePoint3d current;
  for (const PathData::Step& step : path.steps()) {
    if (step.moves) subpaths.emplace_back();
    else if (!subpaths.empty()) subpaths.back().add(current, step.to, step.bulge);
    current = step.to;
  }
  return subpaths;
}

void PathWalk::add(const AcGePoint3d& start, const AcGePoint3d& end, double bulge) {
  const double chord = start.distanceTo(end);
  if (!(chord > 0.0) || !std::isfinite(chord)) return;
  const double included = 4.0 * std::atan(std::fabs(bulge));
  const double length = bulge == 0.0 ? chord : included * chord / (2.0 * std::sin(included / 2.0));
  m_pieces.push_back(Piece{start, end, bulge, length});
  m_length += length;
}

PathWalk::Station PathWalk::along(const Piece& piece, double distance) {
  const AcGeVector3d chord = (piece.end - piece.start).normal();
  const double share = std::clamp(distance / piece.length, 0.0, 1.0);
  if (piece.bulge == 0.0) return Station{piece.start + (piece.end - piece.start) * share, chord};
  // An arc leaves its start turned half its angle from its chord, and
  // reaches a point by a shorter chord turned half as far again.
  const double angle = 4.0 * std::atan(piece.bulge), turn = angle * share;
  const double radius = piece.start.distanceTo(piece.end) / (2.0 * std::sin(std::fabs(angle) / 2.0));
  const AcGeVector3d leaving = turned(chord, -angle / 2.0);
  const double reach = 2.0 * radius * std::sin(std::fabs(turn) / 2.0);
  return Station{piece.start + turned(leaving, turn / 2.0) * reach, turned(leaving, turn)};
}

PathWalk::Station PathWalk::at(double distance) {
  while (m_piece + 1 < m_pieces.size() && distance > m_passed + m_pieces[m_piece].length)
    m_passed += m_pieces[m_piece++].length;
  if (m_pieces.empty()) return Station{AcGePoint3d(), AcGeVector3d::kXAxis};
  return along(m_pieces[m_piece], distance - m_passed);
}
