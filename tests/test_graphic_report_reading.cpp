// Reading graphic reports: every element of the document into the report
// model, the forms of values, duplicate categories, and reports that are
// refused with the places to mend.
#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <string>

#include "TextCodec.h"
#include "TestSupport.h"
#include "host/Layers.h"
#include "reports/GraphicReport.h"
#include "spaces/Attributes.h"
#include "spaces/Hyperlinks.h"
#include "spaces/BlockDWG.h"
#include "spaces/ZelphAttribute.h"
#include "support/ZelphExceptions.h"

namespace {

using spatiary_test::ScratchFolder;

const char* const kFullReport = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- written by the facilities database -->
<graphicReport>
  <grID>42</grID>
  <grTitle>Floor 2 &amp; annex</grTitle>
  <grDrawingPath>/plans/site</grDrawingPath>
  <grDrawingFilename>floor2.dxf</grDrawingFilename>
  <grPlotTypeID>0</grPlotTypeID>
  <grPlotAreaTypeID>0</grPlotAreaTypeID>
  <grPlotMediaSizeID>0</grPlotMediaSizeID>
  <grPlotScaleTypeID>0</grPlotScaleTypeID>
  <grPlotCentred>0</grPlotCentred>
  <grPlotLayout>Layout1</grPlotLayout>
  <grTotalChildAreas>250.5</grTotalChildAreas>
  <grPieXYOffset>1.25</grPieXYOffset>
  <grPieIgnoreEmptySegments>false</grPieIgnoreEmptySegments>
  <grPieShowLabels>true</grPieShowLabels>
  <grPieShowLabelSegmentLines>1</grPieShowLabelSegmentLines>
  <categories>
    <category>
      <cID>7</cID>
      <cTitle>Offices</cTitle>
      <cHatchPattern>ANSI31</cHatchPattern>
      <cHatchColour>#FF8000</cHatchColour>
      <cHatchScale>50</cHatchScale>
      <cHatchAngle>45</cHatchAngle>
      <cHatchLayer>HATCH-OFFICES</cHatchLayer>
      <zelphBlocks>
        <zelphBlock>
          <mbHandle>2A7</mbHandle>
          <mbName>Office 1</mbName>
          <mbCode>R101</mbCode>
          <mbArea>12.75</mbArea>
          <mbSwapName>Sales</mbSwapName>
          <mbSwapArea>12.75sq.m.</mbSwapArea>
          <mbSwapAux>Level 2</mbSwapAux>
        </zelphBlock>
        <zelphBlock>
          <mbHandle>*</mbHandle>
        </zelphBlock>
      </zelphBlocks>
    </category>
    <category>
      <cID>8</cID>
      <cTitle>Stores</cTitle>
      <cHatchPattern>SOLID</cHatchPattern>
      <cHatchColour>#0000ff</cHatchColour>
    </category>
  </categories>
  <layersOn>
    <layerOn><loName>WALLS</loName><loDescription>outer walls</loDescription></layerOn>
    <layerOn><loName>Doors</loName></layerOn>
    <layerOn><loName>walls</loName></layerOn>
  </layersOn>
</graphicReport>
)";

// The message of the record where the failure began; the record is freed.
std::wstring takeMessage(CEXZelph* record) {
  const CEXZelph* innermost = record;
  while (innermost->getCause() != nullptr) innermost = innermost->getCause();
  const std::wstring message = innermost->getMessage();
  record->deleteChain();
  return message;
}

// The report of a text, loaded through a file as the commands load it.
class ReportReading : public ::testing::Test {
 protected:
  void load(const std::string& xml) {
    spatiary_test::writeFile(path(), xml);
    report.load(utf8ToWide(path().string()));
  }
  // The message of the record where the failure began; empty when the load succeeded.
  std::wstring failure(const std::string& xml) {
    try {
      load(xml);
    } catch (CEXZelph* record) {
      return takeMessage(record);
    }
    return L"";
  }
  std::filesystem::path path() const { return scratch / "report.xml"; }
  CBlockDWG& space(int category, int index) {
    return *static_cast<CBlockDWG*>(report.getCategories()->getAt(category)->getBlocks()->getAt(index));
  }
  static std::wstring attribute(const CBlockDWG& space, int kind) {
    const CAttribute* found = space.getAttributes()->getAtAttribute(kind);
    return found != nullptr ? found->getValue() : L"(none)";
  }

  ScratchFolder scratch;
  CGraphicReport report;
};

std::string reportOf(const std::string& body) { return "<graphicReport>" + body + "</graphicReport>"; }

