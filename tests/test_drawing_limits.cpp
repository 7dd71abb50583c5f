// Drawings and inputs at the edges of what planners make: a million
// entities, a report listing 100 000 spaces, a 10 MB attribute text,
// handles longer than 16 hexadecimal digits and names in every script.
// Each is handled or refused with a message; none crashes or loses data.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "HostSession.h"
#include "SpaceDrawings.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "aced.h"
#include "dbmain.h"

using namespace spatiary_test;
namespace fs = std::filesystem;

namespace {

std::wstring wide(const std::string& path) { return utf8ToWide(path); }

// Time limits of the large cases; the sanitizers make everything slower.
#ifdef __SANITIZE_ADDRESS__
constexpr double kSlowdown = 4.0;
#else
constexpr double kSlowdown = 1.0;
#endif

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

AcDbObjectIdArray modelSpace(AcDbDatabase& db) {
  AcDbBlockTableRecord* space = nullptr;
  if (acdbOpenObject(space, db.modelSpaceId()) != Acad::eOk) return {};
  const AcDbObjectIdArray ids = space->entityIds();
  space->close();
  return ids;
}

using DrawingLimits = SpaceCommandTest;

TEST_F(DrawingLimits, AMillionEntitiesLoadAndSave) {
  const size_t count = 1000000;
  writeFile(drawing, floorPlanWithLines(count));
  const auto started = std::chrono::steady_clock::now();
  run("", true);
  const double seconds = secondsSince(started);
  EXPECT_LT(seconds, 60.0 * kSlowdown);
  RecordProperty("seconds", std::to_string(seconds));
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(wide(saved).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  const AcDbObjectIdArray ids = modelSpace(db);
  ASSERT_GT(ids.size(), count);
  AcDbLine* last = nullptr;
  ASSERT_EQ(acdbOpenObject(last, ids.back()), Acad::eOk);
  EXPECT_EQ(last->endPoint(), AcGePoint3d((count - 1) * 1000.0, 500, 0));
  last->close();
}

// A space's NAME of 10 MB in many scripts, whose first word is replaced.
TEST_F(DrawingLimits, ATenMegabyteAttributeTextSurvivesLoadEditAndSave) {
  makeSpaceDrawing(drawing, 3);
  std::string utf8;
  while (utf8.size() < 10 * 1024 * 1024) utf8 += "Büro 办公室 مكتب 🏢 ";
  const std::wstring text = utf8ToWide(utf8);
  const std::wstring name = text + L"needle end";
  {
    AcDbDatabase db(false, true);
    ASSERT_EQ(db.dxfIn(wide(drawing).c_str()), Acad::eOk);
    AcDbBlockReference* reference = nullptr;
    ASSERT_EQ(acdbOpenObject(reference, modelSpace(db).front()), Acad::eOk);
    const AcDbObjectIdArray attributes = reference->attributeIds();
    reference->close();
    for (const AcDbObjectId& id : attributes) {
      AcDbAttribute* attribute = nullptr;
      ASSERT_EQ(acdbOpenObject(attribute, id, AcDb::kForWrite), Acad::eOk);
      if (std::wstring(attribute->tag()) == L"NAME") attribute->setTextString(name.c_str());
      attribute->close();
    }
    ASSERT_EQ(db.saveAs(wide(drawing).c_str()), Acad::eOk);
  }
  ASSERT_GT(fs::file_size(drawing), 10u * 1024 * 1024);
  run("mfrs\nBüro\nBureau\n");
  const RunResult read = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
for insert in doc.modelspace().query("INSERT"):
    name = insert.get_attrib_text("NAME")
    print(insert.dxf.name, len(name), name.count("🏢"), name[:6], name[-10:])
)py",
                                   {saved});
  EXPECT_NE(read.output.find("audit-errors 0\n"), std::string::npos) << read.output.substr(0, 2000);
  const size_t emoji = countOccurrences(utf8, "🏢");
  EXPECT_NE(read.output.find("ROOM-1 " + std::to_string(name.size() + 2) + " " + std::to_string(emoji) +
                             " Bureau needle end\n"),
            std::string::npos)
      << read.output.substr(0, 2000);
  EXPECT_NE(read.output.find("ROOM-2 6 0 Room 2 Room 2\n"), std::string::npos);
}

