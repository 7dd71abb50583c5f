// How transparent an entity or layer is drawn: by layer, by block, or an
// alpha from 0 (clear) to 255 (opaque).  DXF keeps it as one integer
// (group 440, or a layer's "AcCmTransparency" extended data): 0x01000000 by
// block, 0x02000000 plus the alpha for an alpha, anything else by layer.
#pragma once

#include "Acad.h"

class AcCmTransparency {
 public:
  AcCmTransparency() = default;
  explicit AcCmTransparency(Adesk::UInt8 alpha) : m_method(kByAlpha), m_alpha(alpha) {}

  bool isByLayer() const { return m_method == kByLayer; }
  bool isByBlock() const { return m_method == kByBlock; }
  bool isByAlpha() const { return m_method == kByAlpha; }
  Adesk::UInt8 alpha() const { return m_alpha; }
  // The share of what lies below that shows through nothing: 1 opaque.
  double opacity() const { return isByAlpha() ? m_alpha / 255.0 : 1.0; }

  Adesk::UInt32 serializeOut() const;
  static AcCmTransparency serializeIn(Adesk::UInt32 value);

 private:
  enum Method { kByLayer, kByBlock, kByAlpha };
  Method m_method = kByLayer;
  Adesk::UInt8 m_alpha = 255;
};
