// The help listings and diagnostic commands, run in the host program.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>

#include "TestSupport.h"

namespace fs = std::filesystem;
using spatiary_test::countOccurrences;
using spatiary_test::RunResult;
using spatiary_test::ScratchFolder;
using spatiary_test::shellQuote;

namespace {

const char* const kHelpListing =
    "  command   fullname                      Description\n\n"
    "-\n"
    "VKT Suite Commands\n"
    "    mbe     zelphBlockEdit                Edit zelph blocks.\n"
    "    mbh     zelphBlockHyperlink           Multiple hyperlink blocks.\n"
    "    mbc     zelphBlockCreate              Create a zelph block.\n"
    "    mgabc   zelphGrossAreaBlockCreate     Create a zelph gross area block.\n"
    "    mdb     zelphDeleteBlock              Delete zelph block.\n"
    "    mcsv    zelphCommaSeperatedValues     Export drawing details to csv.\n"
    "-\n"
    "-\n"
    "Utilities\n"
    "    mus     zelphUpdateSpaces             Recalculate all areas and perimeters\n"
    "                                          in the drawing. Updates attributes if xdata\n"
    "                                          and attribute value are linked\n"
    "    msxta   zelphSyncXDataToAttributes\t  Copies xdata values to appropriate attributes.\n"
    "                                          Recalculates xdata if specified.\n"
    "    mbta     zelphBlankThirdAttribute     Set all third attribute (aux) values to \"\" i.e. blank\n"
    "    mut     zelphUpdateText               Resize all attribute text to\n"
    "                                          preferences default value.\n"
    "    maux    zelphAuxilarator              Add auxillary tags to zelph blocks\n"
    "                                          which do not have an auxillary tag.\n"
    "    mlb     zelphListBlocks               List the block name and identifiers\n"
    "                                          in the drawing.\n"
    "-\n"
    "Administration\n"
    "    mprefs  zelphPreferences              Edit preferences.\n"
    "-\n"
    "Help\n"
    "    m?      mhelp                         Displays details of the zelph.\n"
    "                                          commands avaialble in this version of\n"
    "                                          the Spatiary.\n"
    "-\n"
    "-\n";

const char* const kDiagnosticsListing =
    "  command      fullname                      Description\n\n"
    "-\n"
    "Zelph Diagnostics\n"
    "    mda     zelphDiagnosticAll            Runs all diagnostic routines.\n"
    "    md1     zelphDiagnosticBasic          Tests output to commandline.\n"
    "    md3     zelphDiagnosticDialog         Test Dialogs.\n"
    "    md4     zelphDiagnosticErrorsA        Throws and handles test error.\n"
    "    md5     zelphDiagnosticErrorsB        Throws and handles test error.\n"
    "    md6     zelphDiagnosticErrorsC        Retrieves Function name.\n"
    "    md7     zelphDiagnosticErrorsD        Retrieves File name.\n"
    "    md8     zelphDiagnosticUserInput      Tests User Input.\n"
    "    md9     zelphDiagnosticXML            Test XML output.\n"
    "-\n"
    "-\n";

const char* const kErrorTestA =
    "Error Test A - throws test error\n"
    "the error has been handled - test error\n"
    "zelph error handled successfully\n"
    "error handling test completed\n";

// A host session whose preferences file exists, so loading shows no dialog.
class Session {
 public:
  Session() {
    const fs::path prefs = m_appData / "ZelphSystems" / "Spatiary" / "prefs";
    fs::create_directories(prefs);
    spatiary_test::writeFile(prefs / "prefs.cfg", "units\n0\n");
  }
  RunResult run(const std::string& script, std::vector<std::string> arguments = {}) const {
    arguments.insert(arguments.begin(), {"--appdata", m_appData.path().string()});
    return spatiary_test::runSpatiary(arguments, script);
  }
  // Runs the host with its scratch folder as the working folder.
  RunResult runInScratch(const std::string& script) const {
    const fs::path input = scratch("input.scr");
    spatiary_test::writeFile(input, script);
    return spatiary_test::runCommand("cd " + shellQuote(m_appData.path().string()) + " && " +
                                     shellQuote(spatiary_test::spatiaryExecutable().string()) + " -s " +
                                     shellQuote(input.string()) + " --appdata " +
                                     shellQuote(m_appData.path().string()) + " </dev/null");
  }
  fs::path scratch(const std::string& name) const { return m_appData / name; }

