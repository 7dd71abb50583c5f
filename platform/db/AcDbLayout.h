// A layout (LAYOUT): the tab named in the drawing, its order among the
// tabs and the block table record that holds its entities.  The plot
// settings it carries are kept as read.
#pragma once

#include <string>

#include "AcDbObject.h"

class AcDbLayout : public AcDbObject {
  ACRX_DECLARE_MEMBERS(AcDbLayout)

 public:
  AcDbLayout();
  ~AcDbLayout() override;

  Acad::ErrorStatus getLayoutName(std::wstring& name) const;
  const std::wstring& layoutName() const { return m_name; }
  Acad::ErrorStatus setLayoutName(const ACHAR* name);
  int getTabOrder() const { return m_tabOrder; }
  Acad::ErrorStatus setTabOrder(int order);
  AcDbObjectId getBlockTableRecordId() const { return m_block; }
  Acad::ErrorStatus setBlockTableRecordId(AcDbObjectId block);
  // The viewports of the layout's block, in drawing order; the first is the
  // paper space viewport itself.
  AcDbObjectIdArray getViewportArray() const;

 protected:
  ACDB_DECLARE_DXF_FIELDS

 private:
  std::wstring m_name;
  int m_tabOrder = 0;
  AcDbObjectId m_block;
};
