#include "AcDbLayerTable.h"

ACRX_DEFINE_MEMBERS(AcDbLayerTable, AcDbSymbolTable, L"TABLE")

const AcRxClass* AcDbLayerTable::recordClass() const { return AcDbLayerTableRecord::desc(); }
