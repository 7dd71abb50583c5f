// A save that fails, wherever it fails, leaves the drawing already on disk
// whole and says why; a graphic report that fails part of the way keeps
// the list of what went wrong and leaves a drawing that loads.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include "AcApDocManager.h"
#include "SpaceDrawings.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"

using namespace spatiary_test;
namespace fs = std::filesystem;

namespace {

// Sets the save fault of the host programs run while it lives.
class SaveFault {
 public:
  explicit SaveFault(const std::string& fault) { ::setenv("SPATIARY_SAVE_FAULT", fault.c_str(), 1); }
  ~SaveFault() { ::unsetenv("SPATIARY_SAVE_FAULT"); }
};

size_t filesIn(const fs::path& folder) {
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(folder)) files += entry.is_regular_file() ? 1 : 0;
  return files;
}

size_t modelSpaceEntities(const fs::path& path) {
  AcDbDatabase db(false, true);
  EXPECT_EQ(db.dxfIn(utf8ToWide(path.string()).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  AcDbBlockTableRecord* space = nullptr;
  if (acdbOpenObject(space, db.modelSpaceId()) != Acad::eOk) return 0;
  const size_t count = space->entityIds().size();
  space->close();
  return count;
}

class InterruptedSave : public SpaceCommandTest {
 protected:
  // A drawing of some 3 MB, written in several pieces, to be saved over
  // the previous version of the plan.
  InterruptedSave() {
    writeFile(drawing, floorPlanWithLines(40000));
    fs::create_directory(scratch / "plans");
    writeFile(target, readFile(floorDrawing()));
    previous = readFile(target);
  }
  RunResult saveOverTarget() {
    return runSpatiary({"--appdata", (scratch / "appdata").string(), "-o", target.string(), drawing}, "");
  }

  fs::path target = scratch / "plans" / "plan.dxf";
  std::string previous;
};

TEST_F(InterruptedSave, AFailingWriteAnywhereLeavesThePreviousFileWhole) {
  for (const char* kind : {"", ":ENOSPC"}) {
    const std::string reason = *kind ? "No space left on device" : "Input/output error";
    int failures = 0;
    for (int write = 1; write < 10; ++write) {
      SaveFault fault(std::to_string(write) + kind);
      const RunResult result = saveOverTarget();
      if (result.exitCode == 0) break;
      ++failures;
      EXPECT_EQ(result.exitCode, 1) << result.output;
      EXPECT_NE(result.output.find("cannot save to '" + target.string() + "': " + reason), std::string::npos)
          << result.output;
      EXPECT_NE(result.output.find("spatiary: the drawing could not be saved to " + target.string()), std::string::npos);
      EXPECT_EQ(readFile(target), previous) << "write " << write << kind;
      EXPECT_EQ(filesIn(scratch / "plans"), 1u) << "a temporary file was left beside the plan";
    }
    EXPECT_GE(failures, 3) << "the drawing was written in fewer pieces than the test needs";
    writeFile(target, previous);
  }
  // Without a fault the same save replaces the plan.
  ASSERT_EQ(saveOverTarget().exitCode, 0);
  EXPECT_EQ(modelSpaceEntities(target), modelSpaceEntities(floorDrawing()) + 40000);
}

TEST_F(InterruptedSave, AFailedSaveasInAScriptSaysSoAndTheSessionGoesOn) {
  SaveFault fault("2:ENOSPC");
  const RunResult result = runSpatiary({"--appdata", (scratch / "appdata").string(), "--keep-going", drawing},
                                      "saveas " + target.string() + "\nm?\n");
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("cannot save to '" + target.string() + "': No space left on device"), std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("VKT Suite Commands"), std::string::npos);
  EXPECT_EQ(readFile(target), previous);
  EXPECT_EQ(filesIn(scratch / "plans"), 1u);
}

// Two rooms made into spaces on the sample plan; room 2's layer is locked.
class HalfAppliedReport : public SpaceCommandTest {
 protected:
  HalfAppliedReport() {
    fs::copy_file(floorDrawing(), drawing);
    const RunResult made = run("mbc\n@click 3\n#34\n3000,3000\n#35\n9000,3000\n\n@close\n");
    fs::copy_file(saved, drawing, fs::copy_options::overwrite_existing);
  }
};

TEST_F(HalfAppliedReport, KeepsTheErrorListAndSavesADrawingThatLoads) {
  const RunResult listed = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
for insert in doc.modelspace().query("INSERT"): print(insert.dxf.name, insert.dxf.handle)
)py",
                                     {drawing});
  std::istringstream words(listed.output);
  std::string block, first, second;
  words >> block >> first >> block >> second;
  ASSERT_FALSE(second.empty()) << listed.output;
  const std::string report =
      "<?xml version=\"1.0\"?>\n<graphicReport><grTitle>Half</grTitle><categories>"
      "<category><cTitle>Good</cTitle><cHatchPattern>ANSI31</cHatchPattern><cHatchColour>#FF8000</cHatchColour>"
      "<cHatchScale>20</cHatchScale><cHatchAngle>0</cHatchAngle><cHatchLayer>HATCH-GOOD</cHatchLayer>"
      "<zelphBlocks><zelphBlock><mbHandle>" + first + "</mbHandle><mbSwapName>Kept</mbSwapName></zelphBlock>"
      "</zelphBlocks></category>"
      "<category><cTitle>Bad</cTitle><cHatchPattern>NO-SUCH-PATTERN</cHatchPattern><cHatchColour>#00FF00</cHatchColour>"
      "<cHatchScale>20</cHatchScale><cHatchAngle>0</cHatchAngle><cHatchLayer>HATCH-BAD</cHatchLayer>"
      "<zelphBlocks><zelphBlock><mbHandle>" + second + "</mbHandle></zelphBlock>"
      "<zelphBlock><mbHandle>FFFFF</mbHandle><mbCode>gone</mbCode></zelphBlock></zelphBlocks></category>"
      "</categories></graphicReport>\n";
  writeFile(scratch / "report.xml", report);
  // The error list fails the run; kept going, the drawing is saved.
  const RunResult result =
      runSpatiary({"--appdata", (scratch / "appdata").string(), "--keep-going", "-o", saved, drawing},
                  "magr\n" + (scratch / "report.xml").string() + "\n\n\n\n\n\n\n");
  EXPECT_EQ(result.exitCode, 1) << result.output;
  EXPECT_NE(result.output.find("\t\terror(s) occurred whilst applying zelph block Room 2 - " + second + ".\n"),
            std::string::npos)
      << result.output;
  EXPECT_NE(result.output.find("Invalid Handle - FFFFF"), std::string::npos) << result.output;
  EXPECT_NE(result.output.find("error(s) occurred whilst applying zelph block gone - FFFFF."), std::string::npos);
  const RunResult check = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
