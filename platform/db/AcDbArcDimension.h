// An arc length dimension (ARC_DIMENSION): drawn by its block as every dimension
// is; its own geometry is carried as read.
#pragma once

#include "AcDbDimension.h"

class AcDbArcDimension : public AcDbDimension {
  ACRX_DECLARE_MEMBERS(AcDbArcDimension)
};
