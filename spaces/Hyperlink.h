// One address with its description, as the host shows it on an entity.
#pragma once

#include <string>

namespace pugi {
class xml_node;
}

class CHyperlink {
 public:
  CHyperlink() = default;
  CHyperlink(const std::wstring& address, const std::wstring& description);
  virtual ~CHyperlink();

  void copyTo(CHyperlink& other) const;
  // Reads a "hyperlink" element of a graphic report: target and description.
  void deSerialize(pugi::xml_node node);

  const std::wstring& getAddress() const { return m_address; }
  void setAddress(const std::wstring& address) { m_address = address; }
  const std::wstring& getDescription() const { return m_description; }
  void setDescription(const std::wstring& description) { m_description = description; }

 private:
  std::wstring m_address;
  std::wstring m_description;
};
