#include "ifc/IfcUnits.h"

#include <cmath>

#include "ifc/StepFile.h"

CIfcUnits::CIfcUnits(CStepFile& file, double metresPerDrawingUnit, bool feet) : m_file(file), m_feet(feet) {
  m_metre = siUnit("LENGTHUNIT", nullptr, "METRE");
  m_squareMetre = siUnit("AREAUNIT", nullptr, "SQUARE_METRE");
  m_cubicMetre = siUnit("VOLUMEUNIT", nullptr, "CUBIC_METRE");
  m_foot = convertedUnit("LENGTHUNIT", 1, "foot", "IFCLENGTHMEASURE", 0.3048, m_metre);
  m_squareFoot = convertedUnit("AREAUNIT", 2, "square foot", "IFCAREAMEASURE", 0.09290304, m_squareMetre);
  m_cubicFoot = convertedUnit("VOLUMEUNIT", 3, "cubic foot", "IFCVOLUMEMEASURE", 0.028316846592, m_cubicMetre);
  const int drawingLength = lengthUnit(metresPerDrawingUnit);
  const int angle = siUnit("PLANEANGLEUNIT", nullptr, "RADIAN");
  m_assignment = m_file.add(IfcEntity::UnitAssignment)
                     .refs({drawingLength, feet ? m_squareFoot : m_squareMetre, feet ? m_cubicFoot : m_cubicMetre, angle})
                     .end();
}

int CIfcUnits::lengthUnit(double metres) {
  // The unit comes as a quotient of constants: equal to a named one within rounding.
  const auto is = [metres](double named) { return std::abs(metres - named) <= named * 1e-12; };
  if (is(0.001)) return siUnit("LENGTHUNIT", "MILLI", "METRE");
  if (is(0.01)) return siUnit("LENGTHUNIT", "CENTI", "METRE");
  if (is(1.0)) return m_metre;
  if (is(0.3048)) return m_foot;
  return convertedUnit("LENGTHUNIT", 1, is(0.0254) ? "inch" : "drawing unit", "IFCLENGTHMEASURE", metres, m_metre);
}

int CIfcUnits::siUnit(const char* type, const char* prefix, const char* name) {
  CStepFile::Line line = m_file.add(IfcEntity::SIUnit);
  line.derived().enumeration(type);
  if (prefix != nullptr)
    line.enumeration(prefix);
  else
    line.unset();
  return line.enumeration(name).end();
}

int CIfcUnits::convertedUnit(const char* type, int power, const char* name, const char* measure, double factor,
                             int siBase) {
  const int exponents =
      m_file.add(IfcEntity::DimensionalExponents).integer(power).integer(0).integer(0).integer(0).integer(0).integer(0).integer(0).end();
  const int conversion = m_file.add(IfcEntity::MeasureWithUnit).typed(measure, factor).ref(siBase).end();
  std::wstring wideName(name, name + std::char_traits<char>::length(name));
  return m_file.add(IfcEntity::ConversionBasedUnit).ref(exponents).enumeration(type).text(wideName).ref(conversion).end();
}
