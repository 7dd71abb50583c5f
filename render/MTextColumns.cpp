#include "MTextColumns.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "AcDbMText.h"
#include "CarriedTags.h"

namespace {

constexpr int kStatic = 1;
// Beyond this many, a damaged count is taken for one column.
constexpr long long kMostColumns = 100;

// A text's column settings, wherever its file keeps them.
struct Settings {
  long long type = 0;
  long long count = 0;
  bool autoHeight = false;
  double width = 0.0;
  double gutter = 0.0;
  double height = 0.0;  // of every column, where one height serves all
  std::vector<double> heights;
};

double length(double value) { return std::isfinite(value) && value > 0.0 ? value : 0.0; }

// Files from AutoCAD 2018 on keep them in the embedded object that follows
// the text's own fields.
bool fromEmbeddedObject(const std::vector<DxfTag>& tags, Settings& settings) {
  const auto start = std::find_if(tags.begin(), tags.end(), [](const DxfTag& tag) {
    return tag.code == 101 && tag.value == "Embedded Object";
  });
  if (start == tags.end()) return false;
  const auto end = std::find_if(start + 1, tags.end(), [](const DxfTag& tag) {
    return tag.code == 100 || tag.code == 101 || tag.code >= 1000;
  });
  const CarriedTags embedded(&*start, &*start + (end - start));
  settings.type = embedded.integer(71);
  settings.count = embedded.integer(72);
  settings.autoHeight = embedded.integer(73) != 0;
  settings.width = length(embedded.real(44));
  settings.gutter = length(embedded.real(45));
  settings.height = length(embedded.real(41));
  for (const DxfTag& tag : embedded.tags())
    if (tag.code == 46) settings.heights.push_back(std::max(0.0, CarriedTags::realOf(tag)));
  return true;
}

// Older files keep them in sections of the text's extended data ("ACAD_...
// _BEGIN" to "_END"), each setting a 1070 naming its group code followed by
// its value; the heights are a count and that many reals.
template <typename Setting>
void readSection(const std::vector<DxfTag>& tags, const std::string& name, Setting setting) {
  const auto named = [&](auto from, const std::string& text) {
    return std::find_if(from, tags.end(), [&](const DxfTag& tag) { return tag.code == 1000 && tag.value == text; });
  };
  auto tag = named(tags.begin(), name + "_BEGIN");
  if (tag == tags.end()) return;
  const auto end = named(tag, name + "_END");
  for (++tag; tag != end && tag + 1 != end; ++tag) {
    if (tag->code != 1070) continue;
    const long long code = CarriedTags::integerOf(*tag);
    ++tag;
    setting(code, tag, end);
  }
}

// There each column of static columns is a text of its own, the first
// column's text holding only its own lines.
void fromExtendedData(const std::vector<DxfTag>& tags, Settings& settings) {
  using Tag = std::vector<DxfTag>::const_iterator;
  readSection(tags, "ACAD_MTEXT_COLUMN_INFO", [&](long long code, Tag& value, Tag end) {
    switch (code) {
      case 75: settings.type = CarriedTags::integerOf(*value); break;
      case 76: settings.count = CarriedTags::integerOf(*value); break;
      case 79: settings.autoHeight = CarriedTags::integerOf(*value) != 0; break;
      case 48: settings.width = length(CarriedTags::realOf(*value)); break;
      case 49: settings.gutter = length(CarriedTags::realOf(*value)); break;
      case 50:
        for (long long left = std::min(CarriedTags::integerOf(*value), kMostColumns);
             left > 0 && value + 1 != end && (value + 1)->code == 1040; --left)
          settings.heights.push_back(std::max(0.0, CarriedTags::realOf(*++value)));
        break;
      default: break;
    }
  });
  readSection(tags, "ACAD_MTEXT_DEFINED_HEIGHT", [&](long long code, Tag& value, Tag) {
    if (code == 46) settings.height = length(CarriedTags::realOf(*value));
  });
}

}  // namespace

MTextColumns MTextColumns::of(const AcDbMText& text) {
  MTextColumns columns;
  columns.m_width = text.width() > 0.0 && std::isfinite(text.width()) ? text.width() : 0.0;
  const std::vector<DxfTag> tags = text.dxfTags();
  Settings settings;
  if (!fromEmbeddedObject(tags, settings)) fromExtendedData(tags, settings);
  // Dynamic columns of automatic height give no count: as many as the text fills.
  long long count = settings.count;
  if (count == 0 && settings.type != kStatic) count = kMostColumns;
  if (settings.type <= 0 || count < 1 || count > kMostColumns || settings.width == 0.0) return columns;
  columns.m_count = static_cast<int>(count);
  columns.m_width = settings.width;
  columns.m_gutter = settings.gutter;
  // Static columns, and dynamic ones of automatic height, are as tall as
  // the text's frame; others give each column's own height.
  if (settings.type == kStatic || settings.autoHeight) columns.m_heights.assign(columns.m_count, settings.height);
  else columns.m_heights = std::move(settings.heights);
  return columns;
}

double MTextColumns::height(int column) const {
  return column >= 0 && static_cast<size_t>(column) < m_heights.size() ? m_heights[column] : 0.0;
}