for hatch in doc.modelspace().query("HATCH"): print("hatch", hatch.dxf.layer, hatch.dxf.pattern_name)
for insert in doc.modelspace().query("INSERT"): print("space", insert.dxf.handle, insert.get_attrib_text("NAME"))
)py",
                                    {saved});
  EXPECT_NE(check.output.find("audit-errors 0\n"), std::string::npos) << check.output;
  EXPECT_NE(check.output.find("hatch HATCH-GOOD ANSI31\n"), std::string::npos) << check.output;
  EXPECT_EQ(check.output.find("HATCH-BAD"), std::string::npos) << check.output;
  EXPECT_NE(check.output.find("space " + first + " Kept\n"), std::string::npos) << check.output;
  EXPECT_GT(modelSpaceEntities(saved), 0u);
}

// The user the permission tests run the host as: the superuser writes
// whatever the mode says, so under root the host runs as nobody.
constexpr unsigned kNobody = 65534;
constexpr unsigned kUsers = 100;

struct stat statOf(const fs::path& path) {
  struct stat info {};
  EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
  return info;
}

class SaveKeepsTheFile : public SpaceCommandTest {
 protected:
  SaveKeepsTheFile() {
    fs::create_directory(scratch / "plans");
    writeFile(target, readFile(floorDrawing()));
    writeFile(drawing, floorPlanWithLines(3));
  }
  // Opens the plan, adds a line and saves it over itself, as a user with
  // the group "users" when the tests run as root.
  RunResult saveAsUser(const fs::path& path) {
    std::string prefix;
    if (::geteuid() == 0) {
      for (const fs::path& folder : {scratch / "plans", scratch / "appdata"}) {
        EXPECT_EQ(::chown(folder.c_str(), kNobody, kUsers), 0);
        for (const auto& entry : fs::recursive_directory_iterator(folder))
          EXPECT_EQ(::chown(entry.path().c_str(), kNobody, kUsers), 0);
      }
      prefix = "setpriv --reuid=" + std::to_string(kNobody) + " --regid=" + std::to_string(kNobody) +
               " --groups=" + std::to_string(kUsers) + " ";
    }
    writeFile(scratch / "input.scr", "save\n");
    return runCommand(prefix + shellQuote(spatiaryExecutable().string()) + " --appdata " +
                      shellQuote((scratch / "appdata").string()) + " -s " + shellQuote((scratch / "input.scr").string()) +
                      " " + shellQuote(path.string()) + " </dev/null");
  }
  // The plan owned by the user the host runs as, with the mode and group.
  void preparePlan(unsigned mode, unsigned group) {
    if (::geteuid() == 0) {
      ASSERT_EQ(::chown(target.c_str(), kNobody, group), 0);
    }
    ASSERT_EQ(::chmod(target.c_str(), mode), 0);
  }

