// The units of an exported drawing: lengths in the drawing's unit
// (millimetre, inch, metre ...), areas and volumes in those of the spaces' records
// (square metres or square feet); quantities in other units name their own.
#pragma once

class CStepFile;

class CIfcUnits {
 public:
  // feet: the records are imperial.
  CIfcUnits(CStepFile& file, double metresPerDrawingUnit, bool feet);

  int assignment() const { return m_assignment; }
  // The unit a quantity of a record in those units names: 0 (none) where it
  // is the project's.
  int length(bool feet) const { return feet ? m_foot : m_metre; }
  int area(bool feet) const { return feet == m_feet ? 0 : (feet ? m_squareFoot : m_squareMetre); }
  int volume(bool feet) const { return feet == m_feet ? 0 : (feet ? m_cubicFoot : m_cubicMetre); }

 private:
  int lengthUnit(double metres);
  int siUnit(const char* type, const char* prefix, const char* name);
  int convertedUnit(const char* type, int power, const char* name, const char* measure, double factor, int siBase);

  CStepFile& m_file;
  bool m_feet;
  int m_metre = 0, m_foot = 0, m_squareMetre = 0, m_squareFoot = 0, m_cubicMetre = 0, m_cubicFoot = 0;
  int m_assignment = 0;
};
