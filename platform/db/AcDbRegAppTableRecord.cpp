#include "AcDbRegAppTableRecord.h"

ACRX_DEFINE_MEMBERS(AcDbRegAppTableRecord, AcDbSymbolTableRecord, L"APPID")

std::string_view AcDbRegAppTableRecord::recordMarker() const { return "AcDbRegAppTableRecord"; }
