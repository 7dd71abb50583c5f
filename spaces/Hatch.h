// The hatch settings of a space, a report category or an asset.  Angle and
// scale are whole numbers, as reports give them; hatches take them as reals.
#pragma once

#include <string>

#include "AcCmColor.h"
#include "AcGeVector3d.h"

class AcDbHatch;

class CHatch {
 public:
  void copyTo(CHatch& target) const;
  // Pattern, angle, scale and colour onto a hatch flat in the plane of the
  // normal, not associative, style normal; the first failing setter's
  // status (a pattern the host lacks, a scale of 0).
  Acad::ErrorStatus applyTo(AcDbHatch& hatch, const AcGeVector3d& normal) const;

  const std::wstring& getPattern() const { return m_pattern; }
  void setPattern(const std::wstring& pattern) { m_pattern = pattern; }
  int getAngle() const { return m_angle; }
  void setAngle(int angle) { m_angle = angle; }
  int getScale() const { return m_scale; }
  void setScale(int scale) { m_scale = scale; }
  const std::wstring& getLayer() const { return m_layer; }
  void setLayer(const std::wstring& layer) { m_layer = layer; }
  const AcCmColor& getColour() const { return m_colour; }
  void setColour(const AcCmColor& colour) { m_colour = colour; }

 private:
  std::wstring m_pattern;
  int m_angle = 0;
  int m_scale = 0;
  std::wstring m_layer;
  AcCmColor m_colour;
};
