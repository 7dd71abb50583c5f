// The SEQEND entity that closes a block reference's attributes in a file.
#pragma once

#include "AcDbEntity.h"

class AcDbSequenceEnd : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbSequenceEnd)
};
