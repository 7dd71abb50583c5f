// A planner's first session over the bundled floor plan: help, diagnostics
// and preferences, then the drawing saved and checked by ezdxf; and the
// README's own run, from outlines to the report's legend and pie chart.
#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace spatiary_test;

namespace {

// Every entity of model space and of the blocks, as "HANDLE TYPE LAYER".
const char* kListEntities = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print("audit-errors", len(auditor.errors))
for e in doc.entitydb.values():
    if e.dxf.hasattr("layer") and e.dxftype() not in ("LAYER",):
        print(e.dxf.handle, e.dxftype(), e.dxf.layer)
)";

// The texts of the legend's table and the pie chart's sectors, as ezdxf reads them.
const char* kListCharts = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
for block in doc.blocks:
    # A table is drawn by its anonymous *T block.
    if block.name.startswith("*T"):
        for text in block.query("MTEXT"):
            print("cell", text.plain_text())
    if block.name.startswith("[ZELPH_PIECHART]_"):
        for sector in block.query("LWPOLYLINE"):
            if any(bulge for *_, bulge in sector.get_points("xyb")):
                print("sector", block.name)
)";

class SampleSession : public ::testing::Test {
 protected:
  ScratchFolder scratch;
  std::string sample = (sourceDir() / "samples" / "floorplan.dxf").string();

  RunResult run(const std::string& script, const std::string& output) {
    return runSpatiary({"--appdata", (scratch / "appdata").string(), "-o", output, sample}, script);
  }
};

TEST_F(SampleSession, HelpDiagnosticsAndPreferencesThenSaveKeepsTheDrawing) {
  const auto saved = (scratch / "saved.dxf").string();
  const auto xml = (scratch / "diagnosis.xml").string();
  const auto result = run("@click 1\nm?\nmd?\nmda\n1\n2.5\n7\nsample run\n" + xml +
                              "\nmprefs\n@set 290 3\n@click 1\nsaveas " + saved + "\n",
                          saved);
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("    mbc     zelphBlockCreate              Create a zelph block.\n"), std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("    md9     zelphDiagnosticXML            Test XML output.\n"), std::string::npos);
  EXPECT_NE(result.output.find("basic test successful\n"), std::string::npos);
  EXPECT_NE(result.output.find("decimal user input test successful - 2.500\n"), std::string::npos);
  EXPECT_NE(result.output.find("integer user input test successful - 7\n"), std::string::npos);
  EXPECT_NE(result.output.find("text user input test successful - sample run\n"), std::string::npos);
  EXPECT_NE(result.output.find("xml test completed successfully\n"), std::string::npos);
  EXPECT_NE(result.output.find("Zelph Edit Preferences 64.04.04.00\n"), std::string::npos);
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;

  const auto prefs = readFile(scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg");
  EXPECT_NE(prefs.find("precison\n3\n"), std::string::npos) << prefs;

  const auto before = runPython(kListEntities, {sample});
  const auto after = runPython(kListEntities, {saved});
  ASSERT_EQ(before.exitCode, 0) << before.output;
  ASSERT_EQ(after.exitCode, 0) << after.output;
  EXPECT_NE(after.output.find("audit-errors 0\n"), std::string::npos) << after.output;
  EXPECT_EQ(before.output, after.output);
  EXPECT_GE(countOccurrences(after.output, " LWPOLYLINE "), 9);
}

TEST_F(SampleSession, TheSampleMatchesItsGenerator) {
  const auto regenerated = (scratch / "floorplan.dxf").string();
  const auto made = runCommand(shellQuote((binDir() / "make_floorplan").string()) + " " + shellQuote(regenerated));
  ASSERT_EQ(made.exitCode, 0) << made.output;
  EXPECT_EQ(readFile(regenerated), readFile(sample));
}

TEST_F(SampleSession, TheReadmeRunDrawsTheReportsLegendAndPieChart) {
  // The script names the report from where the README's run starts.
  const auto start = scratch / "build" / "sample";
  std::filesystem::create_directories(start / "appdata");
  std::filesystem::create_directory_symlink(sourceDir() / "samples", scratch / "samples");
  const auto saved = start / "floorplan-out.dxf";
  const RunResult run = runCommand("cd " + shellQuote(start.string()) + " && " +
                                   shellQuote(spatiaryExecutable().string()) + " --appdata appdata -s " +
                                   shellQuote((sourceDir() / "samples" / "floorplan.scr").string()) + " -o " +
                                   shellQuote(saved.string()) + " " + shellQuote(sample));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("graphic report successfully applied."), std::string::npos) << run.output;
  // Eight rooms, the gross area and the two markers.
  EXPECT_EQ(countOccurrences(run.output, "Block Created Successfully"), 11) << run.output;
  EXPECT_EQ(countOccurrences(run.output, "error(s) occurred"), 0) << run.output;
  EXPECT_TRUE(std::filesystem::exists(start / "floorplan.png"));

  const RunResult charts = runPython(kListCharts, {saved.string()});
  ASSERT_EQ(charts.exitCode, 0) << charts.output;
  EXPECT_NE(charts.output.find("audit-errors 0\n"), std::string::npos) << charts.output;
  for (const char* cell : {"Occupancy", "Offices", "204.000", "Meeting", "49.571", "Stores", "Circulation", "48.000"})
    EXPECT_NE(charts.output.find(std::string("cell ") + cell + "\n"), std::string::npos) << cell << charts.output;
  EXPECT_EQ(countOccurrences(charts.output, "sector "), 4) << charts.output;

  // The saved drawing shows the same in a picture made from the file.
  const auto svg = scratch / "floorplan.svg";
  const RunResult rendered = runCommand(shellQuote(spatiaryExecutable().string()) + " render " +
                                        shellQuote(saved.string()) + " " + shellQuote(svg.string()));
  ASSERT_EQ(rendered.exitCode, 0) << rendered.output;
  const std::string picture = readFile(svg);
  EXPECT_NE(picture.find(">Offices</text>"), std::string::npos);
  EXPECT_NE(picture.find(">204.000</text>"), std::string::npos);
}

}  // namespace
