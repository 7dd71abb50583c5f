// The spatiary program as scripts use it: options, exit status, and what
// it says when a drawing, a save or an answer is no good.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"

using namespace spatiary_test;

namespace {

class HostProgram : public ::testing::Test {
 protected:
  ScratchFolder scratch;
  std::string appdata() {
    // A preferences file already there, so loading asks nothing.
    const auto folder = scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs";
    std::filesystem::create_directories(folder);
    writeFile(folder / "prefs.cfg", "//\tprefs\nunits\n0\n");
    return (scratch / "appdata").string();
  }
  std::string sample() const { return floorDrawing().string(); }
};

TEST_F(HostProgram, HelpVersionAndBadOptions) {
  const auto help = runSpatiary({"--help"}, "");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_NE(help.output.find("--script FILE"), std::string::npos) << help.output;
  EXPECT_EQ(runSpatiary({"--version"}, "").exitCode, 0);
  const auto unknown = runSpatiary({"--colour"}, "");
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_NE(unknown.output.find("unknown option --colour"), std::string::npos) << unknown.output;
  EXPECT_EQ(runSpatiary({"-o"}, "").exitCode, 2);
}

TEST_F(HostProgram, ADrawingThatCannotBeLoadedStopsTheRun) {
  const auto missing = runSpatiary({"--appdata", appdata(), (scratch / "nowhere.dxf").string()}, "m?\n");
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_EQ(missing.output.find("VKT Suite Commands"), std::string::npos) << missing.output;

  const auto broken = scratch / "broken.dxf";
  writeFile(broken, "  0\nSECTION\n  2\nENTITIES\nten\nLINE\n");
  const auto malformed = runSpatiary({"--appdata", appdata(), broken.string()}, "m?\n");
  EXPECT_NE(malformed.exitCode, 0);
  EXPECT_NE(malformed.output.find("line 5"), std::string::npos) << malformed.output;
}

TEST_F(HostProgram, AFailedSaveIsReportedAndTheScriptGoesOn) {
  std::filesystem::create_directory(scratch / "plan.dxf.d");
  const auto intoFolder = runSpatiary({"--appdata", appdata(), "-o", (scratch / "plan.dxf.d").string()}, "");
  EXPECT_NE(intoFolder.exitCode, 0) << intoFolder.output;
  const auto missingFolder =
      runSpatiary({"--appdata", appdata(), "-o", (scratch / "no" / "such" / "plan.dxf").string()}, "");
  EXPECT_NE(missingFolder.exitCode, 0);

  const auto inScript = runSpatiary({"--appdata", appdata(), sample()},
                                    "saveas " + (scratch / "plan.dxf.d").string() + "\nm?\n");
  EXPECT_EQ(inScript.exitCode, 0) << inScript.output;
  EXPECT_NE(inScript.output.find("VKT Suite Commands"), std::string::npos);
}

TEST_F(HostProgram, WrongLinesGetAMessageAndTheRunGoesOn) {
  const auto saved = (scratch / "out.dxf").string();
  const auto result = runSpatiary({"--appdata", appdata(), "-o", saved, sample()},
                                  "frobnicate\n@click 1\nopen\nmd8\nmaybe\nlots\n2.5\nfew\n3\n\nmd1\n");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("Unknown command \"FROBNICATE\""), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("No dialog is open"), std::string::npos);
  EXPECT_NE(result.output.find("decimal user input test successful - 2.500"), std::string::npos);
  EXPECT_NE(result.output.find("integer user input test successful - 3"), std::string::npos);
  EXPECT_NE(result.output.find("basic test completed"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists(saved));
}

TEST_F(HostProgram, TheEndOfInputEndsPromptsAndDialogs) {
  const auto result = runSpatiary({"--appdata", appdata(), sample()}, "md8\n1\n");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("user input test finished"), std::string::npos) << result.output;
  const auto dialog = runSpatiary({"--appdata", appdata(), sample()}, "mprefs\n@set 290 5\n");
  EXPECT_EQ(dialog.exitCode, 0) << dialog.output;
  EXPECT_EQ(readFile(scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg"),
            "//\tprefs\nunits\n0\n");
}

TEST_F(HostProgram, ANewDrawingWithoutAFileIsMillimetres) {
  const auto saved = (scratch / "new.dxf").string();
  ASSERT_EQ(runSpatiary({"--appdata", appdata(), "-o", saved}, "").exitCode, 0);
  const auto check = runPython("import sys, ezdxf\nd = ezdxf.readfile(sys.argv[1])\n"
                               "print(d.header['$INSUNITS'], len(d.audit().errors))\n",
                               {saved});
  EXPECT_EQ(check.output, "4 0\n");
}

}  // namespace
