#include "ifc/IfcShapes.h"

#include "ifc/IfcFootprint.h"
#include "ifc/IfcOutline.h"
#include "ifc/StepFile.h"

namespace {
// A pale blue that reads as "room" in most viewers, mostly see-through.
constexpr double kRed = 0.62, kGreen = 0.78, kBlue = 0.94, kTransparency = 0.7;
}  // namespace

CIfcShapes::CIfcShapes(CStepFile& file) : m_file(file) {
  const int point = m_file.add(IfcEntity::CartesianPoint).open().real(0.0).real(0.0).real(0.0).close().end();
  m_up = m_file.add(IfcEntity::Direction).open().real(0.0).real(0.0).real(1.0).close().end();
  m_origin = m_file.add(IfcEntity::Axis2Placement3D).ref(point).unset().unset().end();
  m_context = m_file.add(IfcEntity::GeometricRepresentationContext)
                  .unset().text(L"Model").integer(3).real(1.0E-5).ref(m_origin).unset().end();
  auto subContext = [&](const wchar_t* identifier) {
    return m_file.add(IfcEntity::GeometricRepresentationSubContext)
        .text(identifier).text(L"Model").derived().derived().derived().derived()
        .ref(m_context).unset().enumeration("MODEL_VIEW").unset().end();
  };
  m_bodyContext = subContext(L"Body");
  m_footprintContext = subContext(L"FootPrint");
  writeStyle();
}

void CIfcShapes::writeStyle() {
  const int colour = m_file.add(IfcEntity::ColourRgb).unset().real(kRed).real(kGreen).real(kBlue).end();
  const int shading = m_file.add(IfcEntity::SurfaceStyleShading).ref(colour).real(kTransparency).end();
  m_style = m_file.add(IfcEntity::SurfaceStyle).text(L"Space").enumeration("BOTH").refs({shading}).end();
}

int CIfcShapes::curve(const CIfcOutline& outline) {
  CStepFile::Line points = m_file.add(IfcEntity::CartesianPointList2D);
  points.open();
  for (const AcGePoint2d& point : outline.points()) points.open().real(point.x).real(point.y).close();
  const int list = points.close().end();
  CStepFile::Line polyCurve = m_file.add(IfcEntity::IndexedPolyCurve);
  polyCurve.ref(list).open();
  // Indices count from 1.
  for (const CIfcOutline::Segment& segment : outline.segments()) {
    if (segment.middle < 0)
      polyCurve.open("IFCLINEINDEX").integer(segment.start + 1).integer(segment.end + 1).close();
    else
      polyCurve.open("IFCARCINDEX").integer(segment.start + 1).integer(segment.middle + 1).integer(segment.end + 1).close();
  }
  return polyCurve.close().enumeration("F").end();
}

int CIfcShapes::profile(int outer, const std::vector<int>& inner) {
  if (inner.empty()) return m_file.add(IfcEntity::ArbitraryClosedProfileDef).enumeration("AREA").unset().ref(outer).end();
  return m_file.add(IfcEntity::ArbitraryProfileDefWithVoids).enumeration("AREA").unset().ref(outer).refs(inner).end();
}

int CIfcShapes::solid(int profile, double depth) {
  const int solid = m_file.add(IfcEntity::ExtrudedAreaSolid).ref(profile).ref(m_origin).ref(m_up).real(depth).end();
  m_file.add(IfcEntity::StyledItem).ref(solid).refs({m_style}).unset().end();
  return solid;
}

int CIfcShapes::shapeOf(const CIfcFootprint& footprint, double depth) {
  std::vector<int> outlines, voids;
  for (const CIfcOutline& outline : footprint.outlines()) outlines.push_back(curve(outline));
  for (const CIfcOutline& outline : footprint.voids()) voids.push_back(curve(outline));
  std::vector<int> curves = outlines;
  curves.insert(curves.end(), voids.begin(), voids.end());
  const int curveSet = m_file.add(IfcEntity::GeometricCurveSet).refs(curves).end();
  std::vector<int> representations = {m_file.add(IfcEntity::ShapeRepresentation)
                                          .ref(m_footprintContext).text(L"FootPrint").text(L"GeometricCurveSet")
                                          .refs({curveSet}).end()};
  if (depth > 0.0) {
    std::vector<int> solids = {solid(profile(outlines.front(), voids), depth)};
    for (size_t index = 1; index < outlines.size(); ++index) solids.push_back(solid(profile(outlines[index], {}), depth));
    representations.push_back(m_file.add(IfcEntity::ShapeRepresentation)
                                   .ref(m_bodyContext).text(L"Body").text(L"SweptSolid").refs(solids).end());
  }
  return m_file.add(IfcEntity::ProductDefinitionShape).unset().unset().refs(representations).end();
}
