#include "Acad.h"

const ACHAR* Acad::errorStatusText(ErrorStatus status) {
  switch (status) {
#define STATUS_TEXT(name) \
  case name:              \
    return L## #name;
    STATUS_TEXT(eOk) STATUS_TEXT(eNotImplementedYet) STATUS_TEXT(eNotApplicable) STATUS_TEXT(eInvalidInput)
    STATUS_TEXT(eAmbiguousOutput) STATUS_TEXT(eOutOfMemory) STATUS_TEXT(eKeyNotFound) STATUS_TEXT(eDuplicateKey)
    STATUS_TEXT(eInvalidKey) STATUS_TEXT(eNullObjectId) STATUS_TEXT(eNullEntityPointer) STATUS_TEXT(eNullHandle)
    STATUS_TEXT(eNullObjectPointer) STATUS_TEXT(eNotOpenForRead) STATUS_TEXT(eNotOpenForWrite)
    STATUS_TEXT(eWasOpenForWrite) STATUS_TEXT(eWasOpenForRead) STATUS_TEXT(eWasErased) STATUS_TEXT(eOnLockedLayer)
    STATUS_TEXT(eUnknownHandle) STATUS_TEXT(eDuplicateRecordName) STATUS_TEXT(eNotAnEntity)
    STATUS_TEXT(eInvalidDxfCode) STATUS_TEXT(eInvalidResBuf) STATUS_TEXT(eBadDxfSequence)
    STATUS_TEXT(eNotInDatabase) STATUS_TEXT(eObjectToBeDeleted) STATUS_TEXT(eFileNotFound)
    STATUS_TEXT(eBadDwgHeader) STATUS_TEXT(eFileAccessErr) STATUS_TEXT(eFileSystemErr) STATUS_TEXT(eInvalidDxfFile)
    STATUS_TEXT(eNotInBlock) STATUS_TEXT(eLockViolation) STATUS_TEXT(eLockConflict) STATUS_TEXT(eNoDocument)
    STATUS_TEXT(eInvalidContext) STATUS_TEXT(eNotHandled) STATUS_TEXT(eNotThatKindOfClass)
    STATUS_TEXT(eHatchTooDense)
#undef STATUS_TEXT
  }
  return L"eUnknownStatus";
}

const ACHAR* acadErrorStatusText(Acad::ErrorStatus status) { return Acad::errorStatusText(status); }
