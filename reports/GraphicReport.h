// A graphic report: an XML document made by other software that groups the
// spaces of one drawing into categories, each hatched in its own pattern
// and colour, with the layers to show and how the pie chart is labelled.
// Lives for one command.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/Layers.h"
#include "reports/Categories.h"

namespace pugi {
class xml_node;
}


class CGraphicReport {
 public:
  CGraphicReport();
  virtual ~CGraphicReport();
  CGraphicReport(const CGraphicReport&) = delete;
  CGraphicReport& operator=(const CGraphicReport&) = delete;

  // Fills the report from the file.  A file that cannot be read, is not
  // well-formed XML, is no graphic report or holds values of the wrong form
  // raises an error record naming the file and each place to mend, and
  // leaves the report as it was.
  void load(const std::wstring& path);
  // Reads the "graphicReport" document element.
  void deSerialize(pugi::xml_node root);

  std::int32_t getIdentifier() const { return m_identifier; }
  const std::wstring& getTitle() const { return m_title; }
  void setTitle(const std::wstring& title) { m_title = title; }
  const std::wstring& getDrawingPath() const { return m_drawingPath; }
  const std::wstring& getDrawingFilename() const { return m_drawingFilename; }
  int getPlotDevice() const { return m_plotDevice; }
  int getPlotArea() const { return m_plotArea; }
  int getPaperSize() const { return m_paperSize; }
  int getPlotScale() const { return m_plotScale; }
  bool getPlotCentred() const { return m_plotCentred != 0; }
  const std::wstring& getPlotLayout() const { return m_plotLayout; }
  double getTotalChildAreas() const { return m_totalChildAreas; }
  void setTotalChildAreas(double area) { m_totalChildAreas = area; }
  double getPieSegmentOffset() const { return m_pieSegmentOffset; }
  void setPieSegmentOffset(double offset) { m_pieSegmentOffset = offset; }
  bool getPieIgnoreEmptySegments() const { return m_pieIgnoreEmptySegments != 0; }
  void setPieIgnoreEmptySegments(bool ignore) { m_pieIgnoreEmptySegments = ignore ? 1 : 0; }
  bool getPieShowLabels() const { return m_pieShowLabels != 0; }
  void setPieShowLabels(bool show) { m_pieShowLabels = show ? 1 : 0; }
  bool getPieShowLabelSegmentLines() const { return m_pieShowLabelSegmentLines != 0; }
  void setPieShowLabelSegmentLines(bool show) { m_pieShowLabelSegmentLines = show ? 1 : 0; }
  // Null when the document has none.
  CCategories* getCategories() const { return m_categories.get(); }
  void setCategories(std::unique_ptr<CCategories> categories) { m_categories = std::move(categories); }
  CLayers* getLayersOn() const { return m_layersOn.get(); }

 private:
  std::int32_t m_identifier = 0;
  std::wstring m_title;
  std::wstring m_drawingPath;
  std::wstring m_drawingFilename;
  int m_plotDevice = 0;
  int m_plotCentred = 1;
  int m_plotArea = 0;
  int m_plotScale = 0;
  int m_paperSize = 0;
  std::wstring m_plotLayout;
  double m_totalChildAreas = 0.0;
  std::unique_ptr<CCategories> m_categories;
  std::unique_ptr<CLayers> m_layersOn;
  double m_pieSegmentOffset = 0.0;
  int m_pieIgnoreEmptySegments = 1;
  int m_pieShowLabels = 1;
  int m_pieShowLabelSegmentLines = 1;
};
