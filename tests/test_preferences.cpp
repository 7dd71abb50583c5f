// prefs.cfg: the rules for reading it, and what is written.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>

#include "HostSession.h"
#include "TestSupport.h"
#include "support/Preferences.h"

namespace fs = std::filesystem;
using spatiary_test::readFile;
using spatiary_test::ScratchFolder;
using spatiary_test::writeFile;

namespace {

const char* const kComments =
    "//\tCopyright (c) Zelph Systems. All rights reserved.\n//\n//\tConfiguration file for Spatiary\n//\n";

const char* const kDefaultFile =
    "//\tCopyright (c) Zelph Systems. All rights reserved.\n//\n//\tConfiguration file for Spatiary\n//\n"
    "units\n0\nprecison\n2\ntextSize\n250.00\ntextScale\n1.00\ntextRotation\n0.00\ncsvOpener\nNONE\n"
    "zoomBorder\n1000\ninc\n1\n";

class PreferencesFile : public ::testing::Test {
 protected:
  void SetUp() override { CPreferences::setWorkingFolders(m_appData.path().wstring()); }
  void TearDown() override { CPreferences::setWorkingFolders(L""); }

  fs::path file() const { return m_appData / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg"; }
  void write(const std::string& content) const {
    fs::create_directories(file().parent_path());
    writeFile(file(), content);
  }
  CPreferences loaded(const std::string& content) const {
    write(content);
    CPreferences preferences;
    EXPECT_EQ(preferences.loadPreferences(), 1);
    return preferences;
  }

  ScratchFolder m_appData;
};

}  // namespace

TEST(WorkingFolders, FollowTheApplicationDataFolder) {
  CPreferences::setWorkingFolders(L"/data/");
  EXPECT_EQ(CPreferences::preferencesFolder(), L"/data/ZelphSystems/Spatiary/prefs/");
  EXPECT_EQ(CPreferences::temporaryFolder(), L"/data/ZelphSystems/Spatiary/temp/");
  EXPECT_EQ(CPreferences().getFilePath(), L"/data/ZelphSystems/Spatiary/prefs/prefs.cfg");
  CPreferences::setWorkingFolders(L"");
  EXPECT_EQ(CPreferences::preferencesFolder(), L"");
  CPreferences withoutFolder;
  EXPECT_EQ(withoutFolder.loadPreferences(), 0);
  EXPECT_EQ(withoutFolder.savePreferences(), 0);
}

TEST_F(PreferencesFile, AMissingFileLeavesTheDefaults) {
  CPreferences preferences;
  EXPECT_EQ(preferences.loadPreferences(), 0);
  EXPECT_EQ(preferences.getUnits(), 0);
  EXPECT_EQ(preferences.getPrecision(), 2);
  EXPECT_DOUBLE_EQ(preferences.getTextSize(), 250.0);
  EXPECT_DOUBLE_EQ(preferences.getTextScale(), 1.0);
  EXPECT_DOUBLE_EQ(preferences.getTextRotation(), 0.0);
  EXPECT_EQ(preferences.getIncrement(), 1);
  EXPECT_EQ(preferences.getCsvOpener(), L"NONE");
  EXPECT_DOUBLE_EQ(preferences.getZoomBorder(), 1000.0);
}

TEST_F(PreferencesFile, SavingTheDefaultsWritesTheKnownFile) {
  CPreferences preferences;
  ASSERT_EQ(preferences.savePreferences(), 1);
  EXPECT_EQ(readFile(file()), kDefaultFile);
  EXPECT_FALSE(fs::exists(file().string() + ".tmp"));
}

TEST_F(PreferencesFile, SavedValuesLoadBack) {
  CPreferences saved;
  saved.setUnits(1);
  saved.setPrecision(3);
  saved.setTextSize(12.5);
  saved.setTextScale(0.8);
  saved.setTextRotation(-45);
  saved.setCsvOpener(L"/usr/bin/libre office");
  saved.setZoomBorder(500.4);
  saved.setIncrement(10);
  ASSERT_EQ(saved.savePreferences(), 1);
  CPreferences loaded;
  ASSERT_EQ(loaded.loadPreferences(), 1);
  EXPECT_EQ(loaded.getUnits(), 1);
  EXPECT_EQ(loaded.getPrecision(), 3);
  EXPECT_DOUBLE_EQ(loaded.getTextSize(), 12.5);
  EXPECT_DOUBLE_EQ(loaded.getTextScale(), 0.8);
  EXPECT_DOUBLE_EQ(loaded.getTextRotation(), -45);
  EXPECT_EQ(loaded.getCsvOpener(), L"/usr/bin/libre office");
  EXPECT_DOUBLE_EQ(loaded.getZoomBorder(), 500);
  EXPECT_EQ(loaded.getIncrement(), 10);
}

TEST_F(PreferencesFile, OnlyCommentsLoadsAsDefaults) {
  const CPreferences preferences = loaded(kComments);
  EXPECT_DOUBLE_EQ(preferences.getTextSize(), 250.0);
  EXPECT_EQ(preferences.getCsvOpener(), L"NONE");
}

TEST_F(PreferencesFile, KeysMatchByPrefixAndValuesAreTrimmed) {
  const CPreferences preferences = loaded(std::string(kComments) +
                                          "textSizeOfLabels\n12\nunits please\n 1 \ncsvOpener\n  /opt/calc  \n");
  EXPECT_DOUBLE_EQ(preferences.getTextSize(), 12.0);
  EXPECT_EQ(preferences.getUnits(), 1);
  EXPECT_EQ(preferences.getCsvOpener(), L"/opt/calc");
}

TEST_F(PreferencesFile, ABlankLineStopsTheReading) {
  const CPreferences preferences = loaded("units\n1\n\nprecison\n5\n");
  EXPECT_EQ(preferences.getUnits(), 1);
  EXPECT_EQ(preferences.getPrecision(), 2);
}

TEST_F(PreferencesFile, UnknownLinesAreSkipped) {
  const CPreferences preferences = loaded("colour\nprecison\n4\n");
  EXPECT_EQ(preferences.getPrecision(), 4);
}

TEST_F(PreferencesFile, OutOfRangeValuesAreCorrected) {
  CPreferences preferences = loaded("textSize\n-3\ntextScale\n0\ntextRotation\n270\ninc\n0\n");
  EXPECT_DOUBLE_EQ(preferences.getTextSize(), 0.1);
  EXPECT_DOUBLE_EQ(preferences.getTextScale(), 0.1);
  EXPECT_DOUBLE_EQ(preferences.getTextRotation(), 180.0);
  EXPECT_EQ(preferences.getIncrement(), 1);
  preferences = loaded("textRotation\n-500\ninc\n101\n");
  EXPECT_DOUBLE_EQ(preferences.getTextRotation(), -180.0);
  EXPECT_EQ(preferences.getIncrement(), 1);
  preferences = loaded("inc\n100\n");
  EXPECT_EQ(preferences.getIncrement(), 100);
}

TEST_F(PreferencesFile, NonNumericValuesReadAsZero) {
  const CPreferences preferences = loaded("units\nfeet\nprecison\n3a\nzoomBorder\nwide\n");
  EXPECT_EQ(preferences.getUnits(), 0);
  EXPECT_EQ(preferences.getPrecision(), 0);
  EXPECT_DOUBLE_EQ(preferences.getZoomBorder(), 0.0);
}

TEST_F(PreferencesFile, InfinitiesAndNanKeepTheCurrentValue) {
  const CPreferences preferences = loaded("textSize\nnan\ntextRotation\ninf\nzoomBorder\n1e999\n");
  EXPECT_DOUBLE_EQ(preferences.getTextSize(), 250.0);
  EXPECT_DOUBLE_EQ(preferences.getTextRotation(), 0.0);
  EXPECT_DOUBLE_EQ(preferences.getZoomBorder(), 1000.0);
}

TEST_F(PreferencesFile, AKeyCutOffByTheEndOfTheFileIsIgnored) {
  const CPreferences preferences = loaded("units\n1\ntextSize\n");
  EXPECT_EQ(preferences.getUnits(), 1);
  EXPECT_DOUBLE_EQ(preferences.getTextSize(), 250.0);
}

TEST_F(PreferencesFile, WindowsLineEndsAndAByteOrderMarkAreRead) {
  const CPreferences preferences = loaded("\xEF\xBB\xBFunits\r\n1\r\nprecison\r\n4\r\n\r\ninc\r\n9\r\n");
  EXPECT_EQ(preferences.getUnits(), 1);
  EXPECT_EQ(preferences.getPrecision(), 4);
  EXPECT_EQ(preferences.getIncrement(), 1);
}

TEST_F(PreferencesFile, AFailedWriteSaysSoAndKeepsNoHalfFile) {
  fs::create_directories(file());  // a folder where the file should be
  std::ostringstream out;
  HostSession::instance().setOutput(&out);
  CPreferences preferences;
  const int saved = preferences.savePreferences();
  HostSession::instance().setOutput(&std::cout);
  EXPECT_EQ(saved, 0);
  EXPECT_NE(out.str().find("Error - Configuration Not Saved"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("Unable to Write Configuration File - " + file().string()), std::string::npos) << out.str();
  EXPECT_FALSE(fs::exists(file().string() + ".tmp"));
}

TEST_F(PreferencesFile, DamagedFilesAlwaysLoadSaneValues) {
  const char* const pieces[] = {"units", "precison", "textSize", "textScale", "textRotation", "csvOpener",
                                "zoomBorder", "inc", "//", "\n", "\r\n", "-", "1e400", "nan", "0", "-0.0",
                                "999999999999", "\xff\xfe", " ", "\t", "12.5", "-370", ".", ","};
  std::mt19937 random(20240131);
  for (int round = 0; round < 500; ++round) {
    std::string content;
    const int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) content += pieces[random() % (sizeof pieces / sizeof pieces[0])];
    const CPreferences preferences = loaded(content);
    EXPECT_TRUE(std::isfinite(preferences.getTextSize()) && preferences.getTextSize() > 0) << content;
    EXPECT_TRUE(std::isfinite(preferences.getTextScale()) && preferences.getTextScale() > 0) << content;
    EXPECT_GE(preferences.getTextRotation(), -180.0) << content;
    EXPECT_LE(preferences.getTextRotation(), 180.0) << content;
    EXPECT_TRUE(std::isfinite(preferences.getZoomBorder())) << content;
    EXPECT_GE(preferences.getIncrement(), 1) << content;
    EXPECT_LE(preferences.getIncrement(), 100) << content;
  }
}
