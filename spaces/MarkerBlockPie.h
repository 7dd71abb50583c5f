// The pie chart marker: a circle the pie chart of a graphic report is
// drawn in, its centre the chart's centre, with the chart's radius, text
// size and precision.  It says nothing of units: a chart drawn at it is
// labelled in the units of the preferences.
#pragma once

#include "spaces/MarkerBlock.h"

class CMarkerBlockPie : public CMarkerBlock {
 public:
  static const Kind kKind;

  // Ready to be made from an outline (createMarkerBlock).
  CMarkerBlockPie();
  // Reads the marker from its reference, open for reading.
  explicit CMarkerBlockPie(const AcDbBlockReference& reference);

  double getRadius() const { return m_radius; }

 protected:
  const Kind& kind() const override { return kKind; }
  AcGePoint3d insertionPoint(const AcDbEntity& outline) const override;
  std::vector<Setting> settings(int precision, double textSize, const AcDbEntity& outline) const override;
  void readSetting(const std::wstring& tag, const std::wstring& text) override;

 private:
  double m_radius = 0.0;
};
