// Leaders as the host draws them, from their tags: an old-style leader
// (LEADER) through its vertices with an arrowhead of its dimension style's
// size, and a multileader (MLEADER) with each of its leader lines, their
// arrowheads, the landing, and its content: a multi-line text or a block.
// Arrowheads are closed and filled.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "AcDbMText.h"
#include "AcDbObjectId.h"
#include "AcGeMatrix3d.h"
#include "PathData.h"

class AcDbEntity;

class LeaderShape {
 public:
  // Empty for an entity of another kind.
  static std::optional<LeaderShape> of(const AcDbEntity& entity);

  PathData lines(const AcGeMatrix3d& toWorld) const;
  PathData arrowheads(const AcGeMatrix3d& toWorld) const;
  // A multileader's text, not in any drawing; null when it shows none.
  const AcDbMText* text() const { return m_text.get(); }
  // A multileader's block and where it stands; null when it shows none.
  AcDbObjectId block() const { return m_block; }
  const AcGeMatrix3d& blockTransform() const { return m_blockTransform; }

 private:
  struct Line {
    std::vector<AcGePoint3d> points;
    bool arrowhead = false;
  };
  class MLeaderReader;

  static LeaderShape leader(const AcDbEntity& entity);

  std::vector<Line> m_lines;
  double m_arrowSize = 0.0;
  std::shared_ptr<AcDbMText> m_text;
  AcDbObjectId m_block;
  AcGeMatrix3d m_blockTransform;
};
