// The legend of a graphic report: a block definition named after the
// report holding a table with the report title and, for each category, its
// title, a swatch of its hatch and the total area of its spaces; inserted
// at a legend marker's position when one is given.  Made on the stack for
// one legend.
#pragma once

#include <map>
#include <set>
#include <string>

#include "AcDbObjectId.h"
#include "AcGePoint3d.h"
#include "AcGeVector3d.h"
#include "support/ZelphExceptions.h"

class AcDbBlockTableRecord;
class AcDbTable;
class CAcadDrawing;
class CCategory;
class CGraphicReport;

class CLegendTable {
 public:
  // Builds the legend at once.  With a position, on a full CAD product, a
  // reference to the definition is inserted there too.  A legend of the
  // same name made before is redrawn in place, so its references show the
  // new one.
  CLegendTable(CAcadDrawing& drawing, double textSize, int precision, const std::wstring& units,
               bool ignoreEmptyCategories, const CGraphicReport& report, double rotation,
               const AcGePoint3d* position = nullptr);
  CLegendTable(const CLegendTable&) = delete;
  CLegendTable& operator=(const CLegendTable&) = delete;

  // The sum of the areas of the category's spaces; 0 without spaces.
  static void calculateCategoryArea(const CCategory& category, double& area);
  static std::wstring legendBlockName(const CGraphicReport& report);
  static std::wstring hatchBlockName(const CGraphicReport& report, const CCategory& category);

  // The reference at the position; null when none was inserted.
  AcDbObjectId getReferenceId() const { return m_referenceId; }
  // Swatches that could not be drawn; their rows stand with an empty cell.
  CZelphExceptions& getErrors() { return m_errors; }

 private:
  AcDbObjectId createLegendBlockDefinition(CAcadDrawing& drawing, const CGraphicReport& report,
                                           bool ignoreEmptyCategories);
  void createLegendTableEntity(CAcadDrawing& drawing, const CGraphicReport& report, bool ignoreEmptyCategories,
                               AcDbBlockTableRecord& legend);
  // The swatch block of the category; null for a category without a hatch.
  // Categories of one title each get a swatch of their own.
  AcDbObjectId createHatchPattern(CAcadDrawing& drawing, const CGraphicReport& report, const CCategory& category);
  void addSwatchHatch(CAcadDrawing& drawing, const CCategory& category, AcDbBlockTableRecord& swatch,
                      AcDbObjectId boundary);
  void addDensityMark(AcDbBlockTableRecord& swatch, const wchar_t* mark, const std::wstring& drawingName);
  void insertLegend(CAcadDrawing& drawing, AcDbObjectId definition, const AcGePoint3d& position);

  double m_textSize;
  double m_rotation;
  int m_precision;
  std::wstring m_units;
  AcGeVector3d m_normal;
  AcDbObjectId m_referenceId;
  CZelphExceptions m_errors;
  std::set<std::wstring> m_swatchNames;
  // How often each swatch name was wanted, for the numbers of repeats.
  std::map<std::wstring, int> m_swatchRepeats;
};

// Asks for the settings of the legend and the pie chart of the report
// (text size, pie radius, rotation, whether to leave out empty categories,
// units, precision) and defines the ones asked for, without inserting them.
void defineLegacyLegendAndPie(CAcadDrawing& drawing, const CGraphicReport& report, bool makeLegend, bool makePie);
