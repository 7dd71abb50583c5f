// One segment of a pie chart: a category's share of the report's total
// area, drawn as a hatched sector of the chart's block with an optional
// label and leader line.
#pragma once

#include <memory>
#include <string>

#include "AcDbObjectId.h"
#include "Acad.h"
#include "AcGeVector3d.h"

class AcDbBlockTableRecord;
class AcDbEntity;
class AcDbPolyline;
class CAcadDrawing;
class CHatch;
class CZelphExceptions;

class CPieSegment {
 public:
  // What every segment of one chart is drawn with.
  struct Chart {
    double total = 0.0;
    double radius = 0.0;
    double offset = 0.0;
    double textSize = 0.0;
    AcGeVector3d normal = AcGeVector3d::kZAxis;
    bool showLabels = false;
    bool showLabelLines = false;
  };

  // hatch: the category's, which outlives the segment; may be null.
  CPieSegment(const std::wstring& title, const CHatch* hatch, double area, int precision, const std::wstring& units);

  // Draws the segment into the chart's block (closed; opened here for each
  // entity), its sector starting at the area start of the total, clockwise
  // from the block's +Y axis.
  void addSegmentToBlock(CAcadDrawing& drawing, AcDbObjectId block, const Chart& chart, double start);

  const std::wstring& getTitle() const { return m_title; }
  double getArea() const { return m_area; }

 private:
  // The sector of the sweep, its point at the centre, facing +Y.
  std::unique_ptr<AcDbPolyline> createSegment(double sweep, const Chart& chart) const;
  void hatchSegment(CAcadDrawing& drawing, AcDbObjectId block, const AcDbPolyline& outline,
                    const std::wstring& layer, const AcGeVector3d& normal, CZelphExceptions& errors) const;
  void addSegmentLine(AcDbObjectId block, const Chart& chart, double middle, const std::wstring& layer) const;
  void addSegmentLabel(AcDbObjectId block, const Chart& chart, double middle, const std::wstring& layer);
  // The hatch layer, made with the hatch colour when missing; "0" when it
  // cannot be made or the category has no hatch.
  std::wstring segmentLayer(CAcadDrawing& drawing) const;

  std::wstring m_title;
  const CHatch* m_hatch;
  double m_area;
  int m_precision;
  std::wstring m_units;
};