std::string categoryOf(const std::string& body) { return reportOf("<categories><category>" + body + "</category></categories>"); }

TEST_F(ReportReading, ReadsTheReportItsCategoriesSpacesAndLayers) {
  load(kFullReport);
  EXPECT_EQ(report.getIdentifier(), 42);
  EXPECT_EQ(report.getTitle(), L"Floor 2 & annex");
  EXPECT_EQ(report.getDrawingPath(), L"/plans/site");
  EXPECT_EQ(report.getDrawingFilename(), L"floor2.dxf");
  EXPECT_FALSE(report.getPlotCentred());
  EXPECT_EQ(report.getPlotLayout(), L"Layout1");
  EXPECT_DOUBLE_EQ(report.getTotalChildAreas(), 250.5);
  EXPECT_DOUBLE_EQ(report.getPieSegmentOffset(), 1.25);
  EXPECT_FALSE(report.getPieIgnoreEmptySegments());
  EXPECT_TRUE(report.getPieShowLabels());
  EXPECT_TRUE(report.getPieShowLabelSegmentLines());

  ASSERT_NE(report.getCategories(), nullptr);
  ASSERT_EQ(report.getCategories()->getCount(), 2);
  const CCategory& offices = *report.getCategories()->getAt(0);
  EXPECT_EQ(offices.getID(), 7);
  EXPECT_EQ(offices.getTitle(), L"Offices");
  ASSERT_NE(offices.getHatch(), nullptr);
  EXPECT_EQ(offices.getHatch()->getPattern(), L"ANSI31");
  EXPECT_TRUE(offices.getHatch()->getColour().isByColor());
  EXPECT_EQ(offices.getHatch()->getColour().red(), 255);
  EXPECT_EQ(offices.getHatch()->getColour().green(), 128);
  EXPECT_EQ(offices.getHatch()->getColour().blue(), 0);
  EXPECT_EQ(offices.getHatch()->getScale(), 50);
  EXPECT_EQ(offices.getHatch()->getAngle(), 45);
  EXPECT_EQ(offices.getHatch()->getLayer(), L"HATCH-OFFICES");
  EXPECT_EQ(report.getCategories()->getAt(1)->getHatch()->getColour().blue(), 255);
  EXPECT_EQ(report.getCategories()->getAt(1)->getBlocks(), nullptr);

  ASSERT_EQ(offices.getBlocks()->getCount(), 2);
  const CBlockDWG& office = space(0, 0);
  EXPECT_EQ(office.getHandle(), L"2A7");
  EXPECT_EQ(office.getAcDbHandle(), AcDbHandle(L"2A7"));
  EXPECT_EQ(office.getName(), L"Office 1");
  EXPECT_EQ(office.getCode(), L"R101");
  EXPECT_DOUBLE_EQ(office.getArea(), 12.75);
  EXPECT_EQ(attribute(office, CZelphAttribute::kName), L"Sales");
  EXPECT_EQ(attribute(office, CZelphAttribute::kArea), L"12.75sq.m.");
  EXPECT_EQ(attribute(office, CZelphAttribute::kAux), L"Level 2");
  EXPECT_EQ(office.getAttributes()->getAtAttribute(L"AUX")->getKind(), CZelphAttribute::kAux);
  EXPECT_EQ(space(0, 1).getHandle(), L"*");
  EXPECT_EQ(space(0, 1).getAttributes(), nullptr);
  EXPECT_EQ(offices.getBlocks()->getAt(L"2A7"), &office);

  // Layer names are unique exactly as written.
  ASSERT_NE(report.getLayersOn(), nullptr);
  ASSERT_EQ(report.getLayersOn()->count(), 3);
  EXPECT_EQ(report.getLayersOn()->getAt(0)->getName(), L"WALLS");
  EXPECT_EQ(report.getLayersOn()->getAt(0)->getDescription(), L"outer walls");
  EXPECT_EQ(report.getLayersOn()->getAt(1)->getName(), L"Doors");
}

TEST_F(ReportReading, AnEmptyReportKeepsTheDefaults) {
  load("<graphicReport/>");
  EXPECT_EQ(report.getTitle(), L"");
  EXPECT_TRUE(report.getPlotCentred());
  EXPECT_TRUE(report.getPieIgnoreEmptySegments());
  EXPECT_TRUE(report.getPieShowLabels());
  EXPECT_TRUE(report.getPieShowLabelSegmentLines());
  EXPECT_DOUBLE_EQ(report.getTotalChildAreas(), 0.0);
  EXPECT_EQ(report.getCategories(), nullptr);
  EXPECT_EQ(report.getLayersOn(), nullptr);
}

