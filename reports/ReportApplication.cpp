#include "reports/ReportApplication.h"

#include <vector>

#include "AcDbBlockReference.h"
#include "AcDbObjectPointer.h"
#include "acutads.h"
#include "charts/LegendTable.h"
#include "charts/PieChart.h"
#include "dbmain.h"
#include "host/AcadDrawing.h"
#include "host/HostProduct.h"
#include "host/StatusBarProgress.h"
#include "reports/GraphicReport.h"
#include "spaces/BlockDWG.h"
#include "spaces/Blocks.h"
#include "spaces/MarkerBlockLegend.h"
#include "spaces/MarkerBlockPie.h"
#include "support/ZelphExceptions.h"

namespace {

const std::wstring kEverySpace = L"*";

// Levels of the floor (gross-area) and site blocks, which a "*" entry leaves alone.
constexpr int kFloorLevel = 8;
constexpr int kSiteLevel = 10;

// The flags that show a layer: thawed, unlocked, on, plottable.
constexpr int kThawed = 0;
constexpr int kUnlocked = 0;
constexpr int kOn = 0;
constexpr int kPlottable = 1;

// The unit label of a marker's units value.
std::wstring markerUnits(int units) { return units == 1 ? L"sq.ft." : L"sq.m."; }

}  // namespace

CReportApplication::CReportApplication(CAcadDrawing& drawing, CGraphicReport& report)
    : m_drawing(drawing), m_report(report) {}

void CReportApplication::applyToDrawing(CAcadDrawing& drawing, CGraphicReport& report) {
  ZELPH_TRY
    CReportApplication(drawing, report).run();
  ZELPH_CATCH(L"CReportApplication::applyToDrawing")
}

void CReportApplication::run() {
  ZELPH_TRY
    prepareOutputState();
    acutPrintf(L"applying graphic report %s.\n", m_report.getTitle().c_str());
    if (m_drawing.lock() != Acad::eOk) return;
    // A chart that cannot be drawn is reported after the layers are shown as the report says.
    CZelphExceptions chartFailures;
    try {
      m_drawn.collect();
      applyLayerList();
      applyCategories();
      drawChartsAtMarkers(chartFailures);
      m_output.applyState(m_drawing, false);
    } catch (...) {
      m_drawing.unlock();
      throw;
    }
    m_drawing.unlock();
    chartFailures.displayMessageBoxes();
  ZELPH_CATCH(L"CReportApplication::run")
}

void CReportApplication::prepareOutputState() {
  ZELPH_TRY
    m_output.getState(m_drawing);
    // A report that names no layout leaves the current one current.
    if (!m_report.getPlotLayout().empty()) m_output.setLayoutName(m_report.getPlotLayout());
    m_output.setAllLayerLineWeights(0);
    m_output.setZelphLayersForOutput();
  ZELPH_CATCH(L"CReportApplication::prepareOutputState")
}

void CReportApplication::applyLayerList() {
  ZELPH_TRY
    const CLayers* layers = m_report.getLayersOn();
    if (layers == nullptr) return;
    m_output.setStateAllOff(m_drawing);
    for (int index = 0; index < layers->count(); ++index) switchOn(layers->getAt(index)->getName());
  ZELPH_CATCH(L"CReportApplication::applyLayerList")
}

void CReportApplication::applyCategories() {
  ZELPH_TRY
    CCategories* categories = m_report.getCategories();
    if (categories == nullptr) return;
    acutPrintf(L"\tgraphic report contains %d categories.\n", categories->getCount());
    for (int index = 0; index < categories->getCount(); ++index) {
      CCategory& category = *categories->getAt(index);
      acutPrintf(L"\tapplying category %s.\n", category.getTitle().c_str());
      applyAssets(category);
      applySpaces(category);
      if (category.getHatch() != nullptr && (category.getBlocks() != nullptr || category.getAssets() != nullptr))
        switchOn(category.getHatch()->getLayer());
    }
  ZELPH_CATCH(L"CReportApplication::applyCategories")
}

