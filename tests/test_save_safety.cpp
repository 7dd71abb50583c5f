// A save that fails, wherever it fails, leaves the drawing already on disk
// whole and says why; a graphic report that fails part of the way keeps
// the list of what went wrong and leaves a drawing that loads.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

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
  const RunResult result = run("saveas " + target.string() + "\nm?\n", false);
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
  const RunResult result = runSpatiary({"--appdata", (scratch / "appdata").string(), "-o", saved, drawing},
                                       "magr\n" + (scratch / "report.xml").string() + "\n");
  EXPECT_EQ(result.exitCode, 0) << result.output;
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

}  // namespace
