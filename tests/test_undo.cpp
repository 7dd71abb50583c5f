// Undo and redo as a planner uses them at the host's command line: every
// command that changes the drawing, undone, leaves it saved byte for byte
// as before it, and redone, as after it; a command that fails partway
// leaves the drawing as it found it.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "AcDbAttribute.h"
#include "AcDbBlockReference.h"
#include "AcDbDatabase.h"
#include "AcDbHostApplicationServices.h"
#include "AcDbLayerTable.h"
#include "AcDbTransactionManager.h"
#include "SpaceDrawings.h"
#include "TextCodec.h"
#include "TestSupport.h"

using namespace spatiary_test;

namespace {

// The sample's own run, up to its report: eight rooms, the gross area, and
// the legend and pie markers the report is drawn at.
const char* kMakeSampleSpaces =
    "mbc\n@click 3\n#34\n1800,3000\n9000,3000\n7800,3000\n#36\n13800,3000\n#37\n19800,3000\n#38\n10800,7000\n"
    "#39\n2800,11000\n#3A\n10800,11000\n#3B\n18800,11000\n\n@close\n"
    "mgabc\n#33\n12000,-1000\n"
    "mlmc\n#3D\n\n\n\nmpmc\n#3E\n\n\n\n";

enum class Base {
  kFloor,   // the sample floor plan: outlines only
  kSample,  // the floor plan after the sample's run: spaces and markers
  kMade,    // spaces made by ezdxf, stale, typed over, linked and askew
  kNoAux,   // spaces made by ezdxf without AUX attributes
};

struct UndoCase {
  const char* command;
  Base base;
  // Run before the drawing is first saved.
  std::string setup;
  // The command and its answers, or the dialog lines that use it.
  std::string script;
  // Undo groups it makes: one for a command, one per dialog button that
  // changed the drawing.
  int groups = 1;
};

// Named in the test's name; gtest shows nothing else of it.
void PrintTo(const UndoCase& tried, std::ostream* out) { *out << tried.command; }

std::string report() { return (sourceDir() / "samples" / "floorplan-report.xml").string(); }

std::vector<UndoCase> cases() {
  const std::string precisionOne = "mprefs\n@set 290 1\n@click 1\n";
  return {
      {"mbc", Base::kFloor, "", "mbc\n@click 3\n#34\n1800,3000\n#36\n13800,3000\n\n@close\n"},
      {"mgabc", Base::kFloor, "", "mgabc\n#33\n12000,-1000\n"},
      {"mbe", Base::kSample, "", "mbe\n@dblclick 246 0\n@set 203 Changed\n@set 219 99\n@click 284\n@close\n"},
      {"mbh", Base::kSample, "", "mbh\n@click 233\n#48\n@set 232 http://plans/1\n@set 291 Plan\n@click 229\n@close\n"},
      {"mdb", Base::kSample, "", "mdb\n3000,3000\n"},
      {"mus", Base::kMade, precisionOne, "mus\n"},
      {"msxta", Base::kMade, "", "msxta\n\n\n\n\n"},
      {"mut", Base::kMade, "", "mut\n300\n2\n90\n"},
      {"maux", Base::kNoAux, "", "maux\n"},
      {"mrt", Base::kMade, "", "mrt\n"},
      {"mbta", Base::kMade, "", "mbta\n"},
      {"mfrs", Base::kMade, "", "mfrs\nRoom 1\nOffice 1\n"},
      {"magr", Base::kSample, "", "magr\n" + report() + "\n"},
      // The drawing the report names is opened, and changed there.
      {"mgr", Base::kSample, "", "mgr\n{named report}\n"},
      {"mlbd", Base::kSample, "", "mlbd\n" + report() + "\n5\n\nno\n\n1\n"},
      {"mpbd", Base::kSample, "", "mpbd\n" + report() + "\n5\n\n\n\n\n\n"},
      {"mlmc", Base::kFloor, "", "mlmc\n#3D\n\n\n\n"},
      {"mpmc", Base::kFloor, "", "mpmc\n#3E\n\n\n\n"},
      {"msc_has", Base::kSample, "", "msc_has\n"},
      {"msc_hs", Base::kSample, "", "msc_hs\n13500,1500\n"},
      {"msc_isc", Base::kMade, "", "msc_isc\n"},
      {"msc_cal", Base::kSample, "", "msc_cal\n"},
  };
}

// The drawings each case starts from, made once for all.
class UndoCommands : public ::testing::TestWithParam<UndoCase> {
 protected:
  static void SetUpTestSuite() {
    folder = std::make_unique<ScratchFolder>();
    const std::string floor = (sourceDir() / "samples" / "floorplan.dxf").string();
    std::filesystem::copy_file(floor, base(Base::kFloor));
    const RunResult made = host(*folder / "appdata", {"-o", base(Base::kSample), floor}, kMakeSampleSpaces);
    ASSERT_EQ(made.exitCode, 0) << made.output;
    makeSpaceDrawing(base(Base::kMade), 6, "stale typed linked askew");
    makeSpaceDrawing(base(Base::kNoAux), 4, "noaux");
  }
  static void TearDownTestSuite() { folder.reset(); }

