// An entity's or layer's colour: by layer, by block, an index of the
// 255-colour palette, or a true colour.
#pragma once

#include <cstdint>

#include "AcCmEntityColor.h"
#include "Acad.h"

class AcCmColor {
 public:
  AcCmColor() = default;

  AcCmEntityColor::ColorMethod colorMethod() const { return static_cast<AcCmEntityColor::ColorMethod>(m_method); }
  bool isByLayer() const { return m_method == AcCmEntityColor::kByLayer; }
  bool isByBlock() const { return m_method == AcCmEntityColor::kByBlock; }
  bool isByACI() const { return m_method == AcCmEntityColor::kByACI; }
  bool isByColor() const { return m_method == AcCmEntityColor::kByColor; }

  // 0 by block, 256 by layer, 1-255 a palette index; a true colour gives
  // the palette index that is written beside it.
  std::uint16_t colorIndex() const;
  // 0 and 256 switch to by block and by layer.
  Acad::ErrorStatus setColorIndex(std::uint16_t index);
  Acad::ErrorStatus setByLayer();
  Acad::ErrorStatus setByBlock();
  Acad::ErrorStatus setRGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
  std::uint8_t red() const;
  std::uint8_t green() const;
  std::uint8_t blue() const;
  // 0x00RRGGBB, as DXF group 420 holds it.
  Adesk::UInt32 rgb() const { return m_rgb; }
  // A true colour with the palette index that goes with it in a file.
  void setTrueColor(Adesk::UInt32 rgb, std::uint16_t paletteIndex);

  bool operator==(const AcCmColor& other) const;
  bool operator!=(const AcCmColor& other) const { return !(*this == other); }

 private:
  // Packed: every entity holds one.
  std::uint8_t m_method = AcCmEntityColor::kByLayer;
  std::uint16_t m_index = 256;
  Adesk::UInt32 m_rgb = 0;
};
