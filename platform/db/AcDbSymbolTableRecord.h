// A named entry of a symbol table (a layer, a block, a linetype ...).
#pragma once

#include <string>
#include <string_view>

#include "AcDbObject.h"

class AcDbSymbolTableRecord : public AcDbObject {
  ACRX_DECLARE_MEMBERS(AcDbSymbolTableRecord)

 public:
  AcDbSymbolTableRecord();
  ~AcDbSymbolTableRecord() override;

  Acad::ErrorStatus getName(std::wstring& name) const;
  // Valid while the record is open and unchanged.
  Acad::ErrorStatus getName(const ACHAR*& name) const;
  const std::wstring& name() const { return m_name; }
  // eDuplicateRecordName when the table has another record of that name
  // (names compare ignoring case).
  Acad::ErrorStatus setName(const ACHAR* name);
  // Names from an external reference ("XREF|LAYER").
  bool isDependent() const;
  // The name of the record an id names; empty for none.
  static std::wstring nameOf(AcDbObjectId record);

 protected:
  // The marker of the group that holds the name and flags.
  virtual std::string_view recordMarker() const;
  Adesk::Int16 flags() const { return m_flags; }
  // Sets or clears bits of the standard flags (group 70).
  bool setFlag(Adesk::Int16 bit, bool on);

  ACDB_DECLARE_DXF_FIELDS
  // A dimension style's later 70 is its DIMTFILLCLR, not the flags.
  bool dxfOwnsOnce(const DxfGroup& group, int code) const override;
  void dxfInDone(DxfInFiler& in) override;

 private:
  friend class AcDbSymbolTable;

  std::wstring m_name;
  Adesk::Int16 m_flags = 0;
};