  fs::path target = scratch / "plans" / "plan.dxf";
};

TEST_F(SaveKeepsTheFile, ModeAndGroupStayAsTheyWere) {
  for (const unsigned mode : {0600u, 0660u, 0640u}) {
    const unsigned group = ::geteuid() == 0 ? kUsers : ::getegid();
    preparePlan(mode, group);
    const RunResult result = saveAsUser(target);
    ASSERT_EQ(result.exitCode, 0) << result.output;
    const struct stat info = statOf(target);
    EXPECT_EQ(info.st_mode & 07777, mode) << std::oct << mode;
    EXPECT_EQ(info.st_gid, group) << std::oct << mode;
    EXPECT_EQ(modelSpaceEntities(target), modelSpaceEntities(floorDrawing()));
  }
}

TEST_F(SaveKeepsTheFile, TheSuperuserKeepsTheOwner) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the superuser may give a file to another user";
  ASSERT_EQ(::chown(target.c_str(), kNobody, kUsers), 0);
  ASSERT_EQ(::chmod(target.c_str(), 0664), 0);
  const RunResult result = run("saveas " + target.string() + "\n", false);
  const struct stat info = statOf(target);
  EXPECT_EQ(info.st_uid, kNobody);
  EXPECT_EQ(info.st_gid, kUsers);
  EXPECT_EQ(info.st_mode & 07777, 0664u);
}

TEST_F(SaveKeepsTheFile, AReadOnlyDrawingIsRefusedAndLeftAsItWas) {
  preparePlan(0444, ::geteuid() == 0 ? kUsers : ::getegid());
  const std::string before = readFile(target);
  const RunResult result = saveAsUser(target);
  EXPECT_NE(result.output.find("cannot save to '" + target.string() + "': the file is read-only"), std::string::npos)
      << result.output;
  EXPECT_EQ(readFile(target), before);
  EXPECT_EQ(statOf(target).st_mode & 07777, 0444u);
  EXPECT_EQ(filesIn(scratch / "plans"), 1u);
}

TEST_F(SaveKeepsTheFile, ASymbolicLinkIsSavedThroughAndKept) {
  fs::create_directory(scratch / "links");
  fs::create_symlink("../plans/plan.dxf", scratch / "links" / "hop.dxf");
  fs::create_symlink("hop.dxf", scratch / "links" / "plan.dxf");
  fs::create_symlink("../plans/new.dxf", scratch / "links" / "dangling.dxf");
  for (const char* name : {"plan.dxf", "dangling.dxf"}) {
    const fs::path link = scratch / "links" / name;
    const RunResult result = run("saveas " + link.string() + "\n", false);
    EXPECT_TRUE(fs::is_symlink(link)) << name << "\n" << result.output;
  }
  EXPECT_TRUE(fs::is_symlink(scratch / "links" / "hop.dxf"));
  EXPECT_EQ(readFile(target), readFile(scratch / "plans" / "new.dxf"));
  EXPECT_EQ(modelSpaceEntities(target), modelSpaceEntities(floorDrawing()) + 3) << "the link's target was left old";
}

TEST_F(SaveKeepsTheFile, ANewDrawingTakesTheUsualMode) {
  const mode_t mask = ::umask(027);
  run("saveas " + (scratch / "plans" / "new.dxf").string() + "\n", false);
  ::umask(mask);
  EXPECT_EQ(statOf(scratch / "plans" / "new.dxf").st_mode & 07777, 0640u);
}

