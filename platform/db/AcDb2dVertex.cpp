#include "AcDb2dVertex.h"

#include "DxfInFiler.h"
#include "DxfOutFiler.h"

ACRX_DEFINE_MEMBERS(AcDb2dVertex, AcDbEntity, L"VERTEX")

namespace {

constexpr std::string_view kVertexMarker = "AcDbVertex";
constexpr std::string_view kMarker = "AcDb2dVertex";
// Flag 70 bits that say how the vertex came to be.
constexpr int kCurveFit = 1;
constexpr int kSplineFit = 8;
constexpr int kSplineFrame = 16;

}  // namespace

AcDb2dVertex::AcDb2dVertex() = default;

AcDb2dVertex::AcDb2dVertex(const AcGePoint3d& position, double bulge, double startWidth, double endWidth)
    : m_position(position.x, position.y, 0.0), m_bulge(bulge), m_startWidth(startWidth), m_endWidth(endWidth) {}

AcDb::Vertex2dType AcDb2dVertex::vertexType() const {
  if (m_flags & kSplineFrame) return AcDb::k2dSplineCtlVertex;
  if (m_flags & kSplineFit) return AcDb::k2dSplineFitVertex;
  if (m_flags & kCurveFit) return AcDb::k2dCurveFitVertex;
  return AcDb::k2dVertex;
}

Acad::ErrorStatus AcDb2dVertex::setPosition(const AcGePoint3d& position) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_position.set(position.x, position.y, 0.0);
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::setBulge(double bulge) {
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_bulge = bulge;
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::setStartWidth(double width) {
  if (width < 0.0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_startWidth = width;
  return Acad::eOk;
}

Acad::ErrorStatus AcDb2dVertex::setEndWidth(double width) {
  if (width < 0.0) return Acad::eInvalidInput;
  if (!assertWriteEnabled()) return Acad::eNotOpenForWrite;
  m_endWidth = width;
  return Acad::eOk;
}

void AcDb2dVertex::dxfGroups(std::vector<DxfGroup>& groups) const {
  AcDbEntity::dxfGroups(groups);
  groups.push_back({kVertexMarker, 0});
  groups.push_back({kMarker, 0});
}

void AcDb2dVertex::takeDefaultWidths(double startWidth, double endWidth) {
  if (!m_startWidthRead) m_startWidth = startWidth;
  if (!m_endWidthRead) m_endWidth = endWidth;
}

bool AcDb2dVertex::dxfOwns(const DxfGroup& group, int code) const {
  if (group.is(kVertexMarker)) return false;
  if (!group.is(kMarker)) return AcDbEntity::dxfOwns(group, code);
  switch (code) {
    case 10: case 20: case 30: case 40: case 41: case 42: case 70:
      return true;
    default:
      return false;
  }
}

void AcDb2dVertex::dxfInField(const DxfGroup& group, DxfInFiler& in) {
  if (!group.is(kMarker)) return AcDbEntity::dxfInField(group, in);
  switch (in.code()) {
    case 10: m_position.x = in.real(); break;
    case 20: m_position.y = in.real(); break;
    case 30: m_position.z = in.real(); break;
    case 40: m_startWidth = in.real(), m_startWidthRead = true; break;
    case 41: m_endWidth = in.real(), m_endWidthRead = true; break;
    case 42: m_bulge = in.real(); break;
    case 70: m_flags = static_cast<Adesk::Int16>(in.integer()); break;
  }
}

void AcDb2dVertex::dxfOutFields(const DxfGroup& group, DxfOutFiler& out) const {
  if (group.is(kVertexMarker)) return;
  if (!group.is(kMarker)) return AcDbEntity::dxfOutFields(group, out);
  out.point(10, m_position);
  if (m_startWidth != 0.0) out.real(40, m_startWidth);
  if (m_endWidth != 0.0) out.real(41, m_endWidth);
  if (m_bulge != 0.0) out.real(42, m_bulge);
  out.integer(70, m_flags);
}
