#include "charts/PieChart.h"

#include <cmath>
#include <memory>

#include "AcDbAttributeDefinition.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTable.h"
#include "AcDbDatabase.h"
#include "AcDbObjectPointer.h"
#include "AcGeMatrix3d.h"
#include "aced.h"
#include "host/AcadDrawing.h"
#include "host/AcadDrawingLock.h"
#include "host/AcadUtilities.h"
#include "host/HostProduct.h"
#include "reports/GraphicReport.h"
#include "spaces/Block.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

const std::wstring kBlockPrefix = L"[ZELPH_PIECHART]_";
// Title and total stand this far above and below the centre, in radii.
constexpr double kCaptionDistance = 1.5;
constexpr std::uint16_t kCaptionFieldLength = 25;
constexpr std::uint16_t kByLayer = 256;

double areaOf(const CCategory& category) {
  double area = 0.0;
  if (const CBlocks* spaces = category.getBlocks())
    for (int index = 0; index < spaces->getCount(); ++index) area += spaces->getAt(index)->getArea();
  return area;
}

}  // namespace

CPieChart::CPieChart(CAcadDrawing& drawing, double radius, double segmentOffset, double textSize, int precision,
                     const std::wstring& units, bool ignoreEmptySegments, bool showLabels, bool showLabelSegmentLines,
                     const CGraphicReport& report, double rotation, const AcGePoint3d* position) {
  ZELPH_TRY
    if (report.getCategories() == nullptr || !(report.getTotalChildAreas() > 0.0)) return;
    m_title = report.getTitle();
    m_blockName = blockName(report);
    m_total = report.getTotalChildAreas();
    m_textSize = textSize;
    m_radius = radius;
    m_segmentOffset = segmentOffset;
    m_rotation = rotation;
    m_precision = precision;
    m_units = units;
    m_ignoreEmptySegments = ignoreEmptySegments;
    m_showLabels = showLabels;
    m_showLabelSegmentLines = showLabelSegmentLines;
    pieChartFromGraphicReport(report);
    createPieChartBlockDefinition(drawing);
    if (position != nullptr && CHostProduct::current().isFullProduct() && !m_blockId.isNull())
      insertAt(drawing, *position);
  ZELPH_CATCH(L"CPieChart::CPieChart")
}

std::wstring CPieChart::blockName(const CGraphicReport& report) {
  std::wstring name = kBlockPrefix + report.getTitle();
  CUtilities::replaceReservedCharacters(name, L"_");
  return name;
}

void CPieChart::pieChartFromGraphicReport(const CGraphicReport& report) {
  ZELPH_TRY
    const CCategories& categories = *report.getCategories();
    for (int index = 0; index < categories.getCount(); ++index) {
      const CCategory& category = *categories.getAt(index);
      const double area = areaOf(category);
      if (m_ignoreEmptySegments && area == 0.0) continue;
      m_segments.add(std::make_unique<CPieSegment>(category.getTitle(), category.getHatch(), area, m_precision,
                                                   m_units));
    }
  ZELPH_CATCH(L"CPieChart::pieChartFromGraphicReport")
}

void CPieChart::createPieChartBlockDefinition(CAcadDrawing& drawing) {
  ZELPH_TRY
    if (m_segments.getCount() == 0) return;
    if (std::floor(m_segments.getSum()) > std::floor(m_total))
      throw new CEXSegmentAreaOverTotal(ZELPH_BANNER, ZELPH_SOURCE, L"CPieChart::createPieChartBlockDefinition",
                                        m_segments.getSum(), m_total);
    const CAcadDrawingLock lock(drawing);
    if (!lock.isLocked()) return;
    m_normal = CAcadUtilities::getUcsNormal();
    const AcDbObjectId block = emptyBlockDefinition(drawing);
    CPieSegment::Chart chart;
    chart.total = m_total;
    chart.radius = m_radius;
    chart.offset = m_segmentOffset;
    chart.textSize = m_textSize;
    chart.normal = m_normal;
    chart.showLabels = m_showLabels;
    chart.showLabelLines = m_showLabelSegmentLines;
    m_segments.addSegmentsToBlock(drawing, block, chart, m_ignoreEmptySegments);
    AcDbObjectPointer<AcDbBlockTableRecord> record(block, AcDb::kForWrite);
    ZELPH_CHECK_STATUS(record.openStatus(), L"CPieChart::createPieChartBlockDefinition", drawing.getName());
    addTitleToPieChart(*record.object());
    addFooterToPieChart(*record.object());
    m_blockId = block;
  ZELPH_CATCH(L"CPieChart::createPieChartBlockDefinition")
}

