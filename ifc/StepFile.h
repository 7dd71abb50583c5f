// An ISO 10303-21 exchange file as it is written: the header, then one data
// line an entity, numbered in order.  Every entity kind written is a row of a
// table that holds its name and its number of attributes, so a line with an
// attribute too few or too many is refused here rather than by a reader.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class IfcEntity {
  ArbitraryClosedProfileDef,
  ArbitraryProfileDefWithVoids,
  Axis2Placement3D,
  Building,
  BuildingStorey,
  CartesianPoint,
  CartesianPointList2D,
  ColourRgb,
  ConversionBasedUnit,
  DimensionalExponents,
  Direction,
  ElementQuantity,
  ExtrudedAreaSolid,
  GeometricCurveSet,
  GeometricRepresentationContext,
  GeometricRepresentationSubContext,
  IndexedPolyCurve,
  LocalPlacement,
  MeasureWithUnit,
  ProductDefinitionShape,
  Project,
  PropertySet,
  PropertySingleValue,
  QuantityArea,
  QuantityLength,
  QuantityVolume,
  RelAggregates,
  RelDefinesByProperties,
  ShapeRepresentation,
  SIUnit,
  Site,
  Space,
  StyledItem,
  SurfaceStyle,
  SurfaceStyleShading,
  UnitAssignment,
};

class CStepFile {
 public:
  // One data line being written; attributes are appended in schema order.
  // end() closes it and gives its instance number.
  class Line {
   public:
    Line(CStepFile& file, IfcEntity kind);
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    Line& ref(int id);  // $ for 0
    Line& refs(const std::vector<int>& ids);
    Line& text(std::wstring_view value);
    Line& textOrUnset(std::wstring_view value);  // $ for empty text
    Line& real(double value);
    Line& integer(long long value);
    Line& enumeration(std::string_view value);  // .VALUE.
    Line& unset();                              // $
    Line& derived();                            // *
    // A value of a defined type, IFCAREAMEASURE(12.5), as a select takes it.
    Line& typed(std::string_view type, double value);
    Line& typedText(std::string_view type, std::wstring_view value);
    // Nested lists and typed aggregates: IFCLINEINDEX((1,2)).
    Line& open(std::string_view type = {});
    Line& close();
    int end();

   private:
    void separate();
    Line& wrapped(std::string_view type, const std::string& value);

    CStepFile& m_file;
    IfcEntity m_kind;
    int m_id;
    int m_attributes = 0;
    struct Level {
      bool started = false;  // a value was written in it
      bool typed = false;    // closes with the type's parenthesis too
    };
    std::vector<Level> m_levels;
  };

  // name: the file's own name for the header; application: what wrote it.
  CStepFile(const std::wstring& name, const std::wstring& application, const std::string& timestamp);

  Line add(IfcEntity kind) { return Line(*this, kind); }
  // The whole file, header to end.
  std::string text() const;
  int count() const { return m_next - 1; }

  static std::string stepString(std::wstring_view value);
  static std::string stepReal(double value);

 private:
  std::string m_header;
  std::string m_data;
  int m_next = 1;
  // Lines are written one at a time: an id is taken before its line begins.
  bool m_lineOpen = false;
};
