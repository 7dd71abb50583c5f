#include "charts/PieSegments.h"

#include "support/ZelphExceptions.h"

void CPieSegments::add(std::unique_ptr<CPieSegment> segment) {
  ZELPH_TRY
    if (!m_titles.insert(segment->getTitle()).second) return;
    m_sum += segment->getArea();
    m_segments.push_back(std::move(segment));
  ZELPH_CATCH(L"CPieSegments::add")
}

void CPieSegments::addSegmentsToBlock(CAcadDrawing& drawing, AcDbObjectId block, const CPieSegment::Chart& chart,
                                      bool ignoreEmpty) {
  ZELPH_TRY
    double start = 0.0;
    for (const auto& segment : m_segments) {
      if (ignoreEmpty && segment->getArea() == 0.0) continue;
      segment->addSegmentToBlock(drawing, block, chart, start);
      start += segment->getArea();
    }
  ZELPH_CATCH(L"CPieSegments::addSegmentsToBlock")
}

void CPieSegments::deleteObjects() {
  ZELPH_TRY
    m_segments.clear();
    m_titles.clear();
    m_sum = 0.0;
  ZELPH_CATCH(L"CPieSegments::deleteObjects")
}
