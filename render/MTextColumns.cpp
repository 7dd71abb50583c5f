#include "MTextColumns.h"

#include <algorithm>
#include <cmath>

#include "AcDbMText.h"
#include "CarriedTags.h"

namespace {

constexpr int kStatic = 1;
// Beyond this many, a damaged count is taken for one column.
constexpr long long kMostColumns = 100;

// The tags of the embedded object that follows the text's own fields.
CarriedTags embeddedObject(const AcDbMText& text) {
  const std::vector<DxfTag> tags = text.dxfTags();
  const auto start = std::find_if(tags.begin(), tags.end(), [](const DxfTag& tag) {
    return tag.code == 101 && tag.value == "Embedded Object";
  });
  if (start == tags.end()) return CarriedTags({});
  const auto end = std::find_if(start + 1, tags.end(), [](const DxfTag& tag) {
    return tag.code == 100 || tag.code == 101 || tag.code >= 1000;
  });
  return CarriedTags(&*start, &*start + (end - start));
}

double length(const CarriedTags& tags, int code) {
  const double value = tags.real(code);
  return std::isfinite(value) && value > 0.0 ? value : 0.0;
}

}  // namespace

MTextColumns MTextColumns::of(const AcDbMText& text) {
  MTextColumns columns;
  columns.m_width = text.width() > 0.0 && std::isfinite(text.width()) ? text.width() : 0.0;
  const CarriedTags embedded = embeddedObject(text);
  const long long type = embedded.integer(71);
  // Dynamic columns of automatic height give no count: as many as the text fills.
  long long count = embedded.integer(72);
  if (count == 0 && type != kStatic) count = kMostColumns;
  if (type <= 0 || count < 1 || count > kMostColumns || length(embedded, 44) == 0.0) return columns;
  columns.m_count = static_cast<int>(count);
  columns.m_width = length(embedded, 44);
  columns.m_gutter = length(embedded, 45);
  // Static columns, and dynamic ones of automatic height, are as tall as
  // the text's frame; others give each column's own height.
  if (type == kStatic || embedded.integer(73) != 0) {
    columns.m_heights.assign(columns.m_count, length(embedded, 41));
    return columns;
  }
  for (const DxfTag& tag : embedded.tags())
    if (tag.code == 46) columns.m_heights.push_back(std::max(0.0, CarriedTags::realOf(tag)));
  return columns;
}

double MTextColumns::height(int column) const {
  return column >= 0 && static_cast<size_t>(column) < m_heights.size() ? m_heights[column] : 0.0;
}
