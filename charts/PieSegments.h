// The segments of one pie chart in category order, unique by title, with
// the running sum of their areas.
#pragma once

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "AcDbObjectId.h"
#include "charts/PieSegment.h"

class CAcadDrawing;

class CPieSegments {
 public:
  // Drops (and frees) a segment whose title one held already has.
  void add(std::unique_ptr<CPieSegment> segment);
  // One after the other round the chart; empty segments leave no gap, and
  // are left out with ignoreEmpty.
  void addSegmentsToBlock(CAcadDrawing& drawing, AcDbObjectId block, const CPieSegment::Chart& chart,
                          bool ignoreEmpty);
  void deleteObjects();

  int getCount() const { return static_cast<int>(m_segments.size()); }
  double getSum() const { return m_sum; }

 private:
  std::vector<std::unique_ptr<CPieSegment>> m_segments;
  std::unordered_set<std::wstring> m_titles;
  double m_sum = 0.0;
};
