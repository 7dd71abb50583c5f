// Basic types, status codes and result codes of the host's extension API.
#pragma once

#include <cstdint>

typedef wchar_t ACHAR;
typedef int BOOL;
typedef unsigned int UINT;
#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

namespace Adesk {
typedef std::uint8_t UInt8;
typedef std::int16_t Int16;
typedef std::int32_t Int32;
typedef std::uint32_t UInt32;
typedef std::int64_t Int64;
typedef std::uint64_t UInt64;
typedef std::intptr_t LongPtr;
typedef bool Boolean;
constexpr bool kTrue = true;
constexpr bool kFalse = false;
}  // namespace Adesk

namespace Acad {
// The values the module tests or shows; every other failure is one of these.
enum ErrorStatus {
  eOk = 0,
  eNotImplementedYet = 1,
  eNotApplicable = 2,
  eInvalidInput = 3,
  eAmbiguousOutput = 5,
  // What evaluating a hatch says of a pattern too coarse to cross its boundary.
  eHatchNotDenseEnough = eAmbiguousOutput,
  eOutOfMemory = 8,
  eKeyNotFound = 52,
  eDuplicateKey = 54,
  eInvalidKey = 55,
  eNullObjectId = 56,
  eNullEntityPointer = 57,
  eNullHandle = 59,
  eNullObjectPointer = 61,
  eNotOpenForRead = 77,
  eNotOpenForWrite = 78,
  eWasOpenForWrite = 81,
  eWasOpenForRead = 82,
  eWasErased = 84,
  eOnLockedLayer = 87,
  eUnknownHandle = 92,
  eDuplicateRecordName = 94,
  eNotAnEntity = 109,
  eInvalidDxfCode = 114,
  eInvalidResBuf = 116,
  eBadDxfSequence = 117,
  eNotInDatabase = 122,
  eObjectToBeDeleted = 127,
  eFileNotFound = 136,
  eBadDwgHeader = 140,
  eFileAccessErr = 151,
  eFileSystemErr = 152,
  eInvalidDxfFile = 155,
  eNotInBlock = 166,
  eLockViolation = 287,
  eLockConflict = 288,
  eNoDocument = 320,
  eInvalidContext = 321,
  eNotHandled = 348,
  eNotThatKindOfClass = 353,
  eHatchTooDense = 420,
};

// The host's own wording of a status, as shown in error reports.
const ACHAR* errorStatusText(ErrorStatus status);

enum SaveType { kDwg = 0, kDxf = 1 };
}  // namespace Acad

const ACHAR* acadErrorStatusText(Acad::ErrorStatus status);

namespace AcDb {
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };
enum LineWeight {
  kLnWt000 = 0, kLnWt005 = 5, kLnWt009 = 9, kLnWt013 = 13, kLnWt015 = 15, kLnWt018 = 18,
  kLnWt020 = 20, kLnWt025 = 25, kLnWt030 = 30, kLnWt035 = 35, kLnWt040 = 40, kLnWt050 = 50,
  kLnWt053 = 53, kLnWt060 = 60, kLnWt070 = 70, kLnWt080 = 80, kLnWt090 = 90, kLnWt100 = 100,
  kLnWt106 = 106, kLnWt120 = 120, kLnWt140 = 140, kLnWt158 = 158, kLnWt200 = 200, kLnWt211 = 211,
  kLnWtByLayer = -1, kLnWtByBlock = -2, kLnWtByLwDefault = -3
};
}  // namespace AcDb

// Whether the value is one of AcDb::LineWeight's.
inline bool acdbIsLineWeight(int weight) {
  switch (weight) {
    case 0: case 5: case 9: case 13: case 15: case 18: case 20: case 25: case 30: case 35: case 40: case 50:
    case 53: case 60: case 70: case 80: case 90: case 100: case 106: case 120: case 140: case 158: case 200:
    case 211: case -1: case -2: case -3:
      return true;
    default:
      return false;
  }
}

// Result codes of the editor's prompt and pick functions.
enum {
  RTNORM = 5100,
  RTNONE = 5000,
  RTREJ = -5003,
  RTFAIL = -5004,
  RTERROR = -5001,
  RTCAN = -5002,
  RTKWORD = -5005,
};

// Result-buffer type codes (besides DXF group codes).
enum {
  RTSHORT = 5003,
  RTREAL = 5001,
  RTPOINT = 5002,
  RTSTR = 5005,
  RTENAME = 5006,
  RTPICKS = 5007,
  RT3DPOINT = 5009,
  RTLONG = 5010,
  RTDXF0 = 5020,
};

typedef double ads_real;
typedef ads_real ads_point[3];
typedef Adesk::LongPtr ads_name[2];
enum { X = 0, Y = 1, Z = 2 };
