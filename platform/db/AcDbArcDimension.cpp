#include "AcDbArcDimension.h"

ACRX_DEFINE_MEMBERS(AcDbArcDimension, AcDbDimension, L"ARC_DIMENSION")
