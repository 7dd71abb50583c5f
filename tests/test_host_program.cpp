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

TEST_F(HostProgram, AFailedSaveFailsTheRunAndLeavesNothingHalfWritten) {
  std::filesystem::create_directory(scratch / "plan.dxf.d");
  const auto intoFolder = runSpatiary({"--appdata", appdata(), "-o", (scratch / "plan.dxf.d").string()}, "");
  EXPECT_EQ(intoFolder.exitCode, 1) << intoFolder.output;
  const auto missingFolder =
      runSpatiary({"--appdata", appdata(), "-o", (scratch / "no" / "such" / "plan.dxf").string()}, "");
  EXPECT_EQ(missingFolder.exitCode, 1);

  const auto inScript = runSpatiary({"--appdata", appdata(), sample()},
                                    "saveas " + (scratch / "plan.dxf.d").string() + "\nm?\n");
  EXPECT_EQ(inScript.exitCode, 1) << inScript.output;
  EXPECT_NE(inScript.output.find("script line 1: cannot save to"), std::string::npos) << inScript.output;
  EXPECT_EQ(inScript.output.find("VKT Suite Commands"), std::string::npos) << inScript.output;
}

TEST_F(HostProgram, AScriptStopsAtItsFirstFailureNamingTheLine) {
  const auto saved = (scratch / "out.dxf").string();
  const auto result = runSpatiary({"--appdata", appdata(), "-o", saved, sample()}, "m?\n\nfrobnicate\nmd?\n");
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("script line 3: Unknown command \"FROBNICATE\""), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("VKT Suite Commands"), std::string::npos) << result.output;
  EXPECT_EQ(result.output.find("Diagnostic"), std::string::npos) << result.output;
  // A half-run script leaves the output file alone.
  EXPECT_FALSE(std::filesystem::exists(saved));
  EXPECT_NE(result.output.find("not saved to"), std::string::npos) << result.output;

  const auto refused = runSpatiary({"--appdata", appdata(), sample()}, "md8\n1\nlots\n2.5\n");
  EXPECT_EQ(refused.exitCode, 1) << refused.output;
  EXPECT_NE(refused.output.find("script line 3: Requires numeric value."), std::string::npos) << refused.output;

  const auto render = runSpatiary({"--appdata", appdata(), sample()},
                                  "render " + (scratch / "no" / "plan.svg").string() + "\nm?\n");
  EXPECT_EQ(render.exitCode, 1) << render.output;
  EXPECT_NE(render.output.find("script line 1: "), std::string::npos) << render.output;
}

