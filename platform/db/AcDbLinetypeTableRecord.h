// A linetype: its description and its dash pattern.  The pattern's shapes
// and texts are kept as read, in their place among the dashes.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "AcDbSymbolTableRecord.h"

class AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
  ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord)

 public:
  std::wstring comments() const { return m_comments; }
  Acad::ErrorStatus setComments(const ACHAR* comments);
  // The pattern's elements: a dash (positive), a gap (negative) or a dot (0).
  int numDashes() const { return static_cast<int>(m_dashes.size()); }
  double dashLengthAt(int index) const;
  // The length of one repeat of the pattern, as the file gives it.
  double patternLength() const { return m_patternLength; }

 protected:
  std::string_view recordMarker() const override;
  bool dxfOwns(const DxfGroup& group, int code) const override;
  void dxfInField(const DxfGroup& group, DxfInFiler& in) override;
  void dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const override;

 private:
  std::wstring m_comments;
  double m_patternLength = 0.0;
  std::vector<double> m_dashes;
  // Every pattern tag as read, written back in its order.
  std::vector<std::pair<int, std::string>> m_pattern;
};