void CReportApplication::applyAssets(CCategory& category) {
  ZELPH_TRY
    CAssets* assets = category.getAssets();
    if (assets == nullptr) return;
    CZelphExceptions errors;
    for (int index = 0; index < assets->getCount(); ++index) {
      CAsset& asset = *assets->getAt(index);
      AcDbObjectId id;
      if (m_drawing.getDatabase()->getAcDbObjectId(id, false, asset.getHandle()) != Acad::eOk) continue;
      asset.setObjectId(id);
      if (asset.getHatch() != nullptr) m_drawn.erase(asset.handleText());
      asset.applyToDWG(m_drawing, errors);
      AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
      if (entity) switchOn(entity->layer());
    }
  ZELPH_CATCH(L"CReportApplication::applyAssets")
}

void CReportApplication::drawPieChartAtMarker() {
  ZELPH_TRY
    CBlocks markers;
    markers.getPieBlock_SS(m_drawing);
    if (markers.getCount() == 0) return;
    const auto& marker = *static_cast<const CMarkerBlockPie*>(markers.getAt(0));
    eraseReferencesTo(CPieChart::blockName(m_report));
    const AcGePoint3d position = marker.getPosition();
    const CPieChart chart(m_drawing, marker.getRadius(), m_report.getPieSegmentOffset(), marker.getTextSize(),
                          marker.getPrecision(), markerUnits(marker.getUnits()),
                          m_report.getPieIgnoreEmptySegments(), m_report.getPieShowLabels(),
                          m_report.getPieShowLabelSegmentLines(), m_report, marker.getRotation(), &position);
    switchOnLayerOf(chart.getReferenceId());
    m_drawing.regenDrawing();
  ZELPH_CATCH(L"CReportApplication::drawPieChartAtMarker")
}

void CReportApplication::applySpaces(CCategory& category) {
  ZELPH_TRY
    CBlocks* entries = category.getBlocks();
    if (entries == nullptr) return;
    acutPrintf(L"\tcategory contains %d blocks.\n", entries->getCount());
    // Once a "*" entry has given the category the drawing's spaces, the
    // listed entries are kept here until the last of them is applied.
    std::unique_ptr<CBlocks> listed;
    // Entries that name no space have no share in the legend or the pie chart.
    std::vector<bool> applied(static_cast<size_t>(entries->getCount()), true);
    CStatusBarProgress progress(L"Applying the report", entries->getCount());
    for (int index = 0; index < entries->getCount(); ++index) {
      progress.step();
      const CBlockDWG& entry = *static_cast<const CBlockDWG*>(entries->getAt(index));
      if (entry.getHandle() == kEverySpace) {
        if (listed == nullptr) listed = category.takeBlocks();
        applyToEverySpace(entry, category);
        continue;
      }
      std::unique_ptr<CBlockDWG> space = applyListed(entry);
      applied[static_cast<size_t>(index)] = space != nullptr;
      if (space == nullptr) continue;
      CBlocks& spaces = *category.getBlocks();
      const int at = listed == nullptr ? index : spaces.indexOf(space->getHandle());
      if (at >= 0) spaces.replaceAt(at, std::move(space));
    }
    if (listed == nullptr) entries->keepOnly([&](int index) { return applied[static_cast<size_t>(index)]; });
  ZELPH_CATCH(L"CReportApplication::applySpaces")
}

