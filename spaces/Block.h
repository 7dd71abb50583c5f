// A space's values as plain data: handle text, name, measurements in the
// space's units and its facility data.  The space in the drawing,
// CBlockDWG, builds on it.
#pragma once

#include <memory>
#include <string>

#include "spaces/Hyperlinks.h"

class CBlock {
 public:
  const std::wstring& getHandle() const { return m_handle; }
  void setHandle(const std::wstring& handle) { m_handle = handle; }
  const std::wstring& getName() const { return m_name; }
  void setName(const std::wstring& value) { m_name = value; }
  const std::wstring& getCode() const { return m_code; }
  void setCode(const std::wstring& value) { m_code = value; }
  const std::wstring& getTagType() const { return m_tagType; }
  void setTagType(const std::wstring& value) { m_tagType = value; }
  const std::wstring& getAreaType() const { return m_areaType; }
  void setAreaType(const std::wstring& value) { m_areaType = value; }
  const std::wstring& getCostCentre() const { return m_costCentre; }
  void setCostCentre(const std::wstring& value) { m_costCentre = value; }
  const std::wstring& getDate() const { return m_date; }
  void setDate(const std::wstring& value) { m_date = value; }
  const std::wstring& getDateLastMove() const { return m_dateLastMove; }
  void setDateLastMove(const std::wstring& value) { m_dateLastMove = value; }
  const std::wstring& getDeptCharge() const { return m_deptCharge; }
  void setDeptCharge(const std::wstring& value) { m_deptCharge = value; }
  const std::wstring& getSpecialReq() const { return m_specialReq; }
  void setSpecialReq(const std::wstring& value) { m_specialReq = value; }
  const std::wstring& getTotalStaff() const { return m_totalStaff; }
  void setTotalStaff(const std::wstring& value) { m_totalStaff = value; }
  const std::wstring& getTotalWorkstations() const { return m_totalWorkstations; }
  void setTotalWorkstations(const std::wstring& value) { m_totalWorkstations = value; }
  int getUnits() const { return m_units; }
  void setUnits(int value) { m_units = value; }
  int getPrecision() const { return m_precision; }
  void setPrecision(int value) { m_precision = value; }
  int getLevel() const { return m_level; }
  void setLevel(int value) { m_level = value; }
  double getArea() const { return m_area; }
  void setArea(double value) { m_area = value; }
  double getPerimeter() const { return m_perimeter; }
  void setPerimeter(double value) { m_perimeter = value; }
  double getRoomHeight() const { return m_roomHeight; }
  void setRoomHeight(double value) { m_roomHeight = value; }
  double getVolume() const { return m_volume; }
  void setVolume(double value) { m_volume = value; }
  // Null when the space has none.
  CHyperlinks* getHyperlinks() const { return m_hyperlinks.list.get(); }
  void setHyperlinks(std::unique_ptr<CHyperlinks> hyperlinks) { m_hyperlinks.list = std::move(hyperlinks); }

 protected:
  std::wstring m_handle;
  std::wstring m_name;
  std::wstring m_code;
  std::wstring m_tagType;
  std::wstring m_areaType;
  std::wstring m_costCentre;
  std::wstring m_date;
  std::wstring m_dateLastMove;
  std::wstring m_deptCharge;
  std::wstring m_specialReq;
  std::wstring m_totalStaff;
  std::wstring m_totalWorkstations;
  int m_units = 0;
  int m_precision = 2;
  double m_area = 0.0;
  double m_perimeter = 0.0;
  double m_roomHeight = 0.0;
  double m_volume = 0.0;
  int m_level = 0;

 private:
  // Each space owns its links alone: copying a CBlock onto another leaves
  // the target's list where it was.
  struct OwnedHyperlinks {
    OwnedHyperlinks() = default;
    OwnedHyperlinks(const OwnedHyperlinks&) {}
    OwnedHyperlinks& operator=(const OwnedHyperlinks&) { return *this; }
    std::unique_ptr<CHyperlinks> list;
  };
  OwnedHyperlinks m_hyperlinks;
};