// A report written for a drawing that has changed since: 100 000 entries,
// of which the drawing still holds 1 000 spaces.
TEST_F(DrawingLimits, AReportOfAHundredThousandSpacesAppliesInOnePass) {
  makeSpaceDrawing(drawing, 1000);
  const RunResult listed = runPython(R"py(
import sys, ezdxf
for insert in ezdxf.readfile(sys.argv[1]).modelspace().query("INSERT"): print(insert.dxf.handle)
)py",
                                     {drawing});
  std::istringstream handles(listed.output);
  std::string categories[4];
  int entries = 0;
  for (std::string handle; handles >> handle; ++entries)
    categories[entries % 4] += "<zelphBlock><mbHandle>" + handle + "</mbHandle><mbSwapAux>listed</mbSwapAux></zelphBlock>";
  ASSERT_EQ(entries, 1000);
  char stale[80];
  for (; entries < 100000; ++entries) {
    std::snprintf(stale, sizeof stale, "<zelphBlock><mbHandle>%X</mbHandle></zelphBlock>", 0xF00000 + entries);
    categories[entries % 4] += stale;
  }
  std::string report = "<?xml version=\"1.0\"?>\n<graphicReport><grTitle>Stale</grTitle><categories>";
  for (int index = 0; index < 4; ++index)
    report += "<category><cTitle>Kind " + std::to_string(index) +
              "</cTitle><cHatchPattern>SOLID</cHatchPattern><cHatchColour>#FF8000</cHatchColour><cHatchScale>1"
              "</cHatchScale><cHatchAngle>0</cHatchAngle><cHatchLayer>HATCH</cHatchLayer><zelphBlocks>" +
              categories[index] + "</zelphBlocks></category>";
  writeFile(scratch / "report.xml", report + "</categories></graphicReport>\n");
  const auto started = std::chrono::steady_clock::now();
  // Enter at each question about the legend and pie chart.
  const RunResult result = runSpatiary({"--appdata", (scratch / "appdata").string(), "-o", saved, drawing},
                                       "magr\n" + (scratch / "report.xml").string() + "\n\n\n\n\n\n\n");
  const double seconds = secondsSince(started);
  ASSERT_EQ(result.exitCode, 0) << result.output.substr(0, 4000);
  EXPECT_LT(seconds, 60.0 * kSlowdown);
  RecordProperty("seconds", std::to_string(seconds));
  EXPECT_EQ(countOccurrences(result.output, "\tcategory contains 25000 blocks.\n"), 4) << result.output.substr(0, 4000);
  EXPECT_EQ(countOccurrences(result.output, "Invalid Handle - F"), 99000);
  EXPECT_NE(result.output.find("graphic report successfully applied."), std::string::npos);
  const std::string spaces = listSpaces(saved);
  EXPECT_NE(spaces.find("audit-errors 0\n"), std::string::npos) << spaces.substr(0, 2000);
  EXPECT_EQ(countOccurrences(spaces, "|listed|"), 1000) << spaces.substr(0, 2000);
}

TEST_F(DrawingLimits, SeventeenDigitHandlesAreRefusedWithTheirPlace) {
  // In a drawing: the line that holds it is named.
  std::string text = readFile(floorDrawing());
  const size_t handle = text.find("\n  5\n", text.find("\nENTITIES\n"));
  const size_t end = text.find('\n', handle + 5);
  text.replace(handle + 5, end - handle - 5, "12345678901234567");
  writeFile(drawing, text);
  const RunResult opened = runSpatiary({"--appdata", (scratch / "appdata").string(), drawing}, "");
  EXPECT_EQ(opened.exitCode, 1);
  // The group code's line, the one after the line feed found.
  const size_t line = static_cast<size_t>(std::count(text.begin(), text.begin() + handle + 1, '\n')) + 1;
  EXPECT_NE(opened.output.find("line " + std::to_string(line) + ": value '12345678901234567' of group code 5 is not a handle"),
            std::string::npos)
      << opened.output;

  // In a graphic report: the report is refused as a whole, naming the entry.
  fs::copy_file(floorDrawing(), drawing, fs::copy_options::overwrite_existing);
  writeFile(scratch / "report.xml",
            "<graphicReport><categories><category><cTitle>A</cTitle><cHatchPattern>SOLID</cHatchPattern>"
            "<zelphBlocks><zelphBlock><mbHandle>12345678901234567</mbHandle></zelphBlock></zelphBlocks>"
            "</category></categories></graphicReport>\n");
  const RunResult applied = runSpatiary({"--appdata", (scratch / "appdata").string(), drawing},
                                        "magr\n" + (scratch / "report.xml").string() + "\n");
  EXPECT_NE(applied.output.find("line 1: mbHandle \"12345678901234567\" is not a handle"), std::string::npos)
      << applied.output;

  // Typed at a pick: the pick is asked again.
  std::istringstream answers("#12345678901234567\n*cancel*\n");
  std::ostringstream transcript;
  HostSession::instance().setInput(&answers);
  HostSession::instance().setOutput(&transcript);
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(wide(drawing).c_str()), Acad::eOk);
  acdbHostApplicationServices()->setWorkingDatabase(&db);
  ads_name entity;
  ads_point point;
  EXPECT_EQ(acedEntSel(L"Select object: ", entity, point), RTCAN);
  acdbHostApplicationServices()->setWorkingDatabase(nullptr);
  HostSession::instance().setInput(nullptr);
  HostSession::instance().setOutput(&std::cout);
  EXPECT_EQ(countOccurrences(transcript.str(), "Select object: "), 2) << transcript.str();
}

