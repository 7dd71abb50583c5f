#include "AcDbRadialDimensionLarge.h"

ACRX_DEFINE_MEMBERS(AcDbRadialDimensionLarge, AcDbDimension, L"LARGE_RADIAL_DIMENSION")
