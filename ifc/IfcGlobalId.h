// GlobalIds of an exported drawing: 22 characters of IFC's base-64 alphabet
// (128 bits, the first character 0 to 3), derived from the drawing's
// identity and an object's handle, so that every export of the same drawing
// gives every object the same id and links made downstream survive.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CIfcGlobalId {
 public:
  // What an id stands for: an object and the things written for it share
  // its handle and differ in their role.
  enum Role : std::uint8_t {
    kProject = 1,
    kSite,
    kBuilding,
    kStorey,
    kSpace,
    kProjectParts,
    kSiteParts,
    kBuildingParts,
    kStoreyParts,
    kQuantities,
    kQuantitiesLink,
    kOccupancy,
    kOccupancyLink,
    kProperties,
    kPropertiesLink,
  };

  // fingerprint: the drawing's $FINGERPRINTGUID, or any text that names it.
  explicit CIfcGlobalId(std::wstring_view fingerprint);

  // Distinct for every distinct role and handle of one drawing.
  std::string of(Role role, std::uint64_t handle) const;

  static bool isValid(std::string_view id);

 private:
  std::uint64_t m_keys[4];
};
