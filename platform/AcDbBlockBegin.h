// The BLOCK entity that opens a block definition in a file: its name,
// flags and base point.  Owned by the block table record.
#pragma once

#include <string>

#include "AcDbEntity.h"

class AcDbBlockBegin : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbBlockBegin)

 public:
  const std::wstring& name() const { return m_name; }
  void setName(const std::wstring& name);
  AcGePoint3d origin() const { return m_origin; }
  void setOrigin(const AcGePoint3d& origin);
  Adesk::Int16 blockFlags() const { return m_flags; }
  void setBlockFlags(Adesk::Int16 flags);
  const std::wstring& pathName() const { return m_path; }

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  friend class AcDbBlockTableRecord;

  std::wstring m_name;
  std::wstring m_path;
  AcGePoint3d m_origin;
  Adesk::Int16 m_flags = 0;
};
