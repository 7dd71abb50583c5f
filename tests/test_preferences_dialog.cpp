// The preferences dialog at first load and through mprefs, and the About box.
#include <gtest/gtest.h>

#include <filesystem>
#include <cctype>
#include <vector>

#include "TestSupport.h"

namespace fs = std::filesystem;
using spatiary_test::countOccurrences;
using spatiary_test::readFile;
using spatiary_test::RunResult;
using spatiary_test::ScratchFolder;

namespace {

const char* const kDefaultFile =
    "//\tCopyright (c) Zelph Systems. All rights reserved.\n//\n//\tConfiguration file for Spatiary\n//\n"
    "units\n0\nprecison\n2\ntextSize\n250.00\ntextScale\n1.00\ntextRotation\n0.00\ncsvOpener\nNONE\n"
    "zoomBorder\n1000\ninc\n1\n";

const char* const kCaption = "Block Editing Suite - Preferences";

class AppData {
 public:
  fs::path prefsFile() const { return m_folder / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg"; }
  void writePrefs(const std::string& content) const {
    fs::create_directories(prefsFile().parent_path());
    spatiary_test::writeFile(prefsFile(), content);
  }
  // Refused values and error boxes fail a script: keepGoing runs it to its end.
  RunResult run(const std::string& script, bool keepGoing = false) const {
    std::vector<std::string> arguments = {"--appdata", m_folder.path().string()};
    if (keepGoing) arguments.push_back("--keep-going");
    return spatiary_test::runSpatiary(arguments, script);
  }

 private:
  ScratchFolder m_folder;
};

// The quoted text of a control in the dialog listing.
std::string fieldText(const std::string& listing, const std::string& id) {
  const std::string head = "  " + id + " static \"";
  const size_t start = listing.find(head);
  if (start == std::string::npos) return "";
  const size_t from = start + head.size();
  return listing.substr(from, listing.find('"', from) - from);
}

// As the compiler writes it: "Jan  8 2020".
bool looksLikeBuildDate(const std::string& text) {
  if (text.size() != 11 || text[3] != ' ' || text[6] != ' ') return false;
  const auto digit = [&](size_t at) { return std::isdigit(static_cast<unsigned char>(text[at])) != 0; };
  return std::isupper(static_cast<unsigned char>(text[0])) && (digit(4) || text[4] == ' ') && digit(5) && digit(7) &&
         digit(8) && digit(9) && digit(10);
}

}  // namespace

TEST(FirstLoad, EscapeLeavesNoFileAndTheDialogComesBack) {
  const AppData appData;
  RunResult result = appData.run("@show\n@escape\n");
  EXPECT_NE(result.output.find(kCaption), std::string::npos) << result.output;
  EXPECT_FALSE(fs::exists(appData.prefsFile()));
  EXPECT_TRUE(fs::is_directory(appData.prefsFile().parent_path()));
  result = appData.run("@show\n@escape\n");
  EXPECT_NE(result.output.find(kCaption), std::string::npos) << result.output;
}

TEST(FirstLoad, OkWritesTheDefaultFileAndTheNextLoadShowsNoDialog) {
  const AppData appData;
  RunResult result = appData.run("@click 1\nmd1\n");
  ASSERT_TRUE(fs::exists(appData.prefsFile())) << result.output;
  EXPECT_EQ(readFile(appData.prefsFile()), kDefaultFile);
  EXPECT_NE(result.output.find("basic test completed"), std::string::npos) << result.output;
  result = appData.run("@show\nmd1\n");
  EXPECT_EQ(result.output.find(kCaption), std::string::npos) << result.output;
}

TEST(FirstLoad, TheCloseBoxSavesToo) {
  const AppData appData;
  appData.run("@set 290 4\n@close\n");
  ASSERT_TRUE(fs::exists(appData.prefsFile()));
  EXPECT_NE(readFile(appData.prefsFile()).find("precison\n4\n"), std::string::npos);
}

TEST(EditPreferences, PrintsItsTitleAndSavesTheEditedValues) {
  const AppData appData;
  appData.writePrefs(kDefaultFile);
  const RunResult result = appData.run(
      "mprefs\n@check 289 1\n@set 290 3\n@set 291 180\n@set 341 0.9\n@set 342 -90\n@set 292 250\n"
      "@set 330 /usr/bin/gnumeric\n@click 1\n");
  EXPECT_NE(result.output.find("Zelph Edit Preferences 64.04.04.00\n"), std::string::npos) << result.output;
  EXPECT_EQ(readFile(appData.prefsFile()),
            "//\tCopyright (c) Zelph Systems. All rights reserved.\n//\n//\tConfiguration file for Spatiary\n//\n"
            "units\n1\nprecison\n3\ntextSize\n180.00\ntextScale\n0.90\ntextRotation\n-90.00\n"
            "csvOpener\n/usr/bin/gnumeric\nzoomBorder\n250\ninc\n1\n");
}

TEST(EditPreferences, TheIncrementSurvivesTheDialog) {
  const AppData appData;
  appData.writePrefs("inc\n7\n");
  appData.run("mprefs\n@click 1\n");
  EXPECT_NE(readFile(appData.prefsFile()).find("inc\n7\n"), std::string::npos);
}

TEST(EditPreferences, EscapeKeepsTheFile) {
  const AppData appData;
  appData.writePrefs("units\n1\n");
  appData.run("mprefs\n@set 290 5\n@escape\n");
  EXPECT_EQ(readFile(appData.prefsFile()), "units\n1\n");
}

TEST(EditPreferences, SmallTextSizeShowsTheDefaultAndSavesAtLeastOne) {
  const AppData appData;
  appData.writePrefs("textSize\n0.5\n");
  const RunResult result = appData.run("mprefs\n@show\n@set 291 0.5\n@click 1\n");
  EXPECT_NE(result.output.find("250"), std::string::npos) << result.output;
  EXPECT_NE(readFile(appData.prefsFile()).find("textSize\n1.00\n"), std::string::npos) << readFile(appData.prefsFile());
}

TEST(EditPreferences, OutOfRangeValuesKeepTheDialogOpenAndTheFileUnchanged) {
  const AppData appData;
  appData.writePrefs(kDefaultFile);
  for (const char* edit : {"@set 290 10\n", "@set 292 20000\n", "@set 290 -1\n"}) {
    const RunResult result =
        appData.run(std::string("mprefs\n") + edit + "@click 1\n@close\n@show\n@escape\nmd1\n", true);
    EXPECT_EQ(result.exitCode, 1) << result.output;
    EXPECT_EQ(readFile(appData.prefsFile()), kDefaultFile) << edit << result.output;
    EXPECT_NE(result.output.find(kCaption), std::string::npos) << edit << result.output;
    EXPECT_NE(result.output.find("basic test completed"), std::string::npos) << edit << result.output;
  }
}

TEST(EditPreferences, AnUnwritableFileIsReportedAndTheDialogCloses) {
  const AppData appData;
  fs::create_directories(appData.prefsFile());  // a folder where the file should be
  const RunResult result = appData.run("mprefs\n@click 1\nmd1\n", true);
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "--- Error - Configuration Not Saved ---"), 1) << result.output;
  EXPECT_NE(result.output.find("Unable to Write Configuration File - "), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("basic test completed"), std::string::npos) << result.output;
}

TEST(AboutBox, ShowsTheVersionFromTheHelpMenu) {
  const AppData appData;
  appData.writePrefs(kDefaultFile);
  const RunResult result = appData.run("mprefs\n@menu 32770\n@show\n@click 1\n@escape\n");
  EXPECT_NE(result.output.find("About - Spatiary"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("64.04.04.00"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("BricsCAD 18 64bit"), std::string::npos) << result.output;
  EXPECT_TRUE(looksLikeBuildDate(fieldText(result.output, "327"))) << result.output;
}
