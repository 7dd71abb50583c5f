#include "AcDbLinetypeTable.h"

ACRX_DEFINE_MEMBERS(AcDbLinetypeTable, AcDbSymbolTable, L"TABLE")

const AcRxClass* AcDbLinetypeTable::recordClass() const { return AcDbLinetypeTableRecord::desc(); }
