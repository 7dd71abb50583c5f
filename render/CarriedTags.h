// Reads the geometry of an entity the platform carries as read (TRACE,
// 3DFACE, WIPEOUT, LEADER ...) from its tags: the first value of a code,
// every point of a code, or the tags between two of them.  A code the
// file leaves out reads as the fallback.
#pragma once

#include <string_view>
#include <vector>

#include "AcGePoint3d.h"
#include "DxfTag.h"

class CarriedTags {
 public:
  explicit CarriedTags(std::vector<DxfTag> tags) : m_tags(std::move(tags)) {}
  CarriedTags(const DxfTag* begin, const DxfTag* end) : m_tags(begin, end) {}

  const std::vector<DxfTag>& tags() const { return m_tags; }
  bool has(int code) const { return find(code) != nullptr; }
  double real(int code, double fallback = 0.0) const;
  long long integer(int code, long long fallback = 0) const;
  // The point of x code, y code + 10 and z code + 20 that follow it.
  AcGePoint3d point(int code, const AcGePoint3d& fallback = AcGePoint3d::kOrigin) const;
  std::vector<AcGePoint3d> points(int code) const;
  std::string_view text(int code) const;

  static double realOf(const DxfTag& tag);
  static long long integerOf(const DxfTag& tag);
  // The point whose x is at index; its y and z follow where the file has them.
  static AcGePoint3d pointAt(const std::vector<DxfTag>& tags, size_t index);

 private:
  const DxfTag* find(int code) const;

  std::vector<DxfTag> m_tags;
};