TEST_F(HostProgram, KeepGoingRunsTheWholeScriptAndStillFails) {
  const auto saved = (scratch / "out.dxf").string();
  const auto result = runSpatiary({"--appdata", appdata(), "--keep-going", "-o", saved, sample()},
                                  "frobnicate\n@click 1\nopen\nmd8\nmaybe\nlots\n2.5\nfew\n3\n\nmd1\n");
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("script line 1: Unknown command \"FROBNICATE\""), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("script line 2: No dialog is open"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("script line 3: open needs the path"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("script line 6: Requires numeric value."), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("script line 8: Requires an integer value."), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("decimal user input test successful - 2.500"), std::string::npos);
  EXPECT_NE(result.output.find("integer user input test successful - 3"), std::string::npos);
  EXPECT_NE(result.output.find("basic test completed"), std::string::npos);
  EXPECT_NE(result.output.find("spatiary: 5 failures"), std::string::npos) << result.output;
  EXPECT_TRUE(std::filesystem::exists(saved));
  EXPECT_NE(result.output.find("Wrote the drawing " + saved + " ("), std::string::npos) << result.output;
}

TEST_F(HostProgram, TheEndOfInputWhileAQuestionOrDialogWaitsFails) {
  const auto result = runSpatiary({"--appdata", appdata(), sample()}, "mgabc\n");
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("end of script: The input ended while"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("Cancelled by User."), std::string::npos) << result.output;
  const auto dialog = runSpatiary({"--appdata", appdata(), sample()}, "mprefs\n@set 290 5\n");
  EXPECT_EQ(dialog.exitCode, 1) << dialog.output;
  EXPECT_NE(dialog.output.find("end of script: The input ended while the dialog \"Block Editing Suite - "
                               "Preferences\" was waiting."),
            std::string::npos)
      << dialog.output;
  EXPECT_EQ(readFile(scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg"),
            "//\tprefs\nunits\n0\n");
}

// A text question that the input leaves is cancelled: the command goes on
// with its default, or without the answer, rather than asking for ever.
TEST_F(HostProgram, TheEndOfInputCancelsATextQuestionAndTheCommandFinishes) {
  const auto folder = scratch / "appdata" / "ZelphSystems" / "Spatiary" / "prefs";
  std::filesystem::create_directories(folder);
  // No opener chosen.
  writeFile(folder / "prefs.cfg", "units\n0\ncsvOpener\n\n");
  const auto plan = scratch / "plan.dxf";
  std::filesystem::copy_file(sample(), plan);
  const std::string appdataFolder = (scratch / "appdata").string();

  const auto csv = runSpatiary({"--appdata", appdataFolder, plan.string()}, "mcsv\n");
  EXPECT_EQ(csv.exitCode, 0) << csv.output;
  EXPECT_NE(csv.output.find("Invalid input! - Please enter the path of the application"), std::string::npos)
      << csv.output;
  EXPECT_NE(csv.output.find("csv data successfully saved"), std::string::npos) << csv.output;
  EXPECT_TRUE(std::filesystem::exists(scratch / "plan.csv"));

  const auto text = runSpatiary({"--appdata", appdataFolder, plan.string()}, "mut\n-5\n");
  EXPECT_EQ(text.exitCode, 0) << text.output;
  EXPECT_NE(text.output.find("Text Size must be greater than 0\nEnter new Text Size or (i)gnore <250>:\n\n"
                             "Invalid input! - Text Size must be greater than 0\nEnter new Text Size or (i)gnore "
                             "<250>:\n 250\n"),
            std::string::npos)
      << text.output;
  EXPECT_NE(text.output.find("Invalid input! - Enter new Text Rotation or (i)gnore <0>:\n 0\nCommand:"),
            std::string::npos)
      << text.output;
  EXPECT_EQ(text.output.find("The input ended while"), std::string::npos) << text.output;

  // A question for a number is no text question: the run fails, naming it.
  const auto number = runSpatiary({"--appdata", appdataFolder, plan.string()}, "md8\n");
  EXPECT_EQ(number.exitCode, 1) << number.output;
  EXPECT_NE(number.output.find("end of script: The input ended while"), std::string::npos) << number.output;
}

TEST_F(HostProgram, AFreshMachineRunsAScriptUnattendedOnlyWhenAskedTo) {
  const auto fresh = (scratch / "fresh").string();
  // Without the option the first-run dialog takes the first line and fails, naming itself.
  const auto stuck = runSpatiary({"--appdata", fresh, sample()}, "m?\n");
  EXPECT_EQ(stuck.exitCode, 1) << stuck.output;
  EXPECT_NE(stuck.output.find("script line 1: The dialog \"Block Editing Suite - Preferences\" is waiting"),
            std::string::npos)
      << stuck.output;

  const auto fresher = (scratch / "fresher").string();
  const auto result = runSpatiary({"--appdata", fresher, "--accept-defaults", sample()}, "m?\n");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_NE(result.output.find("accepted with its defaults"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("VKT Suite Commands"), std::string::npos) << result.output;
  const auto prefs = readFile(std::filesystem::path(fresher) / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg");
  EXPECT_NE(prefs.find("units\n0\n"), std::string::npos) << prefs;
}

TEST_F(HostProgram, HelpListsTheHostsCommandsAndEveryModuleCommand) {
  const auto result = runSpatiary({"--appdata", appdata(), sample()}, "help\n");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  for (const char* line : {"  open PATH       open a drawing", "  saveas PATH", "  render PATH", "  quit  ",
                           "  mbc             zelphBlockCreate", "  magr            zelphApplyGraphicReport",
                           "  m?              mhelp"})
    EXPECT_NE(result.output.find(line), std::string::npos) << line << "\n" << result.output;
}

TEST_F(HostProgram, QuotedPathsAndWhatSavesAndPicturesSay) {
  std::filesystem::create_directory(scratch / "my plans");
  const auto plan = (scratch / "my plans" / "floor one.dxf").string();
  const auto picture = (scratch / "my plans" / "floor one.svg").string();
  const auto result = runSpatiary({"--appdata", appdata(), sample()},
                                  "saveas \"" + plan + "\"\nopen \"" + plan + "\"\nrender \"" + picture + "\"\nsave\n");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Wrote the drawing " + plan + " ("), 2) << result.output;
  EXPECT_NE(result.output.find("Wrote the picture " + picture + " ("), std::string::npos) << result.output;
  EXPECT_NE(result.output.find(" KB)."), std::string::npos) << result.output;
  EXPECT_TRUE(std::filesystem::exists(picture));
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