std::string machineName() {
  char name[256] = {};
  ::gethostname(name, sizeof name - 1);
  std::string text(name);
  for (char& c : text)
    if (c == '.' || c == '/') c = '_';
  return text;
}

int goneProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

TEST_F(SaveKeepsTheFile, TheNextSaveRemovesWhatAKilledSaveLeft) {
  const fs::path plans = scratch / "plans";
  const std::string prefix = "plan.dxf.~save.";
  const fs::path killed = plans / (prefix + machineName() + "." + std::to_string(goneProcess()) + ".a1B2c3");
  const fs::path running = plans / (prefix + machineName() + "." + std::to_string(::getpid()) + ".d4E5f6");
  const fs::path elsewhere = plans / (prefix + "drafting-3.4242.g7H8i9");
  const fs::path old = plans / (prefix + "drafting-4.4242.j0K1l2");
  const fs::path otherDrawing = plans / ("other.dxf.~save." + machineName() + "." + std::to_string(goneProcess()) + ".m3N4o5");
  for (const fs::path& path : {killed, running, elsewhere, old, otherDrawing}) writeFile(path, "half a drawing");
  const struct utimbuf twoDaysAgo{std::time(nullptr) - 2 * 86400, std::time(nullptr) - 2 * 86400};
  ASSERT_EQ(::utime(old.c_str(), &twoDaysAgo), 0);
  run("saveas " + target.string() + "\n", false);
  EXPECT_FALSE(fs::exists(killed));
  EXPECT_FALSE(fs::exists(old));
  EXPECT_TRUE(fs::exists(running)) << "a save under way was taken for a killed one";
  EXPECT_TRUE(fs::exists(elsewhere)) << "another machine's save under way was removed";
  EXPECT_TRUE(fs::exists(otherDrawing)) << "another drawing's file was removed";
}

// Another host holds the plan: here, this test's own process through the
// document manager, which keeps its lock file beside the plan.
class SecondHost : public SaveKeepsTheFile {
 protected:
  SecondHost() {
    EXPECT_EQ(acDocManager->appContextOpenDocument(utf8ToWide(target.string()).c_str()), Acad::eOk);
  }
  ~SecondHost() override { acDocManager->closeAll(); }
};

TEST_F(SecondHost, IsWarnedAndCannotSaveOverTheFirstUnlessItInsists) {
  const fs::path lock = scratch / "plans" / "plan.dwl";
  ASSERT_TRUE(fs::exists(lock));
  const std::string lockText = readFile(lock);
  EXPECT_NE(lockText.find("\n" + std::to_string(::getpid()) + "\n"), std::string::npos) << lockText;
  const ino_t before = statOf(target).st_ino;
  const RunResult refused = runSpatiary({"--appdata", (scratch / "appdata").string(), target.string()}, "save\n");
  EXPECT_NE(refused.output.find("plan.dxf is open by "), std::string::npos) << refused.output;
  EXPECT_NE(refused.output.find(": it is opened read-only.\n"), std::string::npos) << refused.output;
  EXPECT_NE(refused.output.find("plan.dxf was opened read-only"), std::string::npos) << refused.output;
  EXPECT_EQ(statOf(target).st_ino, before) << "the plan was saved over";
  EXPECT_EQ(readFile(lock), lockText) << "the second host took the first one's lock";
  const RunResult insisted =
      runSpatiary({"--appdata", (scratch / "appdata").string(), target.string()}, "saveas " + target.string() + "\n");
  EXPECT_EQ(insisted.exitCode, 0) << insisted.output;
  EXPECT_EQ(modelSpaceEntities(target), modelSpaceEntities(floorDrawing()));
  EXPECT_FALSE(fs::exists(lock)) << "the lock outlived the host that took it over";
}

TEST_F(SecondHost, ALockLeftByAKilledHostIsTakenOverQuietly) {
  acDocManager->closeAll();
  const fs::path lock = scratch / "plans" / "plan.dwl";
  writeFile(lock, "alice\n" + machineName() + "\n2026-01-01 08:00\n" + std::to_string(goneProcess()) + "\n");
  const RunResult result = runSpatiary({"--appdata", (scratch / "appdata").string(), target.string()}, "save\n");
  EXPECT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(result.output.find("read-only"), std::string::npos) << result.output;
  EXPECT_FALSE(fs::exists(lock));
}

}  // namespace
