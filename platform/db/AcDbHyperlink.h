// One hyperlink of an entity: address, description and sub-location.
#pragma once

#include <string>

#include "Acad.h"

class AcDbHyperlink {
 public:
  AcDbHyperlink() = default;
  AcDbHyperlink(const std::wstring& name, const std::wstring& description, const std::wstring& subLocation);

  const std::wstring& name() const { return m_name; }
  void setName(const ACHAR* name) { m_name = name ? name : L""; }
  const std::wstring& description() const { return m_description; }
  void setDescription(const ACHAR* description) { m_description = description ? description : L""; }
  const std::wstring& subLocation() const { return m_subLocation; }
  void setSubLocation(const ACHAR* subLocation) { m_subLocation = subLocation ? subLocation : L""; }

 private:
  std::wstring m_name;
  std::wstring m_description;
  std::wstring m_subLocation;
};
