// A pie chart of a graphic report: how the report's total area divides
// among its categories, one hatched segment each, with a title above and
// the total below.  It is a block definition named after the report,
// inserted where a pie marker stands when a position is given.  Made on
// the stack; the constructor builds it at once.
#pragma once

#include <string>

#include "AcDbObjectId.h"
#include "AcGePoint3d.h"
#include "AcGeVector3d.h"
#include "charts/PieSegments.h"

class AcDbBlockTableRecord;
class CAcadDrawing;
class CGraphicReport;

class CPieChart {
 public:
  // Nothing is made for a report without categories or without a total.
  // Segments whose areas sum to more than the total (in whole units) stop
  // the chart with an error record.  position: in the current UCS; without
  // it (or on a product without markers) only the definition is made.
  CPieChart(CAcadDrawing& drawing, double radius, double segmentOffset, double textSize, int precision,
            const std::wstring& units, bool ignoreEmptySegments, bool showLabels, bool showLabelSegmentLines,
            const CGraphicReport& report, double rotation, const AcGePoint3d* position = nullptr);
  CPieChart(const CPieChart&) = delete;
  CPieChart& operator=(const CPieChart&) = delete;

  const std::wstring& getBlockName() const { return m_blockName; }
  // The name of the report's chart block, cleaned.
  static std::wstring blockName(const CGraphicReport& report);
  // The chart's block definition; null when none was made.
  AcDbObjectId getBlockId() const { return m_blockId; }
  // The reference at the position; null when none was inserted.
  AcDbObjectId getReferenceId() const { return m_referenceId; }

 private:
  void pieChartFromGraphicReport(const CGraphicReport& report);
  void createPieChartBlockDefinition(CAcadDrawing& drawing);
  // The chart's block, emptied when the drawing has it already, so what
  // refers to it shows the new chart.
  AcDbObjectId emptyBlockDefinition(CAcadDrawing& drawing);
  void addTitleToPieChart(AcDbBlockTableRecord& block);
  void addFooterToPieChart(AcDbBlockTableRecord& block);
  // A constant text of the chart, centred and hanging from the point.
  void addCaption(AcDbBlockTableRecord& block, const std::wstring& text, const AcGePoint3d& point);
  void insertAt(CAcadDrawing& drawing, const AcGePoint3d& position);

  CPieSegments m_segments;
  std::wstring m_blockName;
  std::wstring m_title;
  double m_total = 0.0;
  double m_textSize = 0.0;
  double m_radius = 0.0;
  double m_segmentOffset = 0.0;
  double m_rotation = 0.0;
  int m_precision = 0;
  std::wstring m_units;
  bool m_ignoreEmptySegments = false;
  bool m_showLabels = false;
  bool m_showLabelSegmentLines = false;
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
  AcDbObjectId m_blockId;
  AcDbObjectId m_referenceId;
};
