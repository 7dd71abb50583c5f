// The legend marker: a closed polyline the legend of a graphic report is
// drawn at, its top-left corner the legend's place, with the legend's
// text size, precision and units.
#pragma once

#include "spaces/MarkerBlock.h"

class CMarkerBlockLegend : public CMarkerBlock {
 public:
  static const Kind kKind;

  // Ready to be made from an outline (createMarkerBlock).
  CMarkerBlockLegend() = default;
  // Reads the marker from its reference, open for reading.
  explicit CMarkerBlockLegend(const AcDbBlockReference& reference);

 protected:
  const Kind& kind() const override { return kKind; }
  AcGePoint3d insertionPoint(const AcDbEntity& outline) const override;
  std::vector<Setting> settings(int precision, double textSize, const AcDbEntity& outline) const override;
  void readSetting(const std::wstring& tag, const std::wstring& text) override;
};
