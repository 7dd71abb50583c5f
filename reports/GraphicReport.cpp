#include "reports/GraphicReport.h"

#include <vector>

#include "TextCodec.h"
#include "host/AcadUtilities.h"
#include "reports/ReportValues.h"
#include "support/Utilities.h"
#include "support/XMLUtilities.h"
#include "support/ZelphExceptions.h"

namespace {

const wchar_t* const kLoad = L"CGraphicReport::load";
// A message box shows no more than this many of a report's bad values.
constexpr size_t kProblemsShown = 20;

std::wstring problemList(const std::vector<std::wstring>& problems) {
  std::wstring list;
  for (size_t index = 0; index < problems.size() && index < kProblemsShown; ++index) list += L"\n" + problems[index];
  if (problems.size() > kProblemsShown)
    list += L"\n... and " + std::to_wstring(problems.size() - kProblemsShown) + L" more.";
  return list;
}

}  // namespace

CGraphicReport::CGraphicReport() = default;

CGraphicReport::~CGraphicReport() = default;

void CGraphicReport::load(const std::wstring& path) {
  ZELPH_TRY
    CXMLUtilities document;
    document.load(path);
    const pugi::xml_node root = document.documentElement();
    if (!CXMLUtilities::isNamed(root, "graphicReport"))
      throw new CEXUnhandled(ZELPH_BANNER, ZELPH_SOURCE, kLoad,
                             L"The file " + path + L" is not a graphic report: its document element is \"" +
                                 utf8ToWide(root.name()) + L"\" (" + document.location(root) +
                                 L"), not \"graphicReport\".",
                             0);
    const std::vector<std::wstring> problems = CReportValues::check(document);
    if (!problems.empty())
      throw new CEXUnhandled(ZELPH_BANNER, ZELPH_SOURCE, kLoad,
                             L"The graphic report " + path + L" holds values of the wrong form:" +
                                 problemList(problems),
                             0);
    deSerialize(root);
  ZELPH_CATCH(kLoad)
}

void CGraphicReport::deSerialize(pugi::xml_node root) {
  ZELPH_TRY
    CXMLUtilities::readElement(root, "graphicReport", [this](pugi::xml_node child) {
      const auto is = [&child](const char* name) { return CXMLUtilities::isNamed(child, name); };
      const std::wstring text = CXMLUtilities::text(child);
      if (is("grID")) {
        m_identifier = CUtilities::CStringToLong(text);
      } else if (is("grTitle")) {
        m_title = text;
      } else if (is("grDrawingPath")) {
        m_drawingPath = text;
      } else if (is("grDrawingFilename")) {
        m_drawingFilename = text;
      } else if (is("grPlotTypeID")) {
        m_plotDevice = CAcadUtilities::convertPlotDevice(CUtilities::CStringToInt(text));
      } else if (is("grPlotAreaTypeID")) {
        m_plotArea = CAcadUtilities::convertPlotArea(CUtilities::CStringToInt(text));
      } else if (is("grPlotMediaSizeID")) {
        m_paperSize = CAcadUtilities::convertMediaSize(CUtilities::CStringToInt(text));
      } else if (is("grPlotScaleTypeID")) {
        m_plotScale = CAcadUtilities::convertScale(CUtilities::CStringToInt(text));
      } else if (is("grPlotCentred")) {
        m_plotCentred = CReportValues::toBoolean(text);
      } else if (is("grPlotLayout")) {
        m_plotLayout = text;
      } else if (is("grTotalChildAreas")) {
        m_totalChildAreas = CUtilities::CStringToDouble(text);
      } else if (is("grPieXYOffset")) {
        m_pieSegmentOffset = CUtilities::CStringToDouble(text);
      } else if (is("grPieIgnoreEmptySegments")) {
        m_pieIgnoreEmptySegments = CReportValues::toBoolean(text);
      } else if (is("grPieShowLabels")) {
        m_pieShowLabels = CReportValues::toBoolean(text);
      } else if (is("grPieShowLabelSegmentLines")) {
        m_pieShowLabelSegmentLines = CReportValues::toBoolean(text);
      } else if (is("categories")) {
        m_categories = std::make_unique<CCategories>();
        m_categories->deSerialize(child);
      } else if (is("layersOn")) {
        m_layersOn = std::make_unique<CLayers>();
        m_layersOn->deSerialize(child);
      }
    });
  ZELPH_CATCH(L"CGraphicReport::deSerialize")
}
