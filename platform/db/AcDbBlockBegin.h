// The BLOCK entity that opens a block definition in a file: its name,
// flags and base point.  Owned by the block table record.
#pragma once

#include <string>

#include "AcDbEntity.h"

class AcDbBlockBegin : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbBlockBegin)

 public:
  std::wstring name() const;
  void setName(const std::wstring& name);
  AcGePoint3d origin() const { return m_origin; }
  void setOrigin(const AcGePoint3d& origin);
  Adesk::Int16 blockFlags() const { return m_flags; }
  void setBlockFlags(Adesk::Int16 flags);
  std::wstring pathName() const;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  friend class AcDbBlockTableRecord;

  // In UTF-8: most names then need no allocation of their own.
  std::string m_name;
  std::string m_path;
  AcGePoint3d m_origin;
  Adesk::Int16 m_flags = 0;
};
