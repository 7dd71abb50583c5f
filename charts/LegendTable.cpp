#include "charts/LegendTable.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "AcDbObjectPointer.h"
#include "aced.h"
#include "acutads.h"
#include "charts/PieChart.h"
#include "dbmain.h"
#include "host/AcadDrawing.h"
#include "host/AcadDrawingLock.h"
#include "host/AcadUtilities.h"
#include "host/HostProduct.h"
#include "host/Layers.h"
#include "reports/GraphicReport.h"
#include "spaces/Block.h"
#include "support/Preferences.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

const wchar_t* const kCreateHatchPattern = L"CLegendTable::createHatchPattern";
const wchar_t* const kCreateLegendBlockDefinition = L"CLegendTable::createLegendBlockDefinition";
const wchar_t* const kCreateLegendTableEntity = L"CLegendTable::createLegendTableEntity";

std::wstring drawingName(const CAcadDrawing& drawing) { return drawing.getFolder() + drawing.getName(); }

std::wstring cleaned(std::wstring name) {
  CUtilities::replaceReservedCharacters(name, L"_");
  return name;
}

// Table cells take MTEXT, where a backslash starts a format code.
std::wstring cellText(const std::wstring& text) {
  std::wstring escaped;
  escaped.reserve(text.size());
  for (wchar_t c : text) {
    if (c == L'\\') escaped += L'\\';
    escaped += c;
  }
  return escaped;
}

// Empties a block made before, so that the references to it show what is
// drawn into it now.  A table's own drawing goes with it.
void clearBlock(AcDbBlockTableRecord& block) {
  for (const AcDbObjectId& id : block.entityIds()) {
    AcDbEntityPointer entity(id, AcDb::kForWrite);
    if (!entity) continue;
    if (const auto* table = AcDbTable::cast(entity.object())) {
      AcDbObjectPointer<AcDbBlockTableRecord> drawn(table->blockTableRecord(), AcDb::kForWrite);
      if (drawn && drawn->isAnonymous()) drawn->erase();
    }
    entity->erase();
  }
}

// Opens the block of the name for write, emptied when the drawing has it,
// made otherwise.
void openForRedrawing(CAcadDrawing& drawing, const std::wstring& name, const wchar_t* function, bool checkName,
                      AcDbObjectPointer<AcDbBlockTableRecord>& block) {
  AcDbObjectPointer<AcDbBlockTable> table(drawing.getDatabase()->blockTableId(), AcDb::kForWrite);
  ZELPH_CHECK_STATUS(table.openStatus(), function, drawingName(drawing));
  AcDbObjectId id;
  if (table->getAt(name.c_str(), id) == Acad::eOk) {
    table.close();
    ZELPH_CHECK_STATUS(block.open(id, AcDb::kForWrite), function, drawingName(drawing));
    clearBlock(*block.object());
    return;
  }
  block.create();
  if (block->setName(name.c_str()) != Acad::eOk && checkName)
    throw new CEXCustom(ZELPH_BANNER, ZELPH_SOURCE, function,
                        L"Invalid Block Name - '" + name + L"' - from Graphic Report and Category Names", 0,
                        nullptr);
  block->setOrigin(AcGePoint3d::kOrigin);
  ZELPH_CHECK_STATUS(table->add(id, block.object()), function, drawingName(drawing));
}

AcDbObjectId standardTableStyle(CAcadDrawing& drawing) {
  AcDbDictionary* opened = nullptr;
  ZELPH_CHECK_STATUS(drawing.getDatabase()->getTableStyleDictionary(opened, AcDb::kForRead),
                     kCreateLegendTableEntity, drawingName(drawing));
  AcDbObjectPointer<AcDbDictionary> styles;
  styles.acquire(opened);
  AcDbObjectId style;
  ZELPH_CHECK_STATUS(styles->getAt(L"Standard", style), kCreateLegendTableEntity, drawingName(drawing));
  return style;
}

// The longest text of each column so far, in characters.
class ColumnWidths {
 public:
  void note(int column, const std::wstring& text) {
    m_longest[static_cast<size_t>(column)] = std::max(m_longest[static_cast<size_t>(column)], text.size());
  }
  double width(int column, double textSize) const {
    return static_cast<double>(m_longest[static_cast<size_t>(column)] + 1) * textSize;
  }

 private:
  std::array<size_t, 3> m_longest{};
};

constexpr double kRadiansPerDegree = 0.017453292519943295;

