// The editor: questions, picks and selections on the host's command line,
// system variables and coordinate translation.
//
// Answers come from the host console, one line each: an empty line is
// Enter, "*cancel*" is Escape, and the end of input is Escape for every
// prompt except text prompts, which take it as Enter.  A point is x,y or
// x,y,z in the current UCS.  An entity pick is #HANDLE or a point.  A
// selection is picks separated by blanks, "all", "w x1,y1 x2,y2" or
// "c x1,y1 x2,y2".
#pragma once

#include <cstddef>

#include "Acad.h"
#include "resbuf.h"

class AcDbObjectId;
class AcDbDatabase;
class AcGeMatrix3d;

// Flags of acedInitGet.
enum { RSG_NONULL = 0x01, RSG_NOZERO = 0x02, RSG_NONEG = 0x04, RSG_OTHER = 0x80 };

int acedInitGet(int flags, const ACHAR* keywords);
// cronly non-zero: blanks are part of the reply, which ends at the line end.
// The result buffer holds at least 133 characters.
int acedGetString(int cronly, const ACHAR* prompt, ACHAR* result, size_t bufferLength = 133);
int acedGetReal(const ACHAR* prompt, ads_real* result);
int acedGetInt(const ACHAR* prompt, int* result);
int acedGetPoint(const ads_point basePoint, const ACHAR* prompt, ads_point result);
int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t bufferLength = 133);
// The keyword (or, with RSG_OTHER, the free answer) behind the last RTKWORD.
int acedGetInput(ACHAR* result, size_t bufferLength = 133);

int acedEntSel(const ACHAR* prompt, ads_name entity, ads_point pickPoint);
// Modes: null (ask the user), "X" (whole drawing, through the filter),
// "W"/"C" (window/crossing between pt1 and pt2), ":S" (single pick).
int acedSSGet(const ACHAR* mode, const void* pt1, const void* pt2, const resbuf* filter, ads_name selection);
int acedSSLength(const ads_name selection, Adesk::Int32* length);
int acedSSName(const ads_name selection, Adesk::Int32 index, ads_name entity);
int acedSSFree(const ads_name selection);
int acedSSAdd(const ads_name entity, const ads_name selection, ads_name result);
// Highlights (mode 3) or unhighlights (mode 4) an entity.
int acedRedraw(const ads_name entity, int mode);

int acedGetVar(const ACHAR* name, resbuf* result);
// The status bar's progress meter: 0 when shown, -1 for an empty range or
// no meter running.
int acedSetStatusBarProgressMeter(const ACHAR* label, int minPos, int maxPos);
int acedSetStatusBarProgressMeterPos(int pos);
void acedRestoreStatusBarProgressMeter();
int acedSetVar(const ACHAR* name, const resbuf* value);

// from/to: RTSHORT 0 world, 1 current UCS; displacement non-zero moves a
// vector instead of a point.
int acedTrans(const ads_point point, const resbuf* from, const resbuf* to, int displacement, ads_point result);
bool acdbUcsMatrix(AcGeMatrix3d& matrix, AcDbDatabase* database = nullptr);

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name entity);
Acad::ErrorStatus acdbGetAdsName(ads_name& entity, AcDbObjectId id);
int acdbHandEnt(const ACHAR* handle, ads_name entity);
