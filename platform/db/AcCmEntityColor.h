// How an entity's colour is given, and the host's 255-colour palette.
#pragma once

#include "Acad.h"

namespace AcCmEntityColor {

enum ColorMethod { kByLayer = 0xC0, kByBlock = 0xC1, kByColor = 0xC2, kByACI = 0xC3, kForeground = 0xC5, kNone = 0xC8 };

// 0x00RRGGBB of a palette index as model space shows it; index 0 (by
// block) gives black.
Adesk::UInt32 lookUpRGB(Adesk::UInt8 colorIndex);

}  // namespace AcCmEntityColor
