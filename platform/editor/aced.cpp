#include "aced.h"

#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "AcEditor.h"
#include "AcGeMatrix3d.h"
#include "ProgressMeter.h"
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

int acedSetStatusBarProgressMeter(const ACHAR* label, int minPos, int maxPos) {
  return ProgressMeter::instance().start(label != nullptr ? label : L"", minPos, maxPos) ? 0 : -1;
}

int acedSetStatusBarProgressMeterPos(int pos) { return ProgressMeter::instance().move(pos) ? 0 : -1; }

void acedRestoreStatusBarProgressMeter() { ProgressMeter::instance().restore(); }

int acedSetVar(const ACHAR* name, const resbuf* value) { return SystemVariables::instance().set(name, value); }

namespace {

// World (0), user (1) and display (2) coordinates.  Without a view the
// display's are the world's.
bool isKnownSystem(const resbuf* system) {
  return system != nullptr && system->restype == RTSHORT && system->resval.rint >= 0 && system->resval.rint <= 2;
}

// From the system's coordinates to the world's.
AcGeMatrix3d toWorld(const resbuf* system) {
  AcGeMatrix3d matrix;
  if (system->resval.rint == 1) acdbUcsMatrix(matrix);
  return matrix;
}

}  // namespace

int acedTrans(const ads_point point, const resbuf* from, const resbuf* to, int displacement, ads_point result) {
  if (point == nullptr || result == nullptr || !isKnownSystem(from) || !isKnownSystem(to)) return RTERROR;
  const AcGeMatrix3d transform = toWorld(to).inverse() * toWorld(from);
  AcGePoint3d moved(point[X], point[Y], point[Z]);
  moved.transformBy(transform);
  // A displacement turns with the axes but does not move with the origin.
  const AcGePoint3d origin = displacement != 0 ? AcGePoint3d(AcGePoint3d::kOrigin).transformBy(transform)
                                                     : AcGePoint3d::kOrigin;
  result[X] = moved.x - origin.x;
  result[Y] = moved.y - origin.y;
  result[Z] = moved.z - origin.z;
  return RTNORM;
}

bool acdbUcsMatrix(AcGeMatrix3d& matrix, AcDbDatabase* database) {
  if (database == nullptr) database = acdbHostApplicationServices()->workingDatabase();
  matrix.setToIdentity();
  if (database == nullptr) return false;
  const AcGeVector3d xAxis = database->ucsxdir(), yAxis = database->ucsydir();
  matrix.setCoordSystem(database->ucsorg(), xAxis, yAxis, xAxis.crossProduct(yAxis));
  return true;
}
