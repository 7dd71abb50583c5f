#include "spaces/Hatch.h"

#include "AcDbHatch.h"
#include "support/ZelphExceptions.h"

void CHatch::copyTo(CHatch& target) const {
  ZELPH_TRY
    target.m_angle = m_angle;
    target.m_colour = m_colour;
    target.m_layer = m_layer;
    target.m_pattern = m_pattern;
    target.m_scale = m_scale;
  ZELPH_CATCH(L"CHatch::copyTo")
}

Acad::ErrorStatus CHatch::applyTo(AcDbHatch& hatch, const AcGeVector3d& normal) const {
  ZELPH_TRY
    // Reports give angle and scale as whole numbers; the hatch takes them as they are.
    for (const Acad::ErrorStatus status :
         {hatch.setPattern(AcDbHatch::kPreDefined, m_pattern.c_str()),
          hatch.setPatternAngle(static_cast<double>(m_angle)), hatch.setPatternScale(static_cast<double>(m_scale)),
          hatch.setAssociative(false), hatch.setHatchStyle(AcDbHatch::kNormal), hatch.setColor(m_colour),
          hatch.setNormal(normal), hatch.setElevation(0.0)})
      if (status != Acad::eOk) return status;
    return Acad::eOk;
  ZELPH_CATCH(L"CHatch::applyTo")
}