  static std::string base(Base which) {
    static const char* names[] = {"floor.dxf", "sample.dxf", "made.dxf", "noaux.dxf"};
    return (*folder / names[static_cast<int>(which)]).string();
  }
  // With the preferences the sample was made with, which the script may change.
  static RunResult host(const std::filesystem::path& appdata, std::vector<std::string> arguments,
                        const std::string& script) {
    const auto prefs = appdata / "ZelphSystems" / "Spatiary" / "prefs" / "prefs.cfg";
    std::filesystem::create_directories(prefs.parent_path());
    writeFile(prefs,
              "units\n0\nprecison\n3\ntextSize\n250.00\ntextScale\n1.00\ntextRotation\n0.00\ncsvOpener\nNONE\n"
              "zoomBorder\n1000\ninc\n1\n");
    arguments.insert(arguments.begin(), {"--appdata", appdata.string()});
    return runSpatiary(arguments, script);
  }
  RunResult host(std::vector<std::string> arguments, const std::string& script) const {
    return host(scratch / "appdata", std::move(arguments), script);
  }

  ScratchFolder scratch;
  std::string saved(const char* name) const { return (scratch / name).string(); }

  static std::unique_ptr<ScratchFolder> folder;
};

std::unique_ptr<ScratchFolder> UndoCommands::folder;

TEST_P(UndoCommands, UndoSavesTheDrawingAsBeforeAndRedoAsAfter) {
  const UndoCase& tried = GetParam();
  std::string command = tried.script;
  const size_t named = command.find("{named report}");
  if (named != std::string::npos) {
    std::string text = readFile(report());
    text.insert(text.find("<grTitle>"), "<grDrawingPath>" + scratch.path().string() +
                                            "/</grDrawingPath><grDrawingFilename>before.dxf</grDrawingFilename>");
    writeFile(scratch / "named.xml", text);
    command.replace(named, 14, saved("named.xml"));
  }
  std::string redo;
  for (int i = 0; i < tried.groups; ++i) redo += "redo\n";
  const std::string script = tried.setup + "saveas " + saved("before.dxf") + "\n" + command + "saveas " +
                             saved("after.dxf") + "\nundo " + std::to_string(tried.groups) + "\nsaveas " +
                             saved("undone.dxf") + "\n" + redo + "saveas " + saved("redone.dxf") + "\n";
  const RunResult result = host({base(tried.base)}, script);
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Error Detected."), 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Undone: "), tried.groups) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Redone: "), tried.groups) << result.output;
  const std::string before = readFile(saved("before.dxf"));
  const std::string after = readFile(saved("after.dxf"));
  ASSERT_TRUE(before != after) << tried.command << " changed nothing\n" << result.output;
  EXPECT_TRUE(readFile(saved("undone.dxf")) == before) << tried.command << " undone differs from before";
  EXPECT_TRUE(readFile(saved("redone.dxf")) == after) << tried.command << " redone differs from after";
}

// A drawing using the last handles there are but one: the next space's
// block record takes the last, and nothing is left for its definition.
TEST_F(UndoCommands, ACommandRunningOutOfHandlesLeavesTheDrawingAsItWas) {
  std::string text = readFile(sourceDir() / "samples" / "floorplan.dxf");
  const size_t entities = text.find("ENTITIES\n") + 9;
  text.insert(entities, "  0\nLINE\n  5\nFFFFFFFFFFFFFFFE\n330\n1F\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n"
                        " 10\n0\n 20\n0\n 30\n0\n 11\n1\n 21\n1\n 31\n0\n");
  const auto drawing = scratch / "last-handles.dxf";
  writeFile(drawing, text);
  const RunResult result = host({drawing.string()}, "saveas " + saved("before.dxf") +
                                                        "\nmbc\n@click 3\n#34\n1800,3000\n\n@close\n"
                                                        "mgabc\n#33\n12000,-1000\n"
                                                        "saveas " + saved("after.dxf") + "\n");
  ASSERT_EQ(result.exitCode, 0) << result.output;
  EXPECT_EQ(countOccurrences(result.output, "Block Creation Failed"), 2) << result.output;
  // Nothing half-made is kept: no block record without its definition, no
  // handle seed below the handles in use.
  EXPECT_TRUE(readFile(saved("after.dxf")) == readFile(saved("before.dxf")));
  const RunResult reopened = host({saved("after.dxf")}, "mbc\n@click 3\n#34\n1800,3000\n\n@close\n");
  EXPECT_EQ(reopened.exitCode, 0) << reopened.output;
}

