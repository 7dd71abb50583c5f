#include "ifc/IfcUnits.h"

#include "ifc/StepFile.h"

CIfcUnits::CIfcUnits(CStepFile& file, bool inches, bool feet) : m_file(file), m_feet(feet) {
  m_metre = siUnit("LENGTHUNIT", nullptr, "METRE");
  m_squareMetre = siUnit("AREAUNIT", nullptr, "SQUARE_METRE");
  m_cubicMetre = siUnit("VOLUMEUNIT", nullptr, "CUBIC_METRE");
  m_foot = convertedUnit("LENGTHUNIT", 1, "foot", "IFCLENGTHMEASURE", 0.3048, m_metre);
  m_squareFoot = convertedUnit("AREAUNIT", 2, "square foot", "IFCAREAMEASURE", 0.09290304, m_squareMetre);
  m_cubicFoot = convertedUnit("VOLUMEUNIT", 3, "cubic foot", "IFCVOLUMEMEASURE", 0.028316846592, m_cubicMetre);
  const int drawingLength = inches ? convertedUnit("LENGTHUNIT", 1, "inch", "IFCLENGTHMEASURE", 0.0254, m_metre)
                                   : siUnit("LENGTHUNIT", "MILLI", "METRE");
  const int angle = siUnit("PLANEANGLEUNIT", nullptr, "RADIAN");
  m_assignment = m_file.add(IfcEntity::UnitAssignment)
                     .refs({drawingLength, feet ? m_squareFoot : m_squareMetre, feet ? m_cubicFoot : m_cubicMetre, angle})
                     .end();
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