// What the user gives for the legend and the pie chart.
struct ChartSettings {
  double textSize = 0.0;
  double radius = 0.0;
  double rotation = 0.0;
  bool ignoreEmpty = true;
  std::wstring units;
  int precision = 0;
};

ChartSettings askChartSettings(bool makePie) {
  CPreferences prefs;
  prefs.loadPreferences();
  const int decimals = prefs.getPrecision();
  ChartSettings settings;
  CAcadUtilities::getDouble(L"specify text size", prefs.getTextSize(), decimals, settings.textSize);
  settings.radius = 10.0 * settings.textSize;
  if (makePie) CAcadUtilities::getDouble(L"specify pie chart radius", settings.radius, decimals, settings.radius);
  double degrees = 0.0;
  CAcadUtilities::getDouble(L"specify rotation (in degrees)", prefs.getTextRotation(), decimals, degrees);
  settings.rotation = degrees * kRadiansPerDegree;
  CAcadUtilities::getBoolean(L"ignore empty categories and pie chart segments?", true, settings.ignoreEmpty);
  CAcadUtilities::getString(L"specify units", prefs.getUnits() == 1 ? L"sq.ft." : L"sq.m.", settings.units);
  CAcadUtilities::getInteger(L"specify precision", prefs.getPrecision(), settings.precision);
  return settings;
}

// Sizes nothing could be drawn with are refused with the reason.
bool usable(const ChartSettings& settings, bool makePie) {
  const wchar_t* problem = !(settings.textSize > 0.0)              ? L"the text size must be greater than 0"
                           : makePie && !(settings.radius > 0.0)   ? L"the pie chart radius must be greater than 0"
                           : settings.precision < 0                ? L"the precision must not be negative"
                                                                   : nullptr;
  if (problem != nullptr) acutPrintf(L"%s: nothing defined.\n", problem);
  return problem == nullptr;
}

void writeCell(AcDbTable& table, ColumnWidths& widths, int row, int column, const std::wstring& text) {
  table.setTextString(row, column, text.c_str());
  widths.note(column, text);
}

}  // namespace

CLegendTable::CLegendTable(CAcadDrawing& drawing, double textSize, int precision, const std::wstring& units,
                           bool ignoreEmptyCategories, const CGraphicReport& report, double rotation,
                           const AcGePoint3d* position)
    : m_textSize(textSize), m_rotation(rotation), m_precision(precision), m_units(units) {
  ZELPH_TRY
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return;
    m_normal = CAcadUtilities::getUcsNormal();
    const AcDbObjectId definition = createLegendBlockDefinition(drawing, report, ignoreEmptyCategories);
    if (position != nullptr && CHostProduct::current().isFullProduct()) insertLegend(drawing, definition, *position);
  ZELPH_CATCH(L"CLegendTable::CLegendTable")
}

void CLegendTable::calculateCategoryArea(const CCategory& category, double& area) {
  ZELPH_TRY
    area = 0.0;
    const CBlocks* spaces = category.getBlocks();
    if (spaces == nullptr) return;
    for (int i = 0; i < spaces->getCount(); ++i) area += spaces->getAt(i)->getArea();
  ZELPH_CATCH(L"CLegendTable::calculateCategoryArea")
}

std::wstring CLegendTable::legendBlockName(const CGraphicReport& report) {
  return cleaned(L"[ZELPH_LEGEND]_" + report.getTitle());
}

std::wstring CLegendTable::hatchBlockName(const CGraphicReport& report, const CCategory& category) {
  return cleaned(L"[ZELPH_LEGEND_HATCH]_" + report.getTitle() + L"_" + category.getTitle());
}

AcDbObjectId CLegendTable::createLegendBlockDefinition(CAcadDrawing& drawing, const CGraphicReport& report,
                                                       bool ignoreEmptyCategories) {
  ZELPH_TRY
    AcDbObjectPointer<AcDbBlockTableRecord> legend;
    openForRedrawing(drawing, legendBlockName(report), kCreateLegendBlockDefinition, false, legend);
    createLegendTableEntity(drawing, report, ignoreEmptyCategories, *legend.object());
    return legend->objectId();
  ZELPH_CATCH(kCreateLegendBlockDefinition)
}

