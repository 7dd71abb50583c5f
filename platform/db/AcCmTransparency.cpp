#include "AcCmTransparency.h"

namespace {
constexpr Adesk::UInt32 kByBlockValue = 0x01000000;
constexpr Adesk::UInt32 kByAlphaFlag = 0x02000000;
}  // namespace

Adesk::UInt32 AcCmTransparency::serializeOut() const {
  if (isByBlock()) return kByBlockValue;
  return isByAlpha() ? kByAlphaFlag | m_alpha : 0;
}

AcCmTransparency AcCmTransparency::serializeIn(Adesk::UInt32 value) {
  AcCmTransparency transparency;
  if (value == kByBlockValue) transparency.m_method = kByBlock;
  else if ((value & 0xFF000000) == kByAlphaFlag) transparency = AcCmTransparency(static_cast<Adesk::UInt8>(value & 0xFF));
  return transparency;
}
