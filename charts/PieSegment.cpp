#include "charts/PieSegment.h"

#include <cmath>
#include <memory>

#include "AcDbAttributeDefinition.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbHatch.h"
#include "AcDbLine.h"
#include "AcDbObjectPointer.h"
#include "AcDbPolyline.h"
#include "AcGeConstants.h"
#include "AcGeMatrix3d.h"
#include "host/AcadDrawing.h"
#include "host/AcadUtilities.h"
#include "host/Layers.h"
#include "spaces/Hatch.h"
#include "support/Utilities.h"
#include "support/ZelphExceptions.h"

namespace {

constexpr double kFullCircle = 2.0 * kPi;
// Labels stand this far out from the centre, in radii.
constexpr double kLabelRadius = 1.25;
// Leader lines stop short of the label, in label radii.
constexpr double kLineReach = 0.95;
constexpr std::uint16_t kByLayer = 256;

// The angle of the area's share of the total, in radians.
double sweepOf(double area, double total) { return area / total * 360.0 / 180.0 * kPi; }

// The point at the distance from the centre in the direction, clockwise from +Y.
AcGePoint3d along(double angle, double distance) {
  return AcGePoint3d(distance * std::sin(angle), distance * std::cos(angle), 0.0);
}

// Tells a coordinate from zero although sines of whole turns are not quite zero.
int signOf(double value, double scale) {
  const double tolerance = 1e-9 * scale;
  return value > tolerance ? 1 : value < -tolerance ? -1 : 0;
}

// Appends the entity to the block, which is open only for that; the entity
// is closed and given to the drawing, or freed with the failure raised.
AcDbObjectId appendToBlock(AcDbObjectId block, std::unique_ptr<AcDbEntity> entity, const wchar_t* function) {
  AcDbObjectPointer<AcDbBlockTableRecord> record(block, AcDb::kForWrite);
  ZELPH_CHECK_STATUS(record.openStatus(), function, L"");
  const AcDbEntityPointer added(std::move(entity));
  AcDbObjectId id;
  ZELPH_CHECK_STATUS(record->appendAcDbEntity(id, added.object()), function, L"");
  return id;
}

}  // namespace

CPieSegment::CPieSegment(const std::wstring& title, const CHatch* hatch, double area, int precision,
                         const std::wstring& units)
    : m_title(title), m_hatch(hatch), m_area(area), m_precision(precision), m_units(units) {}

void CPieSegment::addSegmentToBlock(CAcadDrawing& drawing, AcDbObjectId block, const Chart& chart, double start) {
  ZELPH_TRY
    const double sweep = sweepOf(m_area, chart.total);
    const double from = sweepOf(start, chart.total);
    const double middle = from + sweep / 2.0;
    std::unique_ptr<AcDbPolyline> outline = createSegment(sweep, chart);
    outline->transformBy(AcGeMatrix3d::rotation(-from, chart.normal));
    outline->transformBy(AcGeMatrix3d::translation(along(middle, chart.offset) - AcGePoint3d::kOrigin));
    const std::wstring layer = segmentLayer(drawing);
    outline->setLayer(layer.c_str());
    const AcDbObjectId outlineId = appendToBlock(block, std::move(outline), L"CPieSegment::addSegmentToBlock");
    // An empty segment has nothing to fill.
    if (m_hatch != nullptr && m_area != 0.0) {
      CZelphExceptions errors;
      AcDbObjectPointer<AcDbPolyline> placed(outlineId, AcDb::kForRead);
      if (placed) hatchSegment(drawing, block, *placed.object(), layer, chart.normal, errors);
      errors.displayCommandLines();
    }
    if (!chart.showLabels) return;
    if (chart.showLabelLines) addSegmentLine(block, chart, middle, layer);
    addSegmentLabel(block, chart, middle, layer);
  ZELPH_CATCH(L"CPieSegment::addSegmentToBlock")
}

std::unique_ptr<AcDbPolyline> CPieSegment::createSegment(double sweep, const Chart& chart) const {
  ZELPH_TRY
    const double r = chart.radius;
    auto outline = std::make_unique<AcDbPolyline>();
    if (sweep != kFullCircle) {
      outline->addVertexAt(0, AcGePoint2d(0.0, 0.0), 0.0, -1.0, -1.0);
      outline->addVertexAt(1, AcGePoint2d(0.0, r), -std::tan(sweep / 4.0), -1.0, -1.0);
      outline->addVertexAt(2, AcGePoint2d(r * std::sin(sweep), r * std::cos(sweep)), 0.0, -1.0, -1.0);
      outline->addVertexAt(3, AcGePoint2d(0.0, 0.0), 0.0, -1.0, -1.0);
    } else {
      // A category holding the whole total: two half circles.
      const double half = -std::tan(kPi / 4.0);
      outline->addVertexAt(0, AcGePoint2d(0.0, r), half, -1.0, -1.0);
      outline->addVertexAt(1, AcGePoint2d(0.0, -r), half, -1.0, -1.0);
      outline->addVertexAt(2, AcGePoint2d(0.0, r), 0.0, -1.0, -1.0);
    }
    outline->setClosed(true);
    outline->setNormal(chart.normal);
    if (m_hatch != nullptr) outline->setColor(m_hatch->getColour());
    return outline;
  ZELPH_CATCH(L"CPieSegment::createSegment")
}