AcDbObjectId CPieChart::emptyBlockDefinition(CAcadDrawing& drawing) {
  ZELPH_TRY
    const wchar_t* const function = L"CPieChart::emptyBlockDefinition";
    AcDbObjectPointer<AcDbBlockTable> table(drawing.getDatabase()->blockTableId(), AcDb::kForWrite);
    ZELPH_CHECK_STATUS(table.openStatus(), function, drawing.getName());
    AcDbObjectId id;
    if (table->getAt(m_blockName.c_str(), id) == Acad::eOk) {
      AcDbObjectPointer<AcDbBlockTableRecord> old(id, AcDb::kForRead);
      ZELPH_CHECK_STATUS(old.openStatus(), function, drawing.getName());
      for (const AcDbObjectId& entity : old->entityIds()) {
        AcDbEntityPointer member(entity, AcDb::kForWrite);
        if (member) member->erase();
      }
      return id;
    }
    AcDbObjectPointer<AcDbBlockTableRecord> created;
    created.create();
    ZELPH_CHECK_STATUS(created->setName(m_blockName.c_str()), function, drawing.getName());
    ZELPH_CHECK_STATUS(table->add(id, created.object()), function, drawing.getName());
    ZELPH_CHECK_STATUS(created->setOrigin(AcGePoint3d::kOrigin), function, drawing.getName());
    return id;
  ZELPH_CATCH(L"CPieChart::emptyBlockDefinition")
}

void CPieChart::addTitleToPieChart(AcDbBlockTableRecord& block) {
  ZELPH_TRY
    addCaption(block, m_title, AcGePoint3d(0.0, kCaptionDistance * m_radius + m_textSize, 0.0));
  ZELPH_CATCH(L"CPieChart::addTitleToPieChart")
}

void CPieChart::addFooterToPieChart(AcDbBlockTableRecord& block) {
  ZELPH_TRY
    const std::wstring total = L"Total: " + CUtilities::DoubleToCString(m_total, m_precision) + m_units;
    addCaption(block, total, AcGePoint3d(0.0, m_textSize - kCaptionDistance * m_radius, 0.0));
  ZELPH_CATCH(L"CPieChart::addFooterToPieChart")
}

void CPieChart::addCaption(AcDbBlockTableRecord& block, const std::wstring& text, const AcGePoint3d& point) {
  ZELPH_TRY
    auto caption = std::make_unique<AcDbAttributeDefinition>(point, text.c_str(), m_title.c_str(), L"");
    caption->setConstant(true);
    caption->setColorIndex(kByLayer);
    caption->setLayer(L"0");
    caption->setHeight(m_textSize);
    caption->setNormal(m_normal);
    caption->setFieldLength(kCaptionFieldLength);
    caption->setHorizontalMode(AcDb::kTextCenter);
    caption->setVerticalMode(AcDb::kTextTop);
    caption->setAlignmentPoint(point);
    const AcDbObjectPointer<AcDbAttributeDefinition> added(std::move(caption));
    ZELPH_CHECK_STATUS(block.appendAcDbEntity(added.object()), L"CPieChart::addCaption", L"");
  ZELPH_CATCH(L"CPieChart::addCaption")
}

void CPieChart::insertAt(CAcadDrawing& drawing, const AcGePoint3d& position) {
  ZELPH_TRY
    auto reference =
        CAcadUtilities::placeReference(m_blockId, position, m_rotation, m_normal, drawing.getDatabase());
    drawing.postToDrawing(reference, m_referenceId);
  ZELPH_CATCH(L"CPieChart::insertAt")
}