TEST_F(ReportReading, OnlyOneAndTrueAreTrue) {
  for (const char* text : {"TRUE", "yes", "", "0", "True"}) {
    CGraphicReport fresh;
    spatiary_test::writeFile(path(), reportOf(std::string("<grPlotCentred>") + text + "</grPlotCentred>"));
    fresh.load(utf8ToWide(path().string()));
    EXPECT_FALSE(fresh.getPlotCentred()) << text;
  }
  load(reportOf("<grPlotCentred> true </grPlotCentred><grPieShowLabels>1</grPieShowLabels>"));
  EXPECT_TRUE(report.getPlotCentred());
  EXPECT_TRUE(report.getPieShowLabels());
}

TEST_F(ReportReading, TextsAreReadAsADocumentGivesThem) {
  load(reportOf("<grTitle>\n  <!-- note -->North <![CDATA[<wing>]]> &#x41;  \n</grTitle>"
              "<grDrawingPath xml:space=\"preserve\">  spaced  </grDrawingPath>"
              "<grPlotLayout>first</grPlotLayout><grPlotLayout>second</grPlotLayout>"
              "<unknown><grTitle>ignored</grTitle></unknown><?app data?>"));
  EXPECT_EQ(report.getTitle(), L"North <wing> A");
  EXPECT_EQ(report.getDrawingPath(), L"  spaced  ");
  EXPECT_EQ(report.getPlotLayout(), L"second");
}

TEST_F(ReportReading, ALaterListReplacesTheFirst) {
  load(reportOf("<layersOn><layerOn><loName>A</loName></layerOn></layersOn>"
              "<layersOn><layerOn><loName>B</loName></layerOn></layersOn>"
              "<categories><category><cTitle>one</cTitle></category></categories>"
              "<categories><category><cTitle>two</cTitle></category><foreign/></categories>"));
  ASSERT_EQ(report.getLayersOn()->count(), 1);
  EXPECT_EQ(report.getLayersOn()->getAt(0)->getName(), L"B");
  ASSERT_EQ(report.getCategories()->getCount(), 1);
  EXPECT_EQ(report.getCategories()->getAt(0)->getTitle(), L"two");
}

TEST_F(ReportReading, DuplicateCategoriesAreDroppedByTitleAndHatch) {
  const std::string offices =
      "<category><cTitle>Offices</cTitle><cHatchPattern>ANSI31</cHatchPattern><cHatchColour>#FF0000</cHatchColour>"
      "<cHatchScale>5</cHatchScale><cHatchAngle>0</cHatchAngle><cHatchLayer>%s</cHatchLayer></category>";
  const auto with = [&offices](const std::string& layer, const std::string& colour = "#FF0000") {
    std::string text = offices;
    text.replace(text.find("%s"), 2, layer);
    text.replace(text.find("#FF0000"), 7, colour);
    return text;
  };
  load(reportOf("<categories>" + with("A") + with("B") + with("A", "#00FF00") +
              "<category><cTitle>Offices</cTitle></category><category><cTitle>Offices</cTitle></category>"
              "</categories>"));
  // The second differs only in its layer; the third in its colour; the last two have no hatch.
  ASSERT_EQ(report.getCategories()->getCount(), 3);
  EXPECT_EQ(report.getCategories()->getAt(0)->getHatch()->getLayer(), L"A");
  EXPECT_EQ(report.getCategories()->getAt(1)->getHatch()->getColour().green(), 255);
  EXPECT_EQ(report.getCategories()->getAt(2)->getHatch(), nullptr);
}

TEST_F(ReportReading, ARepeatedReplacementValueKeepsTheFirst) {
  load(categoryOf("<zelphBlocks><zelphBlock><mbHandle>1F</mbHandle><mbSwapName>first</mbSwapName>"
                "<mbSwapName>second</mbSwapName></zelphBlock><other/></zelphBlocks>"));
  ASSERT_EQ(report.getCategories()->getAt(0)->getBlocks()->getCount(), 1);
  EXPECT_EQ(space(0, 0).getAttributes()->getCount(), 1);
  EXPECT_EQ(attribute(space(0, 0), CZelphAttribute::kName), L"first");
}

TEST_F(ReportReading, ReportsThatAreNotWellFormedNameTheLine) {
  const std::wstring message = failure("<graphicReport>\n  <grTitle>open\n</graphicReport>\n");
  EXPECT_NE(message.find(L"Unable to read the XML file " + utf8ToWide(path().string()) + L": line 3, column"),
            std::wstring::npos)
      << wideToUtf8(message);
  EXPECT_NE(failure("").find(L"line 1, column 1"), std::wstring::npos);
  EXPECT_NE(failure("<graphicReport/>\n<second/>").find(L": line 2, column 1: a second document element"),
            std::wstring::npos);
  EXPECT_EQ(report.getCategories(), nullptr);
}

