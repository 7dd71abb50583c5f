// A jogged radius dimension (LARGE_RADIAL_DIMENSION): drawn by its block as every dimension
// is; its own geometry is carried as read.
#pragma once

#include "AcDbDimension.h"

class AcDbRadialDimensionLarge : public AcDbDimension {
  ACRX_DECLARE_MEMBERS(AcDbRadialDimensionLarge)
};