std::unique_ptr<CBlockDWG> CReportApplication::applyListed(const CBlockDWG& listed) {
  ZELPH_TRY
    CZelphExceptions errors;
    const auto fail = [&](std::unique_ptr<CEXZelph> record) {
      errors.add(std::move(record));
      printErrors(listed, errors);
      return nullptr;
    };
    const wchar_t* const function = L"CReportApplication::applyListed";
    AcDbObjectId id;
    if (m_drawing.getDatabase()->getAcDbObjectId(id, false, listed.getAcDbHandle()) != Acad::eOk)
      return fail(std::make_unique<CEXInvalidHandle>(ZELPH_BANNER, ZELPH_SOURCE, function, listed.getHandle()));
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
    if (!entity)
      return fail(std::make_unique<CEXUnhandled>(ZELPH_BANNER, ZELPH_SOURCE, function, entity.openStatus(), __LINE__,
                                                 m_drawing.getFolder() + m_drawing.getName(), nullptr));
    AcDbBlockReference* reference = AcDbBlockReference::cast(entity.object());
    if (reference == nullptr)
      return fail(std::make_unique<CEXUnhandled>(
          ZELPH_BANNER, ZELPH_SOURCE, function,
          L"The handle " + listed.getHandle() + L" names " + entity->isA()->name() + L", not a space.", 0));
    auto space = std::make_unique<CBlockDWG>(reference, m_drawing.getDocument());
    entity.close();
    if (!CBlockDWG::isSpaceBlockName(space->getBlockName()))
      return fail(std::make_unique<CEXUnhandled>(
          ZELPH_BANNER, ZELPH_SOURCE, function,
          L"The handle " + listed.getHandle() + L" names the block " + space->getBlockName() + L", not a space.", 0));
    present(listed, *space, true);
    write(*space);
    return space;
  ZELPH_CATCH(L"CReportApplication::applyListed")
}

void CReportApplication::applyToEverySpace(const CBlockDWG& wildcard, CCategory& category) {
  ZELPH_TRY
    auto spaces = std::make_unique<CBlocks>();
    spaces->getZelphDWGBlocks_SS(m_drawing, true, L'f');
    // The gross-area block is the whole floor: it has no share in the category's sums.
    const auto isRoom = [&spaces](int index) {
      const int level = static_cast<const CBlockDWG*>(spaces->getAt(index))->getLevel();
      return level != kFloorLevel && level != kSiteLevel;
    };
    spaces->keepOnly(isRoom);
    CStatusBarProgress progress(L"Applying the report", spaces->getCount());
    for (int index = 0; index < spaces->getCount(); ++index) {
      progress.step();
      CBlockDWG& space = *static_cast<CBlockDWG*>(spaces->getAt(index));
      // Every space keeps its own measured area.
      present(wildcard, space, false);
      write(space);
    }
    category.setBlocks(std::move(spaces));
  ZELPH_CATCH(L"CReportApplication::applyToEverySpace")
}

void CReportApplication::present(const CBlockDWG& listed, CBlockDWG& space, bool withArea) const {
  ZELPH_TRY
    const double area = space.getArea();
    CAttributes* labels = space.getAttributes();
    const double height = labels != nullptr ? labels->getTextHeight() : 0.0;
    const double rotation = labels != nullptr ? labels->getRotation() : 0.0;
    const double widthFactor = labels != nullptr ? labels->getWidthFactor() : 0.0;
    listed.copyFormatting(&space);
    if (labels != nullptr) {
      labels->setTextHeight(height);
      labels->setRotation(rotation);
      labels->setWidthFactor(widthFactor);
    }
    // An entry without an area leaves the stored one.
    if (!withArea || !listed.hasReportArea()) space.setArea(area);
  ZELPH_CATCH(L"CReportApplication::present")
}

void CReportApplication::write(CBlockDWG& space) {
  ZELPH_TRY
    CZelphExceptions errors;
    // The hatch of an earlier report gives way to this one.
    if (space.getHatch() != nullptr) m_drawn.erase(space.getHandle());
    space.applyToDWG(m_drawing, errors);
    printErrors(space, errors);
    switchOn(space.getLayer());
    // The labels are part of the space.
    if (const CAttributes* labels = space.getAttributes())
      for (int index = 0; index < labels->getCount(); ++index) switchOn(labels->getAt(index)->getLayer());
  ZELPH_CATCH(L"CReportApplication::write")
}

