#include "ifc/StepFile.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

struct EntityRow {
  IfcEntity kind;
  const char* name;
  int attributes;
};

// In the order of IfcEntity; attribute counts as the IFC4 schema gives them,
// inherited attributes included.
const EntityRow kEntities[] = {
    {IfcEntity::ArbitraryClosedProfileDef, "IFCARBITRARYCLOSEDPROFILEDEF", 3},
    {IfcEntity::ArbitraryProfileDefWithVoids, "IFCARBITRARYPROFILEDEFWITHVOIDS", 4},
    {IfcEntity::Axis2Placement3D, "IFCAXIS2PLACEMENT3D", 3},
    {IfcEntity::Building, "IFCBUILDING", 12},
    {IfcEntity::BuildingStorey, "IFCBUILDINGSTOREY", 10},
    {IfcEntity::CartesianPoint, "IFCCARTESIANPOINT", 1},
    {IfcEntity::CartesianPointList2D, "IFCCARTESIANPOINTLIST2D", 1},
    {IfcEntity::ColourRgb, "IFCCOLOURRGB", 4},
    {IfcEntity::ConversionBasedUnit, "IFCCONVERSIONBASEDUNIT", 4},
    {IfcEntity::DimensionalExponents, "IFCDIMENSIONALEXPONENTS", 7},
    {IfcEntity::Direction, "IFCDIRECTION", 1},
    {IfcEntity::ElementQuantity, "IFCELEMENTQUANTITY", 6},
    {IfcEntity::ExtrudedAreaSolid, "IFCEXTRUDEDAREASOLID", 4},
    {IfcEntity::GeometricCurveSet, "IFCGEOMETRICCURVESET", 1},
    {IfcEntity::GeometricRepresentationContext, "IFCGEOMETRICREPRESENTATIONCONTEXT", 6},
    {IfcEntity::GeometricRepresentationSubContext, "IFCGEOMETRICREPRESENTATIONSUBCONTEXT", 10},
    {IfcEntity::IndexedPolyCurve, "IFCINDEXEDPOLYCURVE", 3},
    {IfcEntity::LocalPlacement, "IFCLOCALPLACEMENT", 2},
    {IfcEntity::MeasureWithUnit, "IFCMEASUREWITHUNIT", 2},
    {IfcEntity::ProductDefinitionShape, "IFCPRODUCTDEFINITIONSHAPE", 3},
    {IfcEntity::Project, "IFCPROJECT", 9},
    {IfcEntity::PropertySet, "IFCPROPERTYSET", 5},
    {IfcEntity::PropertySingleValue, "IFCPROPERTYSINGLEVALUE", 4},
    {IfcEntity::QuantityArea, "IFCQUANTITYAREA", 5},
    {IfcEntity::QuantityLength, "IFCQUANTITYLENGTH", 5},
    {IfcEntity::QuantityVolume, "IFCQUANTITYVOLUME", 5},
    {IfcEntity::RelAggregates, "IFCRELAGGREGATES", 6},
    {IfcEntity::RelDefinesByProperties, "IFCRELDEFINESBYPROPERTIES", 6},
    {IfcEntity::ShapeRepresentation, "IFCSHAPEREPRESENTATION", 4},
    {IfcEntity::SIUnit, "IFCSIUNIT", 4},
    {IfcEntity::Site, "IFCSITE", 14},
    {IfcEntity::Space, "IFCSPACE", 11},
    {IfcEntity::StyledItem, "IFCSTYLEDITEM", 3},
    {IfcEntity::SurfaceStyle, "IFCSURFACESTYLE", 3},
    {IfcEntity::SurfaceStyleShading, "IFCSURFACESTYLESHADING", 2},
    {IfcEntity::UnitAssignment, "IFCUNITASSIGNMENT", 1},
};

const EntityRow& rowOf(IfcEntity kind) {
  const EntityRow& row = kEntities[static_cast<size_t>(kind)];
  if (row.kind != kind) throw std::logic_error("IFC entity table out of order");
  return row;
}

void appendHex(std::string& out, unsigned value, int digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
}

// One character outside printable ASCII as UTF-16 code units in hexadecimal.
void appendEncoded(std::string& out, char32_t c) {
  out += "\\X2\\";
  if (c > 0xFFFF) {
    c -= 0x10000;
    appendHex(out, 0xD800 + static_cast<unsigned>(c >> 10), 4);
    appendHex(out, 0xDC00 + static_cast<unsigned>(c & 0x3FF), 4);
  } else {
    appendHex(out, static_cast<unsigned>(c), 4);
  }
  out += "\\X0\\";
}

}  // namespace

std::string CStepFile::stepString(std::wstring_view value) {
  std::string out = "'";
  for (const wchar_t w : value) {
    const auto c = static_cast<char32_t>(w);
    if (c == U'\'') {
      out += "''";
    } else if (c == U'\\') {
      out += "\\\\";
    } else if (c < 0x20 || c > 0x7E) {
      if (c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF)) appendEncoded(out, c);
    } else {
      out += static_cast<char>(c);
    }
  }
  out += '\'';
  return out;
}

