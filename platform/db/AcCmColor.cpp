#include "AcCmColor.h"

std::uint16_t AcCmColor::colorIndex() const {
  switch (colorMethod()) {
    case AcCmEntityColor::kByLayer:
      return 256;
    case AcCmEntityColor::kByBlock:
      return 0;
    default:
      return m_index;
  }
}

Acad::ErrorStatus AcCmColor::setColorIndex(std::uint16_t index) {
  if (index > 256) return Acad::eInvalidInput;
  if (index == 0) return setByBlock();
  if (index == 256) return setByLayer();
  m_method = AcCmEntityColor::kByACI;
  m_index = index;
  return Acad::eOk;
}

Acad::ErrorStatus AcCmColor::setByLayer() {
  m_method = AcCmEntityColor::kByLayer;
  m_index = 256;
  return Acad::eOk;
}

Acad::ErrorStatus AcCmColor::setByBlock() {
  m_method = AcCmEntityColor::kByBlock;
  m_index = 0;
  return Acad::eOk;
}

Acad::ErrorStatus AcCmColor::setRGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  // Palette index 7 (white/black) stands beside a true colour for readers that only know the palette.
  setTrueColor((Adesk::UInt32(red) << 16) | (Adesk::UInt32(green) << 8) | blue, 7);
  return Acad::eOk;
}

void AcCmColor::setTrueColor(Adesk::UInt32 rgb, std::uint16_t paletteIndex) {
  m_method = AcCmEntityColor::kByColor;
  m_rgb = rgb & 0xFFFFFF;
  m_index = paletteIndex;
}

std::uint8_t AcCmColor::red() const { return static_cast<std::uint8_t>(m_rgb >> 16); }
std::uint8_t AcCmColor::green() const { return static_cast<std::uint8_t>(m_rgb >> 8); }
std::uint8_t AcCmColor::blue() const { return static_cast<std::uint8_t>(m_rgb); }

bool AcCmColor::operator==(const AcCmColor& other) const {
  return m_method == other.m_method && colorIndex() == other.colorIndex() &&
         (m_method != AcCmEntityColor::kByColor || m_rgb == other.m_rgb);
}
