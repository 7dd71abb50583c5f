// Folders, path and file-name syntax, extensions and temporary files.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "HostSession.h"
#include "TestSupport.h"
#include "support/FileUtilities.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;
using F = CFileUtilities;
using spatiary_test::ScratchFolder;

namespace {
std::wstring wide(const fs::path& path) { return path.wstring(); }
}  // namespace

TEST(EnsureDirectory, CreatesEveryMissingParentFromTheTop) {
  ScratchFolder scratch;
  const fs::path deep = scratch / "a" / "b" / "c";
  EXPECT_NE(F::ensureDirectoryExists(wide(deep) + L"/"), 0);
  EXPECT_TRUE(fs::is_directory(deep));
  EXPECT_NE(F::ensureDirectoryExists(wide(deep)), 0);
}

TEST(EnsureDirectory, AcceptsBackslashSeparators) {
  ScratchFolder scratch;
  EXPECT_NE(F::ensureDirectoryExists(wide(scratch.path()) + L"\\x/y\\"), 0);
  EXPECT_TRUE(fs::exists(scratch.path() / "x"));
}

TEST(EnsureDirectory, AnExistingFileCountsAndIsLeftAlone) {
  ScratchFolder scratch;
  spatiary_test::writeFile(scratch / "plan.txt", "keep");
  EXPECT_NE(F::ensureDirectoryExists(wide(scratch / "plan.txt")), 0);
  EXPECT_EQ(spatiary_test::readFile(scratch / "plan.txt"), "keep");
}

TEST(EnsureDirectory, FailureIsPrintedAndReported) {
  ScratchFolder scratch;
  spatiary_test::writeFile(scratch / "file", "");
  std::ostringstream out;
  HostSession::instance().setOutput(&out);
  const std::wstring below = wide(scratch / "file" / "sub" / "deeper");
  const int result = F::ensureDirectoryExists(below);
  HostSession::instance().setOutput(&std::cout);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(out.str(), "Cannot create " + (scratch / "file" / "sub").string() + "\n");
  EXPECT_EQ(F::ensureDirectoryExists(L"relative-without-separator-that-does-not-exist"), 0);
}

TEST(PathSyntax, KeepsADriveColonAndEndsWithASeparator) {
  std::wstring path = L"C:\\plans:old\\a*b";
  F::checkPathSyntax(path);
  EXPECT_EQ(path, L"C:\\plansold\\ab/");
  path = L"/srv/plans/";
  F::checkPathSyntax(path);
  EXPECT_EQ(path, L"/srv/plans/");
  path = L"c:\\temp\\";
  F::checkPathSyntax(path);
  EXPECT_EQ(path, L"c:\\temp\\");
  path = L"";
  F::checkPathSyntax(path);
  EXPECT_EQ(path, L"");
  path = L"a?";
  F::checkPathSyntax(path);
  EXPECT_EQ(path, L"a/");
}

TEST(FilenameSyntax, ForbiddenCharactersAreRemovedOnlyWhenRepairing) {
  std::wstring name = L"plan?.dwg";
  EXPECT_EQ(F::checkFilenameSyntax(name, false), 0);
  EXPECT_EQ(name, L"plan?.dwg");
  EXPECT_EQ(F::checkFilenameSyntax(name, true), 1);
  EXPECT_EQ(name, L"plan.dwg");
  name = L"a<b>|\"*c";
  EXPECT_EQ(F::checkFilenameSyntax(name, true), 1);
  EXPECT_EQ(name, L"abc");
}

TEST(FilenameSyntax, LeadingSeparatorAndSecondColon) {
  std::wstring name = L"\\plan.dwg";
  EXPECT_EQ(F::checkFilenameSyntax(name, false), 0);
  EXPECT_EQ(F::checkFilenameSyntax(name, true), 1);
  EXPECT_EQ(name, L"plan.dwg");
  name = L"/plan.dwg";
  EXPECT_EQ(F::checkFilenameSyntax(name, true), 1);
  EXPECT_EQ(name, L"plan.dwg");
  name = L"c:plan.dwg";
  EXPECT_EQ(F::checkFilenameSyntax(name, false), 1);
  name = L"c:pl:an:.dwg";
  EXPECT_EQ(F::checkFilenameSyntax(name, false), 0);
  EXPECT_EQ(F::checkFilenameSyntax(name, true), 1);
  EXPECT_EQ(name, L"c:plan.dwg");
}

TEST(Extensions, SwapOrAppend) {
  EXPECT_EQ(F::swapFileExtension(L"  Plan.dwg ", L".dwg", L".vkt"), L"Plan.vkt");
  EXPECT_EQ(F::swapFileExtension(L"Plan.DWG", L".dwg", L".vkt"), L"Plan.DWG.vkt");
  EXPECT_EQ(F::swapFileExtension(L"Plan", L".dwg", L".vkt"), L"Plan.vkt");
}

TEST(Files, ExistAndDelete) {
  ScratchFolder scratch;
  const fs::path file = scratch / "a.xml";
  EXPECT_FALSE(F::fileExists(wide(file)));
  EXPECT_EQ(F::deleteFile(wide(file)), 0);
  spatiary_test::writeFile(file, "x");
  EXPECT_TRUE(F::fileExists(wide(file)));
  EXPECT_TRUE(F::fileExists(wide(scratch.path())));
  EXPECT_EQ(F::deleteFile(wide(file)), 1);
  EXPECT_FALSE(fs::exists(file));
  EXPECT_EQ(F::deleteFile(wide(scratch.path())), 0);
  EXPECT_TRUE(fs::exists(scratch.path()));
}

TEST(Browse, TheAnswerIsThePathAndCancelIsEmpty) {
  std::istringstream in("/tmp/report.xml\n*cancel*\n");
  std::ostringstream out;
  auto& session = HostSession::instance();
  session.setInput(&in);
  session.setOutput(&out);
  const std::wstring chosen = F::browseForFile(L"XML Graphic Reports (*.xml)|*.xml");
  const std::wstring cancelled = F::browseForFile(L"All Files (*.*)|*.*");
  session.setOutput(&std::cout);
  session.setInput(nullptr);
  EXPECT_EQ(chosen, L"/tmp/report.xml");
  EXPECT_EQ(cancelled, L"");
  EXPECT_NE(out.str().find("XML Graphic Reports (*.xml)"), std::string::npos) << out.str();
}

TEST(TempFiles, DeletesAllAndSkipsFilesAlreadyGone) {
  ScratchFolder scratch;
  spatiary_test::writeFile(scratch / "1.vkt", "");
  spatiary_test::writeFile(scratch / "3.vkt", "");
  CTempFiles files;
  files.add(wide(scratch / "1.vkt"));
  files.add(wide(scratch / "2.vkt"));
  files.add(wide(scratch / "3.vkt"));
  ASSERT_EQ(files.count(), 3);
  files.deleteTempFiles();
  EXPECT_EQ(files.count(), 0);
  EXPECT_FALSE(fs::exists(scratch / "1.vkt"));
  EXPECT_FALSE(fs::exists(scratch / "3.vkt"));
}
