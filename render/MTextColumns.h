// How a multi-line text is set in columns side by side, as its file gives
// it (an embedded object, or in older files extended data): each column as wide as
// the others, a gutter between them, and a height past which lines flow
// on into the next column (0 for a column as tall as its lines).
#pragma once

#include <vector>

class AcDbMText;

class MTextColumns {
 public:
  // One column of the text's own width for a text without columns.
  static MTextColumns of(const AcDbMText& text);

  int count() const { return m_count; }
  // The width lines wrap at; 0 for none.
  double width() const { return m_width; }
  // From the text's insertion point to the start of a column.
  double offset(int column) const { return column * (m_width + m_gutter); }
  double height(int column) const;

 private:
  int m_count = 1;
  double m_width = 0.0;
  double m_gutter = 0.0;
  std::vector<double> m_heights;
};
