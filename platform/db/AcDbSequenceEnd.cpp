#include "AcDbSequenceEnd.h"

ACRX_DEFINE_MEMBERS(AcDbSequenceEnd, AcDbEntity, L"SEQEND")
