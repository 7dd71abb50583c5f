#include "CarriedTags.h"

#include <cmath>
#include <cstdlib>
#include <string>

double CarriedTags::realOf(const DxfTag& tag) {
  // The reader refused what is no number where a number belongs.
  const double value = std::strtod(std::string(tag.value).c_str(), nullptr);
  return std::isfinite(value) ? value : 0.0;
}

long long CarriedTags::integerOf(const DxfTag& tag) { return std::strtoll(std::string(tag.value).c_str(), nullptr, 10); }

const DxfTag* CarriedTags::find(int code) const {
  for (const DxfTag& tag : m_tags)
    if (tag.code == code) return &tag;
  return nullptr;
}

double CarriedTags::real(int code, double fallback) const {
  const DxfTag* tag = find(code);
  return tag ? realOf(*tag) : fallback;
}

long long CarriedTags::integer(int code, long long fallback) const {
  const DxfTag* tag = find(code);
  return tag ? integerOf(*tag) : fallback;
}

std::string_view CarriedTags::text(int code) const {
  const DxfTag* tag = find(code);
  return tag ? tag->value : std::string_view();
}

AcGePoint3d CarriedTags::pointAt(const std::vector<DxfTag>& tags, size_t index) {
  const int code = tags[index].code;
  AcGePoint3d point(realOf(tags[index]), 0.0, 0.0);
  for (size_t next = index + 1; next < tags.size() && next <= index + 2; ++next) {
    if (tags[next].code == code + 10) point.y = realOf(tags[next]);
    else if (tags[next].code == code + 20) point.z = realOf(tags[next]);
    else break;
  }
  return point;
}

AcGePoint3d CarriedTags::point(int code, const AcGePoint3d& fallback) const {
  for (size_t index = 0; index < m_tags.size(); ++index)
    if (m_tags[index].code == code) return pointAt(m_tags, index);
  return fallback;
}

std::vector<AcGePoint3d> CarriedTags::points(int code) const {
  std::vector<AcGePoint3d> found;
  for (size_t index = 0; index < m_tags.size(); ++index)
    if (m_tags[index].code == code) found.push_back(pointAt(m_tags, index));
  return found;
}