void CLegendTable::createLegendTableEntity(CAcadDrawing& drawing, const CGraphicReport& report,
                                           bool ignoreEmptyCategories, AcDbBlockTableRecord& legend) {
  ZELPH_TRY
    const std::wstring name = drawingName(drawing);
    auto table = std::make_unique<AcDbTable>();
    table->setDatabaseDefaults(drawing.getDatabase());
    ZELPH_CHECK_STATUS(table->setTableStyle(standardTableStyle(drawing)), kCreateLegendTableEntity, name);
    table->setSize(2, 3);
    table->mergeCells(0, 0, 0, 2);
    table->setPosition(AcGePoint3d::kOrigin);
    ColumnWidths widths;
    writeCell(*table, widths, 0, 0, cellText(report.getTitle()));
    writeCell(*table, widths, 1, 0, L"Description");
    writeCell(*table, widths, 1, 1, L"Hatch");
    writeCell(*table, widths, 1, 2, L"Area " + m_units);
    const double rowHeight = 1.5 * m_textSize;
    // The rows are counted first, so that the table grows once.
    std::vector<std::pair<const CCategory*, double>> rows;
    const CCategories* categories = report.getCategories();
    for (int i = 0; categories != nullptr && i < categories->getCount(); ++i) {
      const CCategory& category = *categories->getAt(i);
      double area = 0.0;
      calculateCategoryArea(category, area);
      if (area == 0.0 && ignoreEmptyCategories) continue;
      rows.emplace_back(&category, area);
    }
    if (!rows.empty())
      ZELPH_CHECK_STATUS(table->insertRows(2, rowHeight, static_cast<int>(rows.size())), kCreateLegendTableEntity,
                         name);
    int row = 2;
    for (const auto& [category, area] : rows) {
      writeCell(*table, widths, row, 2, CUtilities::DoubleToCString(area, m_precision));
      writeCell(*table, widths, row, 0, cellText(category->getTitle()));
      AcDbObjectId swatch;
      try {
        swatch = createHatchPattern(drawing, report, *category);
      } catch (...) {
        // One swatch that cannot be drawn leaves the rest of the legend whole.
        m_errors.addCaught(ZELPH_SOURCE, kCreateLegendTableEntity);
      }
      if (!swatch.isNull()) table->setBlockTableRecordId(row, 1, swatch, true);
      ++row;
    }
    for (int column = 0; column < 3; ++column) table->setColumnWidth(column, widths.width(column, m_textSize));
    const int rowTypes = AcDb::kDataRow | AcDb::kTitleRow | AcDb::kHeaderRow;
    ZELPH_CHECK_STATUS(table->setRowHeight(rowHeight), kCreateLegendTableEntity, name);
    ZELPH_CHECK_STATUS(table->setTextHeight(m_textSize, rowTypes), kCreateLegendTableEntity, name);
    table->setAlignment(AcDb::kMiddleCenter, rowTypes);
    const AcDbObjectPointer<AcDbTable> placed(std::move(table));
    ZELPH_CHECK_STATUS(legend.appendAcDbEntity(placed.object()), kCreateLegendTableEntity, name);
    ZELPH_CHECK_STATUS(placed->generateLayout(), kCreateLegendTableEntity, name);
  ZELPH_CATCH(kCreateLegendTableEntity)
}

AcDbObjectId CLegendTable::createHatchPattern(CAcadDrawing& drawing, const CGraphicReport& report,
                                              const CCategory& category) {
  ZELPH_TRY
    const CHatch* settings = category.getHatch();
    if (settings == nullptr) return AcDbObjectId();
    const std::wstring wanted = hatchBlockName(report, category);
    std::wstring swatchName = wanted;
    int& repeats = m_swatchRepeats[wanted];
    while (!m_swatchNames.insert(swatchName).second) swatchName = wanted + L"_" + std::to_wstring(++repeats + 1);
    AcDbObjectPointer<AcDbBlockTableRecord> swatch;
    openForRedrawing(drawing, swatchName, kCreateHatchPattern, true, swatch);
    auto boundary = std::make_unique<AcDbPolyline>();
    const double t = m_textSize;
    const AcGePoint2d corners[] = {{0, 0}, {0, 2 * t}, {3 * t, 2 * t}, {3 * t, 0}, {0, 0}};
    for (unsigned int i = 0; i < 5; ++i) {
      boundary->addVertexAt(i, corners[i]);
      boundary->setWidthsAt(i, -1.0, -1.0);
    }
    boundary->setClosed(true);
    boundary->setColor(settings->getColour());
    std::wstring layer = settings->getLayer();
    CLayers layers;
    if (layers.ensureLayerExists(drawing, layer, settings->getColour()) != 1) layer = L"0";
    boundary->setLayer(layer.c_str());
    AcDbObjectId boundaryId;
    {
      const AcDbObjectPointer<AcDbPolyline> added(std::move(boundary));
      ZELPH_CHECK_STATUS(swatch->appendAcDbEntity(boundaryId, added.object()), kCreateHatchPattern,
                         drawingName(drawing));
    }
    addSwatchHatch(drawing, category, *swatch.object(), boundaryId);
    return swatch->objectId();
  ZELPH_CATCH(kCreateHatchPattern)
}

