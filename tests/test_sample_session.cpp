// A planner's first session over the bundled floor plan: help, diagnostics
// and preferences, then the drawing saved and checked by ezdxf.
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

}  // namespace
