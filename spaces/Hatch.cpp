#include "spaces/Hatch.h"

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
