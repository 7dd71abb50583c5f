// A linetype: its description and its dash pattern.  The pattern's shapes
// and texts are kept as read, in their place among the dashes.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "AcDbSymbolTableRecord.h"
#include "AcGeVector2d.h"

class AcDbLinetypeTableRecord : public AcDbSymbolTableRecord {
  ACRX_DECLARE_MEMBERS(AcDbLinetypeTableRecord)

 public:
  std::wstring comments() const { return m_comments; }
  Acad::ErrorStatus setComments(const ACHAR* comments);
  // The pattern's elements: a dash (positive), a gap (negative) or a dot (0).
  int numDashes() const { return static_cast<int>(m_dashes.size()); }
  double dashLengthAt(int index) const;
  // The shape or text an element carries, placed where the element ends:
  // a shape's number (0 for a text or none), its style (the shape file's
  // or the text's), scale, rotation in radians (of the line's direction,
  // or of the x axis when oriented absolutely), and offset along and
  // across the line.  An element without one gives 0, null and "".
  int shapeNumberAt(int index) const;
  AcDbObjectId shapeStyleAt(int index) const;
  double shapeScaleAt(int index) const;
  double shapeRotationAt(int index) const;
  bool shapeIsUcsOrientedAt(int index) const;
  AcGeVector2d shapeOffsetAt(int index) const;
  std::wstring textAt(int index) const;
  // The length of one repeat of the pattern, as the file gives it.
  double patternLength() const { return m_patternLength; }

 protected:
  std::string_view recordMarker() const override;
  bool dxfOwns(const DxfGroup& group, int code) const override;
  void dxfInField(const DxfGroup& group, DxfInFiler& in) override;
  void dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const override;

 private:
  std::wstring m_comments;
  // One element of the pattern, with what it carries.
  struct Dash {
    double length = 0.0;
    int flags = 0;
    int shape = 0;
    AcDbObjectId style;
    double scale = 0.0;
    double rotation = 0.0;
    AcGeVector2d offset;
    std::wstring text;
  };
  const Dash* dashAt(int index) const;
  // The element a tag after its length speaks of.
  void readEmbedded(DxfInFiler& in, Dash& dash);

  double m_patternLength = 0.0;
  std::vector<Dash> m_dashes;
  // Every pattern tag as read, written back in its order.
  std::vector<std::pair<int, std::string>> m_pattern;
};