 private:
  ScratchFolder m_appData;
};

void expectInOrder(const std::string& output, const std::vector<std::string>& parts) {
  size_t at = 0;
  for (const auto& part : parts) {
    const size_t found = output.find(part, at);
    ASSERT_NE(found, std::string::npos) << "missing after offset " << at << ": " << part << "\n--- output:\n" << output;
    at = found + part.size();
  }
}

void expectRootWithOneChild(const fs::path& xml) {
  pugi::xml_document document;
  ASSERT_TRUE(document.load_file(xml.c_str())) << xml;
  const pugi::xml_node root = document.document_element();
  EXPECT_STREQ(root.name(), "root");
  EXPECT_STRNE(root.attribute("xmlns").value(), "");
  ASSERT_EQ(std::distance(root.children().begin(), root.children().end()), 1);
  EXPECT_STREQ(root.first_child().name(), "name");
  EXPECT_STREQ(root.first_child().text().get(), "value");
}

}  // namespace

TEST(HelpCommands, ListingsAreExact) {
  const Session session;
  const RunResult result = session.run("m?\nmhelp\nmd?\n");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, kHelpListing), 2) << result.output;
  EXPECT_EQ(countOccurrences(result.output, kDiagnosticsListing), 1) << result.output;
}

TEST(DiagnosticCommands, ErrorTestsCatchTheirOwnRecordsWithoutABox) {
  const Session session;
  const RunResult result = session.run("md4\nmd5\nmd6\nmd7\nmd1\n");
  expectInOrder(result.output, {kErrorTestA,
                                "Error Test B - throws test error\nthe error has been handled - test error\n"
                                "zelph error handled successfully\nerror handling test completed\n",
                                "Error Test C - retrieve function name\nfunction diagnosticErrorsC\n",
                                "Error Test C - retrieve file name\nfile blockEdit\n",
                                "basic test - output to commandline\nbasic test successful\nbasic test completed\n"});
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
}

TEST(DiagnosticCommands, UserInputEchoesEachAnswer) {
  const Session session;
  const RunResult result = session.run("md8\n0\n2.5\n12\nhello world\n");
  expectInOrder(result.output,
                {"user input test - tests boolean, double, integer, string input\n",
                 "testing boolean input. Type 0 or 1 and then enter <1>:", "boolean user input test successful - 0\n",
                 "testing decimal input. Type a decimal number and then enter <1.001>:",
                 "decimal user input test successful - 2.500\n",
                 "testing integer input. Type an integer(whole) number and then enter <27>:",
                 "integer user input test successful - 12\n",
                 "testing text input. Type some text and then enter <diagnosis>:",
                 "text user input test successful - hello world\n", "user input test finished\n"});
}

TEST(DiagnosticCommands, UserInputDefaults) {
  const Session session;
  const RunResult result = session.run("md8\n\n\n\n\n");
  expectInOrder(result.output, {"boolean user input test successful - 1\n", "decimal user input test successful - 1.001\n",
                                "integer user input test successful - 27\n",
                                "text user input test successful - diagnosis\n"});
}

TEST(DiagnosticCommands, XmlTestReplacesTheFileWithRootAndOneChild) {
  const Session session;
  const fs::path xml = session.scratch("diagnosis.xml");
  spatiary_test::writeFile(xml, "old contents");
  const RunResult result = session.run("md9\n" + xml.string() + "\n");
  expectInOrder(result.output, {"xml test - outputs xml file to specified location\n", "please enter output file path <c:\\zelphDiagnosis.xml>:",
                                "xml test completed successfully\n"});
  expectRootWithOneChild(xml);
}

