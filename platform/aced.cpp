#include "aced.h"

#include "AcEditor.h"
#include "AcGeMatrix3d.h"
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

namespace {

// World (0), user (1) and display (2) coordinates: without a view or a
// user coordinate system of its own they all are the world's.
bool isWorldLike(const resbuf* system) {
  return system != nullptr && system->restype == RTSHORT && system->resval.rint >= 0 && system->resval.rint <= 2;
}

}  // namespace

int acedTrans(const ads_point point, const resbuf* from, const resbuf* to, int, ads_point result) {
  if (point == nullptr || result == nullptr || !isWorldLike(from) || !isWorldLike(to)) return RTERROR;
  for (int axis = X; axis <= Z; ++axis) result[axis] = point[axis];
  return RTNORM;
}

bool acdbUcsMatrix(AcGeMatrix3d& matrix, AcDbDatabase*) {
  matrix.setToIdentity();
  return true;
}