void CReportApplication::printErrors(const CBlockDWG& space, const CZelphExceptions& errors) const {
  ZELPH_TRY
    if (errors.count() == 0) return;
    acutPrintf(L"\t\terror(s) occurred whilst applying zelph block %s - %s.\n", space.getCode().c_str(),
               space.getHandle().c_str());
    errors.displayCommandLines();
  ZELPH_CATCH(L"CReportApplication::printErrors")
}

void CReportApplication::drawChartsAtMarkers(CZelphExceptions& failures) {
  ZELPH_TRY
    const CCategories* categories = m_report.getCategories();
    if (!CHostProduct::current().isFullProduct() || categories == nullptr || categories->getCount() == 0) return;
    // Each chart is drawn whatever becomes of the other.
    try {
      drawLegendAtMarker(failures);
    } catch (...) {
      failures.addCaught(ZELPH_SOURCE, L"CReportApplication::drawChartsAtMarkers");
    }
    try {
      drawPieChartAtMarker();
    } catch (...) {
      failures.addCaught(ZELPH_SOURCE, L"CReportApplication::drawChartsAtMarkers");
    }
  ZELPH_CATCH(L"CReportApplication::drawChartsAtMarkers")
}

void CReportApplication::drawLegendAtMarker(CZelphExceptions& failures) {
  ZELPH_TRY
    CBlocks markers;
    markers.getLegendBlock_SS(m_drawing);
    if (markers.getCount() == 0) return;
    const auto& marker = *static_cast<const CMarkerBlockLegend*>(markers.getAt(0));
    eraseReferencesTo(CLegendTable::legendBlockName(m_report));
    CLegendTable legend(m_drawing, marker.getTextSize(), marker.getPrecision(), markerUnits(marker.getUnits()), false,
                        m_report, marker.getRotation(), &marker.getPosition());
    failures.addAll(legend.getErrors());
    switchOnLayerOf(legend.getReferenceId());
    m_drawing.regenDrawing();
  ZELPH_CATCH(L"CReportApplication::drawLegendAtMarker")
}

void CReportApplication::eraseReferencesTo(const std::wstring& blockName) {
  ZELPH_TRY
    // The chart of an earlier application gives way to the new one at the marker.
    AcDbObjectId definition;
    {
      AcDbObjectPointer<AcDbBlockTable> table(m_drawing.getDatabase()->blockTableId(), AcDb::kForRead);
      if (!table || table->getAt(blockName.c_str(), definition) != Acad::eOk) return;
    }
    AcDbObjectPointer<AcDbBlockTableRecord> model(m_drawing.getDatabase()->modelSpaceId(), AcDb::kForRead);
    if (!model) return;
    const AcDbObjectIdArray entities = model->entityIds();
    model.close();
    for (const AcDbObjectId& id : entities) {
      AcDbObjectPointer<AcDbBlockReference> reference(id, AcDb::kForRead);
      if (!reference || reference->blockTableRecord() != definition) continue;
      reference->upgradeOpen();
      reference->erase();
    }
  ZELPH_CATCH(L"CReportApplication::eraseReferencesTo")
}

void CReportApplication::switchOnLayerOf(AcDbObjectId entityId) {
  ZELPH_TRY
    // Whatever layers the report leaves on, what it drew shows.
    AcDbObjectPointer<AcDbEntity> entity(entityId, AcDb::kForRead);
    if (entity) switchOn(entity->layer());
  ZELPH_CATCH(L"CReportApplication::switchOnLayerOf")
}

void CReportApplication::switchOn(const std::wstring& layer) {
  ZELPH_TRY
    if (!layer.empty()) m_output.setLayerState(layer, kThawed, kUnlocked, kOn, kPlottable);
  ZELPH_CATCH(L"CReportApplication::switchOn")
}