// A change that meets a locked layer halfway is rolled back by its
// transaction: the drawing saves as before, while what an outer
// transaction changed stays.
TEST_F(UndoCommands, ALockedLayerMetHalfwayIsRolledBack) {
  AcDbDatabase db(false);
  ASSERT_EQ(db.dxfIn(utf8ToWide(base(Base::kSample)).c_str()), Acad::eOk);
  AcDbDatabase* working = acdbHostApplicationServices()->workingDatabase();
  acdbHostApplicationServices()->setWorkingDatabase(&db);
  const auto save = [&db](const std::string& path) { return db.saveAs(utf8ToWide(path).c_str()) == Acad::eOk; };
  const auto recolour = [&db](const wchar_t* handle, std::uint16_t colour) {
    AcDbObjectId id;
    AcDbEntity* entity = nullptr;
    if (db.getAcDbObjectId(id, false, AcDbHandle(handle)) != Acad::eOk) return Acad::eUnknownHandle;
    const Acad::ErrorStatus status = acdbOpenObject(entity, id, AcDb::kForWrite);
    if (status != Acad::eOk) return status;
    entity->setColorIndex(colour);
    return entity->close();
  };
  AcDbLayerTableRecord* layer = nullptr;
  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(db.getLayerTable(layers), Acad::eOk);
  ASSERT_EQ(layers->getAt(L"ATT-AUX", layer, AcDb::kForWrite), Acad::eOk);
  layers->close();
  layer->setIsLocked(true);
  layer->close();
  ASSERT_TRUE(save(saved("before.dxf")));

  acdbTransactionManager->startTransaction();
  EXPECT_EQ(recolour(L"48", 1), Acad::eOk);
  acdbTransactionManager->startTransaction();
  EXPECT_EQ(recolour(L"54", 2), Acad::eOk);
  AcDbBlockReference* reference = nullptr;
  AcDbObjectId space;
  ASSERT_EQ(db.getAcDbObjectId(space, false, AcDbHandle(L"54")), Acad::eOk);
  ASSERT_EQ(acdbOpenObject(reference, space, AcDb::kForRead), Acad::eOk);
  const AcDbObjectIdArray attributes = reference->attributeIds();
  reference->close();
  bool lockedMet = false;
  for (const AcDbObjectId& id : attributes) {
    AcDbAttribute* attribute = nullptr;
    const Acad::ErrorStatus status = acdbOpenObject(attribute, id, AcDb::kForWrite);
    if (status == Acad::eOnLockedLayer) {
      lockedMet = true;
      break;
    }
    ASSERT_EQ(status, Acad::eOk);
    attribute->setTextString(L"changed");
    attribute->close();
  }
  ASSERT_TRUE(lockedMet);
  EXPECT_EQ(acdbTransactionManager->abortTransaction(), Acad::eOk);
  ASSERT_TRUE(save(saved("outer.dxf")));
  EXPECT_EQ(acdbTransactionManager->abortTransaction(), Acad::eOk);
  ASSERT_TRUE(save(saved("after.dxf")));
  acdbHostApplicationServices()->setWorkingDatabase(working);

  const std::string before = readFile(saved("before.dxf"));
  EXPECT_TRUE(readFile(saved("after.dxf")) == before);
  // Only the outer change was left by the inner abort.
  const RunResult colours = runPython(
      "import sys, ezdxf\ndoc = ezdxf.readfile(sys.argv[1])\n"
      "print(doc.entitydb['48'].dxf.color, doc.entitydb['54'].dxf.color, "
      "[a.dxf.text for a in doc.entitydb['54'].attribs])\n",
      {saved("outer.dxf")});
  EXPECT_EQ(colours.output, "1 256 ['36.000sq.m.', 'Room 2', ' ']\n") << colours.output;
}

INSTANTIATE_TEST_SUITE_P(EveryDrawingCommand, UndoCommands, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<UndoCase>& info) { return std::string(info.param.command); });

}  // namespace
