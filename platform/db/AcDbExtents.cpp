#include "AcDbExtents.h"

#include <algorithm>
#include <limits>

namespace {
constexpr double kHuge = std::numeric_limits<double>::max();
}

AcDbExtents::AcDbExtents() : m_min(kHuge, kHuge, kHuge), m_max(-kHuge, -kHuge, -kHuge) {}

AcDbExtents::AcDbExtents(const AcGePoint3d& minimum, const AcGePoint3d& maximum) : AcDbExtents() {
  set(minimum, maximum);
}

bool AcDbExtents::isValid() const { return m_min.x <= m_max.x && m_min.y <= m_max.y && m_min.z <= m_max.z; }

Acad::ErrorStatus AcDbExtents::set(const AcGePoint3d& minimum, const AcGePoint3d& maximum) {
  if (minimum.x > maximum.x || minimum.y > maximum.y || minimum.z > maximum.z) return Acad::eInvalidInput;
  m_min = minimum;
  m_max = maximum;
  return Acad::eOk;
}

void AcDbExtents::addPoint(const AcGePoint3d& point) {
  for (int i = 0; i < 3; ++i) {
    m_min[i] = std::min(m_min[i], point[i]);
    m_max[i] = std::max(m_max[i], point[i]);
  }
}

void AcDbExtents::addExt(const AcDbExtents& other) {
  if (!other.isValid()) return;
  addPoint(other.m_min);
  addPoint(other.m_max);
}

void AcDbExtents::expandBy(const AcGeVector3d& vector) {
  addPoint(m_min + vector);
  addPoint(m_max + vector);
}

void AcDbExtents::transformBy(const AcGeMatrix3d& matrix) {
  if (!isValid()) return;
  const AcGePoint3d low = m_min, high = m_max;
  *this = AcDbExtents();
  for (int corner = 0; corner < 8; ++corner) {
    AcGePoint3d p((corner & 1) ? high.x : low.x, (corner & 2) ? high.y : low.y, (corner & 4) ? high.z : low.z);
    addPoint(matrix * p);
  }
}
