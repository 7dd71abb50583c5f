// The dynamic-block view of a block reference.  A reference of a dynamic
// block that the user changed points at an anonymous block ("*U..."); the
// anonymous block's record names the dynamic block it represents in its
// extended data under "AcDbBlockRepBTag" (a flag, then the handle of the
// dynamic block's record), as the host writes it into drawings.
#pragma once

#include "AcDbObjectId.h"

class AcDbDynBlockReference {
 public:
  explicit AcDbDynBlockReference(AcDbObjectId reference);

  // The reference's block represents a dynamic block.  (The parameters of
  // a dynamic block itself are not modelled, so its own references say no.)
  bool isDynamicBlock() const { return !m_dynamicBlock.isNull(); }
  // The dynamic block's definition; null when there is none.
  AcDbObjectId dynamicBlockTableRecord() const { return m_dynamicBlock; }

 private:
  AcDbObjectId m_dynamicBlock;
};