// The shortest text that reads back as the same number, with the decimal
// point the format requires: 24.5, 12., 1.E-07.
std::string CStepFile::stepReal(double value) {
  if (!std::isfinite(value)) throw std::domain_error("a measurement is not a finite number");
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  const size_t exponent = text.find('e');
  const std::string mantissa = text.substr(0, exponent);
  std::string out = mantissa.find('.') == std::string::npos ? mantissa + "." : mantissa;
  if (exponent != std::string::npos) out += "E" + text.substr(exponent + 1);
  return out;
}

CStepFile::CStepFile(const std::wstring& name, const std::wstring& application, const std::string& timestamp) {
  m_header = "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION(('ViewDefinition [ReferenceView_V1.2]'),'2;1');\nFILE_NAME(" +
             stepString(name) + ",'" + timestamp + "',(''),('')," + stepString(application) + "," +
             stepString(application) + ",'');\nFILE_SCHEMA(('IFC4'));\nENDSEC;\nDATA;\n";
}

std::string CStepFile::text() const {
  std::string text;
  text.reserve(m_header.size() + m_data.size() + 32);
  text += m_header;
  text += m_data;
  text += "ENDSEC;\nEND-ISO-10303-21;\n";
  return text;
}

CStepFile::Line::Line(CStepFile& file, IfcEntity kind) : m_file(file), m_kind(kind), m_id(file.m_next++) {
  if (m_file.m_lineOpen) throw std::logic_error("a STEP line begun inside another");
  m_file.m_lineOpen = true;
  std::string& data = m_file.m_data;
  data += '#';
  data += std::to_string(m_id);
  data += '=';
  data += rowOf(kind).name;
  data += '(';
  m_levels.push_back(Level());
}

void CStepFile::Line::separate() {
  if (m_levels.back().started) m_file.m_data += ',';
  m_levels.back().started = true;
  if (m_levels.size() == 1) ++m_attributes;
}

CStepFile::Line& CStepFile::Line::ref(int id) {
  if (id == 0) return unset();
  separate();
  m_file.m_data += '#';
  m_file.m_data += std::to_string(id);
  return *this;
}

CStepFile::Line& CStepFile::Line::refs(const std::vector<int>& ids) {
  open();
  for (const int id : ids) ref(id);
  return close();
}

CStepFile::Line& CStepFile::Line::text(std::wstring_view value) {
  separate();
  m_file.m_data += stepString(value);
  return *this;
}

CStepFile::Line& CStepFile::Line::textOrUnset(std::wstring_view value) {
  return value.empty() ? unset() : text(value);
}

CStepFile::Line& CStepFile::Line::real(double value) {
  separate();
  m_file.m_data += stepReal(value);
  return *this;
}

CStepFile::Line& CStepFile::Line::integer(long long value) {
  separate();
  m_file.m_data += std::to_string(value);
  return *this;
}

CStepFile::Line& CStepFile::Line::enumeration(std::string_view value) {
  separate();
  m_file.m_data += '.';
  m_file.m_data += value;
  m_file.m_data += '.';
  return *this;
}

CStepFile::Line& CStepFile::Line::unset() {
  separate();
  m_file.m_data += '$';
  return *this;
}

CStepFile::Line& CStepFile::Line::derived() {
  separate();
  m_file.m_data += '*';
  return *this;
}

CStepFile::Line& CStepFile::Line::typed(std::string_view type, double value) { return wrapped(type, stepReal(value)); }

CStepFile::Line& CStepFile::Line::typedText(std::string_view type, std::wstring_view value) {
  return wrapped(type, stepString(value));
}

CStepFile::Line& CStepFile::Line::wrapped(std::string_view type, const std::string& value) {
  separate();
  m_file.m_data += type;
  m_file.m_data += '(';
  m_file.m_data += value;
  m_file.m_data += ')';
  return *this;
}

CStepFile::Line& CStepFile::Line::open(std::string_view type) {
  separate();
  m_file.m_data += type;
  m_file.m_data += type.empty() ? "(" : "((";
  Level level;
  level.typed = !type.empty();
  m_levels.push_back(level);
  return *this;
}

CStepFile::Line& CStepFile::Line::close() {
  if (m_levels.size() < 2) throw std::logic_error("STEP list closed twice");
  m_file.m_data += m_levels.back().typed ? "))" : ")";
  m_levels.pop_back();
  return *this;
}

int CStepFile::Line::end() {
  const EntityRow& row = rowOf(m_kind);
  if (m_levels.size() != 1 || m_attributes != row.attributes)
    throw std::logic_error(std::string(row.name) + " written with " + std::to_string(m_attributes) + " attributes, not " +
                           std::to_string(row.attributes));
  m_file.m_data += ");\n";
  m_file.m_lineOpen = false;
  return m_id;
}