TEST_F(ReportReading, AMissingFileIsNamed) {
  try {
    report.load(utf8ToWide((scratch / "absent.xml").string()));
    FAIL() << "a missing file was read";
  } catch (CEXZelph* record) {
    EXPECT_EQ(takeMessage(record), L"Unable to read the XML file " + utf8ToWide((scratch / "absent.xml").string()) + L".");
  }
}

TEST_F(ReportReading, AnotherDocumentElementIsRefused) {
  const std::wstring message = failure("<?xml version=\"1.0\"?>\n\n<GraphicReport><grTitle>x</grTitle></GraphicReport>");
  EXPECT_EQ(message, L"The file " + utf8ToWide(path().string()) +
                         L" is not a graphic report: its document element is \"GraphicReport\" (line 3), not "
                         L"\"graphicReport\".");
  EXPECT_EQ(report.getTitle(), L"");
}

TEST_F(ReportReading, ValuesOfTheWrongFormAreListedWithTheirLines) {
  const std::wstring message = failure(
      "<graphicReport>\n"
      "<grTotalChildAreas>12,5</grTotalChildAreas>\n"
      "<categories><category>\n"
      "<cTitle>A</cTitle><cHatchColour>red</cHatchColour>\n"
      "<cHatchScale>1.5</cHatchScale>\n"
      "<zelphBlocks><zelphBlock><mbHandle>2G</mbHandle><mbArea>ten</mbArea></zelphBlock>\n"
      "<zelphBlock><mbHandle></mbHandle></zelphBlock></zelphBlocks>\n"
      "</category></categories>\n"
      "<grPlotTypeID></grPlotTypeID><grPieXYOffset>-.5e1</grPieXYOffset>\n"
      "</graphicReport>\n");
  EXPECT_EQ(message, L"The graphic report " + utf8ToWide(path().string()) +
                         L" holds values of the wrong form:\n"
                         L"line 2: grTotalChildAreas \"12,5\" is not a number.\n"
                         L"line 4: cHatchColour \"red\" is not a colour: # and six hexadecimal digits, such as "
                         L"#FF8000.\n"
                         L"line 5: cHatchScale \"1.5\" is not a whole number.\n"
                         L"line 6: mbHandle \"2G\" is not a handle: hexadecimal digits, or * for every space.\n"
                         L"line 6: mbArea \"ten\" is not a number.\n"
                         L"line 7: mbHandle \"\" is not a handle: hexadecimal digits, or * for every space.");
  EXPECT_EQ(report.getCategories(), nullptr);
}

TEST_F(ReportReading, ALongListOfBadValuesIsCut) {
  std::string blocks;
  for (int index = 0; index < 25; ++index) blocks += "<zelphBlock><mbHandle>x</mbHandle></zelphBlock>\n";
  const std::wstring message = failure(categoryOf("<zelphBlocks>" + blocks + "</zelphBlocks>"));
  EXPECT_EQ(spatiary_test::countOccurrences(wideToUtf8(message), "is not a handle"), 20);
  EXPECT_NE(message.find(L"\n... and 5 more."), std::wstring::npos);
}

TEST(ReportElements, HyperlinksAreReadInOrderWithUniqueAddresses) {
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(
      "<hyperlinks><hyperlink><bhHref>http://plans/r101</bhHref><bhDescription>Room sheet</bhDescription></hyperlink>"
      "<!-- again --><hyperlink><bhHref>http://plans/r101</bhHref><bhDescription>copy</bhDescription></hyperlink>"
      "<hyperlink><bhHref>HTTP://plans/r101</bhHref></hyperlink><link><bhHref>x</bhHref></link>"
      "<hyperlink/></hyperlinks>"));
  CHyperlinks links;
  links.deSerialize(document.document_element());
  // The empty element is a link to no address, read as such.
  ASSERT_EQ(links.getCount(), 3);
  EXPECT_EQ(links.getAt(0)->getAddress(), L"http://plans/r101");
  EXPECT_EQ(links.getAt(0)->getDescription(), L"Room sheet");
  EXPECT_EQ(links.getAt(1)->getAddress(), L"HTTP://plans/r101");
  EXPECT_EQ(links.getAt(1)->getDescription(), L"");
  EXPECT_EQ(links.getAt(2)->getAddress(), L"");
}

}  // namespace
