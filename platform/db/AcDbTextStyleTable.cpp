#include "AcDbTextStyleTable.h"

ACRX_DEFINE_MEMBERS(AcDbTextStyleTable, AcDbSymbolTable, L"TABLE")

const AcRxClass* AcDbTextStyleTable::recordClass() const { return AcDbTextStyleTableRecord::desc(); }