// The default path's drive is the folder the host runs in; so is the drive
// of a path typed the Windows way.
TEST(DiagnosticCommands, ADrivePathIsWrittenInTheWorkingFolder) {
  const Session session;
  const fs::path xml = session.scratch("zelphDiagnosis.xml");
  fs::create_directories(session.scratch("out"));
  const RunResult result = session.runInScratch("md9\n\nmda\n1\n3\n4\ntext\nD:\\out\\all.xml\n");
  EXPECT_EQ(countOccurrences(result.output, "xml test completed successfully\n"), 2) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
  expectRootWithOneChild(xml);
  expectRootWithOneChild(session.scratch("out") / "all.xml");
}

TEST(DiagnosticCommands, AllRunsTheSevenTestsInOrderWithoutADialog) {
  const Session session;
  const fs::path xml = session.scratch("all.xml");
  const RunResult result = session.run("mda\n1\n3\n4\ntext\n" + xml.string() + "\n");
  expectInOrder(result.output, {"basic test completed\n", kErrorTestA, "Error Test B - throws test error\n",
                                "function diagnosticErrorsC\n", "file blockEdit\n", "user input test finished\n",
                                "xml test completed successfully\n"});
  EXPECT_EQ(result.output.find("dialog test"), std::string::npos);
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
  EXPECT_TRUE(fs::exists(xml));
}

TEST(DiagnosticCommands, AnUnwritableXmlPathShowsOneErrorBoxAndTheCommandLineGoesOn) {
  const Session session;
  const fs::path xml = session.scratch("no-such-folder") / "out.xml";
  const RunResult result = session.run("md9\n" + xml.string() + "\nmd1\n", {"--keep-going"});
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("script line 2: Error Detected.: blockEdit::diagnosticXML"), std::string::npos)
      << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 2) << result.output;
  EXPECT_NE(result.output.find("blockEdit::diagnosticXML\n\tXMLUtilities::CXMLUtilities::save\n\n"
                               "Unable to write the XML file " + xml.string() + "."),
            std::string::npos)
      << result.output;
  EXPECT_EQ(result.output.find("xml test completed successfully"), std::string::npos);
  EXPECT_NE(result.output.find("basic test completed\n"), std::string::npos) << result.output;
}

TEST(DiagnosticCommands, DialogTestAsksForAFileAndIgnoresIt) {
  const Session session;
  const RunResult result = session.run("md3\n/tmp/whatever.txt\nmd3\n*cancel*\n");
  expectInOrder(result.output, {"dialog test - opens browse for file dialog\n", "All Files (*.*)",
                                "dialog test completed\n", "dialog test - opens browse for file dialog\n",
                                "dialog test completed\n"});
}

TEST(ProductDetection, MarkerCommandsExistOnlyInFullProducts) {
  const Session session;
  const std::string mlmc = "Zelph Create Legend Marker Block ";
  const std::string mpmc = "Zelph Create Pie Chart Marker Block ";
  const RunResult full = session.run("mlmc\n\nmpmc\n\n");
  EXPECT_NE(full.output.find(mlmc), std::string::npos) << full.output;
  EXPECT_NE(full.output.find(mpmc), std::string::npos) << full.output;
  const RunResult light = session.run("mlmc\nmpmc\nmbta\n", {"--product", "AutoCAD LT 2020", "--keep-going"});
  EXPECT_EQ(light.exitCode, 1) << light.output;
  EXPECT_EQ(light.output.find(mlmc), std::string::npos) << light.output;
  EXPECT_EQ(light.output.find(mpmc), std::string::npos) << light.output;
  EXPECT_NE(light.output.find("0 block(s) altered\n"), std::string::npos) << light.output;
}