void CPieSegment::hatchSegment(CAcadDrawing& drawing, AcDbObjectId block, const AcDbPolyline& outline,
                               const std::wstring& layer, const AcGeVector3d& normal, CZelphExceptions& errors) const {
  ZELPH_TRY
    const wchar_t* const function = L"CPieSegment::hatchSegment";
    const std::wstring drawingName = drawing.getFolder() + drawing.getName();
    const auto hostFailure = [&](Acad::ErrorStatus status, int line) {
      errors.add(std::make_unique<CEXUnhandled>(ZELPH_BANNER, ZELPH_SOURCE, function, status, line, drawingName,
                                                nullptr));
    };
    auto hatch = std::make_unique<AcDbHatch>();
    const Acad::ErrorStatus made = m_hatch->applyTo(*hatch, normal);
    if (made != Acad::eOk) return hostFailure(made, __LINE__);
    hatch->setLayer(layer.c_str());
    if (hatch->appendLoop(AcDbHatch::kOutermost, outline) != Acad::eOk) {
      ACHAR handle[17];
      outline.handle().getIntoAsciiBuffer(handle);
      return errors.add(CEXZelph::hatchNotClosed(ZELPH_SOURCE, function, L"Segment", handle));
    }
    const std::wstring subject = L"piechart segment " + m_title;
    const Acad::ErrorStatus evaluated = hatch->evaluateHatch();
    if (evaluated == Acad::eHatchTooDense)
      errors.add(CEXZelph::hatchTooDense(ZELPH_SOURCE, function, subject, hatch->patternName(), hatch->patternScale()));
    else if (evaluated == Acad::eHatchNotDenseEnough)
      errors.add(
          CEXZelph::hatchTooSparse(ZELPH_SOURCE, function, subject, hatch->patternName(), hatch->patternScale()));
    else if (evaluated != Acad::eOk)
      hostFailure(evaluated, __LINE__);
    AcDbObjectId hatchId;
    try {
      hatchId = appendToBlock(block, std::move(hatch), function);
    } catch (CEXZelph* failure) {
      return errors.add(std::unique_ptr<CEXZelph>(failure));
    }
    AcDbObjectPointer<AcDbEntity> placed(hatchId, AcDb::kForRead);
    if (placed) CAcadUtilities::moveEntityToBottom(placed.object());
  ZELPH_CATCH(L"CPieSegment::hatchSegment")
}

void CPieSegment::addSegmentLine(AcDbObjectId block, const Chart& chart, double middle,
                                 const std::wstring& layer) const {
  ZELPH_TRY
    const double reach = kLineReach * kLabelRadius * chart.radius + chart.offset;
    auto line = std::make_unique<AcDbLine>(along(middle, chart.offset), along(middle, reach));
    if (m_hatch != nullptr) line->setColor(m_hatch->getColour());
    line->setLayer(layer.c_str());
    appendToBlock(block, std::move(line), L"CPieSegment::addSegmentLine");
  ZELPH_CATCH(L"CPieSegment::addSegmentLine")
}

void CPieSegment::addSegmentLabel(AcDbObjectId block, const Chart& chart, double middle, const std::wstring& layer) {
  ZELPH_TRY
    m_title += L" (" + CUtilities::DoubleToCString(m_area, m_precision) + L" " + m_units + L")";
    const AcGePoint3d at = along(middle, kLabelRadius * chart.radius + chart.offset);
    auto label = std::make_unique<AcDbAttributeDefinition>(at, m_title.c_str(), m_title.c_str(), m_title.c_str());
    label->setConstant(true);
    label->setColorIndex(kByLayer);
    label->setLayer(layer.c_str());
    label->setHeight(chart.textSize);
    label->setNormal(chart.normal);
    label->setFieldLength(25);
    static const AcDb::TextHorzMode kAcross[] = {AcDb::kTextRight, AcDb::kTextCenter, AcDb::kTextLeft};
    static const AcDb::TextVertMode kUpDown[] = {AcDb::kTextTop, AcDb::kTextVertMid, AcDb::kTextBottom};
    label->setHorizontalMode(kAcross[signOf(at.x, chart.radius) + 1]);
    label->setVerticalMode(kUpDown[signOf(at.y - chart.radius / 2.0, chart.radius) + 1]);
    label->setAlignmentPoint(at);
    appendToBlock(block, std::move(label), L"CPieSegment::addSegmentLabel");
  ZELPH_CATCH(L"CPieSegment::addSegmentLabel")
}

std::wstring CPieSegment::segmentLayer(CAcadDrawing& drawing) const {
  ZELPH_TRY
    if (m_hatch == nullptr) return L"0";
    std::wstring layer = m_hatch->getLayer();
    CLayers layers;
    return layers.ensureLayerExists(drawing, layer, m_hatch->getColour()) == 1 ? layer : L"0";
  ZELPH_CATCH(L"CPieSegment::segmentLayer")
}