void CLegendTable::addSwatchHatch(CAcadDrawing& drawing, const CCategory& category, AcDbBlockTableRecord& swatch,
                                  AcDbObjectId boundary) {
  const std::wstring name = drawingName(drawing);
  auto hatch = std::make_unique<AcDbHatch>();
  ZELPH_CHECK_STATUS(category.getHatch()->applyTo(*hatch, m_normal), kCreateHatchPattern, name);
  AcDbEntityPointer outline(boundary, AcDb::kForRead);
  if (outline) hatch->setLayer(outline->layerId());
  outline.close();
  ZELPH_CHECK_STATUS(hatch->appendLoop(AcDbHatch::kOutermost, AcDbObjectIdArray{boundary}), kCreateHatchPattern,
                     name);
  const Acad::ErrorStatus evaluated = hatch->evaluateHatch();
  // A pattern that cannot be drawn in the swatch is shown by a mark instead.
  if (evaluated == Acad::eHatchNotDenseEnough) return addDensityMark(swatch, L">!", name);
  if (evaluated == Acad::eHatchTooDense) return addDensityMark(swatch, L"<!", name);
  ZELPH_CHECK_STATUS(evaluated, kCreateHatchPattern, name);
  const AcDbObjectPointer<AcDbHatch> added(std::move(hatch));
  ZELPH_CHECK_STATUS(swatch.appendAcDbEntity(added.object()), kCreateHatchPattern, name);
}

void CLegendTable::addDensityMark(AcDbBlockTableRecord& swatch, const wchar_t* mark, const std::wstring& drawingName) {
  auto definition = std::make_unique<AcDbAttributeDefinition>();
  definition->setPosition(AcGePoint3d::kOrigin);
  definition->setTextString(mark);
  definition->setTag(mark);
  definition->setPrompt(mark);
  definition->setHeight(m_textSize);
  definition->setNormal(m_normal);
  definition->setHorizontalMode(AcDb::kTextLeft);
  definition->setVerticalMode(AcDb::kTextBase);
  definition->setInvisible(false);
  definition->setConstant(true);
  definition->setVerifiable(false);
  definition->setPreset(false);
  definition->setFieldLength(25);
  const AcDbObjectPointer<AcDbAttributeDefinition> added(std::move(definition));
  ZELPH_CHECK_STATUS(swatch.appendAcDbEntity(added.object()), kCreateHatchPattern, drawingName);
}

void CLegendTable::insertLegend(CAcadDrawing& drawing, AcDbObjectId definition, const AcGePoint3d& position) {
  auto reference = CAcadUtilities::placeReference(definition, position, m_rotation, m_normal, drawing.getDatabase());
  ZELPH_CHECK_STATUS(drawing.postToDrawing(reference, m_referenceId), L"CLegendTable::CLegendTable",
                     drawingName(drawing));
}

void defineLegacyLegendAndPie(CAcadDrawing& drawing, const CGraphicReport& report, bool makeLegend, bool makePie) {
  ZELPH_TRY
    const ChartSettings settings = askChartSettings(makePie);
    if (!usable(settings, makePie)) return;
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return;
    if (makeLegend) {
      CLegendTable legend(drawing, settings.textSize, settings.precision, settings.units, settings.ignoreEmpty, report,
                          settings.rotation);
      acutPrintf(L"legend definition successfully created.\n");
      legend.getErrors().displayMessageBoxes();
    }
    if (makePie) {
      CPieChart pie(drawing, settings.radius, 0.0, settings.textSize, settings.precision, settings.units,
                    settings.ignoreEmpty, true, true, report, settings.rotation);
      acutPrintf(L"pie chart definition successfully created.\n");
    }
  ZELPH_CATCH(L"defineLegacyLegendAndPie")
}