TEST_F(DrawingLimits, TheHighestHandleLeavesNoneForNewObjectsAndSaysSo) {
  std::string text = readFile(floorDrawing());
  const size_t handle = text.find("\n  5\n", text.find("\nENTITIES\n"));
  const size_t end = text.find('\n', handle + 5);
  const std::string old = text.substr(handle + 5, end - handle - 5);
  text.replace(handle + 5, end - handle - 5, "FFFFFFFFFFFFFFFF");
  writeFile(drawing, text);
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(wide(drawing).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  AcDbBlockTableRecord* space = nullptr;
  ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
  auto circle = std::make_unique<AcDbCircle>(AcGePoint3d(0, 0, 0), AcGeVector3d::kZAxis, 1.0);
  EXPECT_NE(space->appendAcDbEntity(circle.get()), Acad::eOk);
  space->close();
  ASSERT_EQ(db.saveAs(wide(saved).c_str()), Acad::eOk);
  AcDbDatabase reloaded(false, true);
  EXPECT_EQ(reloaded.dxfIn(wide(saved).c_str()), Acad::eOk) << wideToUtf8(reloaded.lastErrorMessage());
  EXPECT_EQ(modelSpace(reloaded).size(), modelSpace(db).size());
}

TEST_F(DrawingLimits, HandlesAlikeInTheirLowHalfNameTwoObjects) {
  // The first entity takes the second's handle with 2^52 added: the two
  // start their search for a place in the handle table at the same slot.
  std::string text = readFile(floorDrawing());
  const size_t first = text.find("\n  5\n", text.find("\nENTITIES\n"));
  const size_t second = text.find("\n  5\n", first + 5);
  const std::string secondHandle = text.substr(second + 5, text.find('\n', second + 5) - second - 5);
  const std::string high = "100000" + std::string(8 - secondHandle.size(), '0') + secondHandle;
  text.replace(first + 5, text.find('\n', first + 5) - first - 5, high);
  writeFile(drawing, text);
  for (const std::string& path : {drawing, saved}) {
    AcDbDatabase db(false, true);
    ASSERT_EQ(db.dxfIn(wide(path).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
    AcDbObjectId highId, lowId;
    ASSERT_EQ(db.getAcDbObjectId(highId, false, AcDbHandle(wide(high).c_str())), Acad::eOk) << path;
    ASSERT_EQ(db.getAcDbObjectId(lowId, false, AcDbHandle(wide(secondHandle).c_str())), Acad::eOk) << path;
    EXPECT_NE(highId, lowId);
    EXPECT_EQ(highId.handle().asciiUtf8(), high);
    EXPECT_EQ(lowId.handle().asciiUtf8(), secondHandle);
    if (path == drawing) {
      ASSERT_EQ(db.saveAs(wide(saved).c_str()), Acad::eOk);
    }
  }
}

const std::vector<std::wstring> kScripts = {L"房间-会議室", L"غرفة الاجتماعات", L"חדר ישיבות", L"Комната", L"Δωμάτιο",
                                            L"कमरा", L"ห้องประชุม", L"회의실", L"😀🏢", L"Cafe\u0301", L"Ωmega_ß"};

// Layers, blocks and a text named in every script, saved and read back.
void nameInEveryScript(AcDbDatabase& db) {
  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(db.getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
  AcDbBlockTable* blocks = nullptr;
  ASSERT_EQ(db.getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
  AcDbBlockTableRecord* space = nullptr;
  ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
  for (const std::wstring& name : kScripts) {
    auto* layer = new AcDbLayerTableRecord;
    layer->setName(name.c_str());
    ASSERT_EQ(layers->add(layer), Acad::eOk) << wideToUtf8(name);
    layer->close();
    auto* block = new AcDbBlockTableRecord;
    block->setName((L"B-" + name).c_str());
    ASSERT_EQ(blocks->add(block), Acad::eOk) << wideToUtf8(name);
    block->close();
    auto* label = new AcDbText(AcGePoint3d(0, 0, 0), (L"T " + name).c_str(), AcDbObjectId::kNull, 2.5);
    ASSERT_EQ(space->appendAcDbEntity(label), Acad::eOk);
    EXPECT_EQ(label->setLayer(name.c_str()), Acad::eOk) << wideToUtf8(name);
    label->close();
  }
  space->close();
  blocks->close();
  layers->close();
}

void expectEveryScriptBack(const std::string& path) {
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(wide(path).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(db.getLayerTable(layers), Acad::eOk);
  AcDbBlockTable* blocks = nullptr;
  ASSERT_EQ(db.getBlockTable(blocks), Acad::eOk);
  for (const std::wstring& name : kScripts) {
    EXPECT_TRUE(layers->has(name.c_str())) << wideToUtf8(name);
    EXPECT_TRUE(blocks->has((L"B-" + name).c_str())) << wideToUtf8(name);
  }
  blocks->close();
  layers->close();
  std::vector<std::wstring> texts;
  for (const AcDbObjectId& id : modelSpace(db)) {
    AcDbText* text = nullptr;
    if (acdbOpenObject(text, id) != Acad::eOk) continue;
    if (text->textString() == L"T " + std::wstring(text->layer())) texts.push_back(text->layer());
    text->close();
  }
  EXPECT_EQ(texts, kScripts);
}

TEST_F(DrawingLimits, NamesAndTextsInEveryScriptSurviveSaveAndLoad) {
  AcDbDatabase db;
  nameInEveryScript(db);
  ASSERT_EQ(db.saveAs(wide(saved).c_str()), Acad::eOk);
  expectEveryScriptBack(saved);
  const RunResult read = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
for text in doc.modelspace().query("TEXT"): print(text.dxf.layer, "|", text.dxf.text, "|", ("B-" + text.dxf.layer) in doc.blocks)
)py",
                                   {saved});
  EXPECT_NE(read.output.find("audit-errors 0\n"), std::string::npos) << read.output;
  for (const std::wstring& name : kScripts) {
    const std::string utf8 = wideToUtf8(name);
    EXPECT_NE(read.output.find(utf8 + " | T " + utf8 + " | True\n"), std::string::npos) << utf8 << "\n" << read.output;
  }
  // Through the host program too, with a module command over the drawing.
  fs::copy_file(saved, drawing, fs::copy_options::overwrite_existing);
  run("mus\n");
  expectEveryScriptBack(saved);
}

TEST_F(DrawingLimits, ACodePageDrawingCarriesEveryScriptAsEscapes) {
  const RunResult made = runPython("import sys, ezdxf\nezdxf.new('R2000').saveas(sys.argv[1])\n", {drawing});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(wide(drawing).c_str()), Acad::eOk);
  nameInEveryScript(db);
  ASSERT_EQ(db.saveAs(wide(saved).c_str()), Acad::eOk);
  const std::string text = readFile(saved);
  EXPECT_NE(text.find("\nT \\U+D83D\\U+DE00\\U+D83C\\U+DFE2\n"), std::string::npos);
  EXPECT_NE(text.find("\nT Cafe\\U+0301\n"), std::string::npos);
  expectEveryScriptBack(saved);
  // Written once more from its fields, nothing changes.
  AcDbDatabase again(false, true);
  ASSERT_EQ(again.dxfIn(wide(saved).c_str()), Acad::eOk);
  for (const AcDbObjectId& id : modelSpace(again)) {
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenObject(entity, id, AcDb::kForWrite), Acad::eOk);
    entity->close();
  }
  ASSERT_EQ(again.saveAs(wide(drawing).c_str()), Acad::eOk);
  expectEveryScriptBack(drawing);
}

}  // namespace
