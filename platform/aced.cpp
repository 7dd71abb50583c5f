#include "aced.h"

#include "AcEditor.h"
#include "SystemVariables.h"

int acedInitGet(int flags, const ACHAR* keywords) { return AcEditor::instance().initGet(flags, keywords); }

int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result, size_t bufferLength) {
  return AcEditor::instance().getString(cronly != 0, prompt, result, bufferLength);
}

int acedGetReal(const ACHAR* prompt, ads_real* result) { return AcEditor::instance().getReal(prompt, result); }

int acedGetInt(const ACHAR* prompt, int* result) { return AcEditor::instance().getInt(prompt, result); }

int acedGetPoint(const ads_point basePoint, const ACHAR* prompt, ads_point result) {
  return AcEditor::instance().getPoint(basePoint, prompt, result);
}

int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t bufferLength) {
  return AcEditor::instance().getKword(prompt, result, bufferLength);
}

int acedGetInput(ACHAR* result, size_t bufferLength) { return AcEditor::instance().getInput(result, bufferLength); }

int acedGetVar(const ACHAR* name, resbuf* result) { return SystemVariables::instance().get(name, result); }

int acedSetVar(const ACHAR* name, const resbuf* value) { return SystemVariables::instance().set(name, value); }
