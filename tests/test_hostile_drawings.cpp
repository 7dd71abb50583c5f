// Drawings made to hurt the host: handles at the end of their range,
// blocks that hold themselves or nest deep, coordinates near the largest
// double.  Each is refused or repaired with a message naming what is
// wrong, and what the host saves opens again, here and in ezdxf.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "SpaceDrawings.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "EntityPicker.h"
#include "dbmain.h"

using namespace spatiary_test;
namespace fs = std::filesystem;

namespace {

// The floor plan with the entities' text added at the end of ENTITIES.
std::string floorWithEntities(const std::string& entities) {
  std::string text = readFile(floorDrawing());
  const size_t end = text.find("  0\nENDSEC\n", text.find("\nENTITIES\n"));
  return text.insert(end, entities);
}

std::string line(const std::string& handle, const std::string& from, const std::string& to) {
  return "  0\nLINE\n  5\n" + handle + "\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n 10\n" + from + "\n 20\n0.0\n 11\n" +
         to + "\n 21\n0.0\n";
}

// Audit errors and $HANDSEED of a drawing as ezdxf reads it.
const char* kAuditSeed = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print("audit-errors", len(doc.audit().errors))
print("seed", doc.header["$HANDSEED"])
print("blocks", sorted(b.name for b in doc.blocks if not b.name.startswith("*")))
)";

class HostileDrawings : public SpaceCommandTest {
 protected:
  RunResult runScript(const std::string& script) {
    return runSpatiary({"--appdata", (scratch / "appdata").string(), "-o", saved, drawing}, script);
  }
  void expectReopens(const std::string& path) {
    AcDbDatabase db(false, true);
    EXPECT_EQ(db.dxfIn(utf8ToWide(path).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  }
  // The handle of what a pick at the point finds in the drawing.
  static std::string pickedAt(AcDbDatabase& db, const wchar_t* point) {
    std::wstring why;
    AcGePoint3d picked;
    const AcDbObjectId id = EntityPicker(&db).pick(point, picked, why);
    return id.isNull() ? "none: " + wideToUtf8(why) : id.handle().asciiUtf8();
  }
};

TEST_F(HostileDrawings, RunningOutOfHandlesLeavesADrawingEveryReaderOpens) {
  writeFile(drawing, floorWithEntities(line("FFFFFFFFFFFFFFFE", "0.0", "1.0")));
  const RunResult result = runScript("mbc\n@click 3\n#34\n3000,3000\n\n@close\n");
  EXPECT_NE(result.output.find("Block Creation Failed"), std::string::npos) << result.output;
  expectReopens(saved);
  const RunResult audit = runPython(kAuditSeed, {saved});
  EXPECT_EQ(audit.output, "audit-errors 0\nseed FFFFFFFFFFFFFFFF\nblocks []\n") << audit.output;
}

TEST_F(HostileDrawings, TheLastHandlesGoToWholeAdditionsOnly) {
  // Five handles are left below the seed: a block definition takes three
  // (its record, BLOCK and ENDBLK), a reference one; then neither a second
  // definition nor a first attribute (which brings its SEQEND) fits.
  writeFile(drawing, floorWithEntities(line("FFFFFFFFFFFFFFF9", "0.0", "1.0")));
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(utf8ToWide(drawing).c_str()), Acad::eOk);
  AcDbBlockTable* blocks = nullptr;
  ASSERT_EQ(db.getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
  AcDbObjectId whole;
  for (const wchar_t* name : {L"WHOLE", L"HALF"}) {
    auto block = std::make_unique<AcDbBlockTableRecord>();
    block->setName(name);
    AcDbObjectId added;
    const Acad::ErrorStatus status = blocks->add(added, block.get());
    if (status != Acad::eOk) {
      EXPECT_EQ(status, Acad::eNullHandle);
      EXPECT_FALSE(block->objectId().isValid());
      continue;
    }
    block.release()->close();
    whole = added;
  }
  blocks->close();
  AcDbBlockTableRecord* space = nullptr;
  ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
  auto* reference = new AcDbBlockReference(AcGePoint3d(0, 0, 0), whole);
  ASSERT_EQ(space->appendAcDbEntity(reference), Acad::eOk);
  space->close();
  auto attribute = std::make_unique<AcDbAttribute>();
  attribute->setTag(L"NAME");
  EXPECT_EQ(reference->appendAttribute(attribute.get()), Acad::eNullHandle);
  reference->close();
  EXPECT_EQ(db.handseed().asciiUtf8(), "FFFFFFFFFFFFFFFE");
  ASSERT_EQ(db.saveAs(utf8ToWide(saved).c_str()), Acad::eOk);
  expectReopens(saved);
  EXPECT_EQ(runPython(kAuditSeed, {saved}).output, "audit-errors 0\nseed FFFFFFFFFFFFFFFE\nblocks ['WHOLE']\n");
}

TEST_F(HostileDrawings, LinesAcrossTheWholeRangeOfNumbersIndexAndPick) {
  writeFile(drawing, floorWithEntities(line("F001", "-1e308", "1e308") +
                                       "  0\nLINE\n  5\nF002\n100\nAcDbEntity\n  8\n0\n100\nAcDbLine\n"
                                       " 10\n-1.7e308\n 20\n-1.7e308\n 11\n1.7e308\n 21\n1.7e308\n"));
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(utf8ToWide(drawing).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  EXPECT_EQ(pickedAt(db, L"3000,3000"), "34");
  const EntityPicker picker(&db);
  std::wstring why;
  EXPECT_EQ(picker.select(L"w -1,-1 12001,6001", why).size(), 2u);
  // Two offices, the storey and both long lines.
  EXPECT_EQ(picker.select(L"c 5999,-100 6001,200", why).size(), 5u);
  EXPECT_EQ(picker.select(L"c 1e300,1e300 1.1e300,1.1e300", why).size(), 1u);
  EXPECT_EQ(picker.select(L"w -1.7e308,-1.7e308 1.7e308,1.7e308", why).size(), 12u);
}

// A report whose title is nested the given number of elements deep.
std::string deepReport(size_t depth) {
  std::string report = "<?xml version=\"1.0\"?>\n<graphicReport><grTitle>";
  report.reserve(depth * 8 + 200);
  for (size_t level = 0; level < depth; ++level) report += "<b>";
  report += "Deep";
  for (size_t level = 0; level < depth; ++level) report += "</b>";
  return report + "</grTitle><categories/></graphicReport>\n";
}

TEST_F(HostileDrawings, AReportNestedBeyondReasonIsRefusedByEveryCommandThatReadsOne) {
  writeFile(drawing, readFile(floorDrawing()));
  const fs::path report = scratch / "deep.xml";
  writeFile(report, deepReport(200000));
  std::string script;
  for (const char* command : {"magr", "mgr", "mlbd", "mpbd"}) script += std::string(command) + "\n" + report.string() + "\n";
  const RunResult result =
      runSpatiary({"--appdata", (scratch / "appdata").string(), "--keep-going", "-o", saved, drawing}, script);
  EXPECT_EQ(result.exitCode, 1) << result.output.substr(0, 4000);
  EXPECT_EQ(countOccurrences(result.output, "line 2, column 3019: elements nested more than 1000 deep"), 4)
      << result.output.substr(0, 4000);
}

// Blocks L0 to L7: L0 a unit square, each next level ten references to
// the one below in a row; model space holds the sample's rooms and one
// reference to L7 north of them, so that 10^7 squares stand in 27 KB.
const char* kNestedBlocks = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
doc.blocks.new("L0").add_lwpolyline([(0, 0), (1, 0), (1, 1), (0, 1)], close=True)
for level in range(1, 8):
    block = doc.blocks.new("L%d" % level)
    for i in range(10):
        block.add_blockref("L%d" % (level - 1), (i * 10 ** (level - 1), 0))
doc.modelspace().add_blockref("L7", (0, 20000), dxfattribs={"xscale": 0.001, "yscale": 1000})
doc.saveas(sys.argv[2])
)";

// Blocks that hold themselves: SELF directly, A through B.
const char* kSelfContaining = R"(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
if sys.argv[3] == "self":
    doc.blocks.new("SELF").add_blockref("SELF", (1, 1))
    doc.modelspace().add_blockref("SELF", (0, 0))
elif sys.argv[3] == "through":
    doc.blocks.new("A")
    doc.blocks.new("B").add_blockref("A", (1, 1))
    doc.blocks.get("A").add_blockref("B", (1, 1))
    doc.modelspace().add_blockref("A", (0, 0))
else:
    doc.blocks.new("C0").add_line((0, 0), (1, 1))
    for level in range(1, int(sys.argv[3])):
        doc.blocks.new("C%d" % level).add_blockref("C%d" % (level - 1), (0, 0))
doc.saveas(sys.argv[2])
)";

TEST_F(HostileDrawings, ABlockThatHoldsItselfIsRefusedNamingIt) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"self", "block 'SELF' contains itself\n"},
      {"through", "contains itself through block '"},
      {"300", "nests blocks more than 256 levels deep\n"}};
  for (const auto& [kind, message] : cases) {
    const RunResult made = runPython(kSelfContaining, {floorDrawing().string(), drawing, kind});
    ASSERT_EQ(made.exitCode, 0) << made.output;
    const RunResult result = runScript("");
    EXPECT_EQ(result.exitCode, 1) << kind;
    EXPECT_NE(result.output.find("spatiary: " + drawing + ": line "), std::string::npos) << result.output;
    EXPECT_NE(result.output.find(message), std::string::npos) << result.output;
  }
  // 256 levels are a drawing like any other.
  ASSERT_EQ(runPython(kSelfContaining, {floorDrawing().string(), drawing, "256"}).exitCode, 0);
  expectReopens(drawing);
}

TEST_F(HostileDrawings, NestedBlocksArePickedSelectedAndMeasuredOnceEach) {
  const RunResult made = runPython(kNestedBlocks, {floorDrawing().string(), drawing});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  ASSERT_LT(fs::file_size(drawing), 40000u);
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(utf8ToWide(drawing).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  EXPECT_EQ(pickedAt(db, L"3000,3000"), "34");
  const EntityPicker picker(&db);
  std::wstring why;
  // The reference covers x 0 to 10 000 (10^7 units scaled by 0.001) and
  // y 20 000 to 21 000.
  const auto tower = picker.select(L"w -1,19999 10001,21001", why);
  ASSERT_EQ(tower.size(), 1u) << wideToUtf8(why);
  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, tower.front(), AcDb::kForRead), Acad::eOk);
  AcDbExtents extents;
  EXPECT_EQ(entity->getGeomExtents(extents), Acad::eOk);
  entity->close();
  EXPECT_NEAR(extents.maxPoint().x, 10000.0, 1e-6);
  EXPECT_NEAR(extents.maxPoint().y, 21000.0, 1e-6);
  EXPECT_EQ(picker.select(L"w -1,19999 9999,21001", why).size(), 0u);
  EXPECT_EQ(picker.select(L"c 9999,20500 10001,20501", why).size(), 1u);
}

// A TEXT and an MTEXT of 3 MB and more, in a code page file or a UTF-8
// one: carets, characters of one to four bytes and escapes fall on every
// side of the pieces a save is written in.  Prints their handles.
const char* kLongTexts = R"(
import sys, ezdxf
doc = ezdxf.new(sys.argv[2])
# A code page file carries a character beyond the first plane as escapes
# of its UTF-16 halves, which ezdxf reads as they stand.
far = "\U0001F600" if sys.argv[2] == "R2018" else "\u0416"
value = "".join("^%s x\u00e9\u20ac%s^ %s%d " % (chr(65 + i % 31), far, chr(64 + i % 32), i) for i in range(150000))
msp = doc.modelspace()
print(msp.add_text(value).dxf.handle, msp.add_mtext(value + "\\P" + value).dxf.handle)
doc.saveas(sys.argv[1])
)";

const char* kSameTexts = R"(
import sys, ezdxf
texts = [[e.dxf.text if e.dxftype() == "TEXT" else e.text for e in ezdxf.readfile(path).query("TEXT MTEXT")]
         for path in sys.argv[1:]]
for before, after in zip(*texts):
    at = next((i for i, (a, b) in enumerate(zip(before, after)) if a != b), min(len(before), len(after)))
    if before != after:
        print("differ at", at, "of", len(before), len(after), repr(before[at - 20:at + 20]), repr(after[at - 20:at + 20]))
print("same" if texts[0] == texts[1] and len(texts[0]) == 2 and len(texts[0][0].encode()) > 3000000 else "differ", *map(len, texts))
)";

TEST_F(HostileDrawings, LongTextsAreReadAndWrittenWhole) {
  for (const std::string version : {"R2000", "R2018"}) {
    const RunResult made = runPython(kLongTexts, {drawing, version});
    ASSERT_EQ(made.exitCode, 0) << made.output;
    AcDbDatabase db(false, true);
    ASSERT_EQ(db.dxfIn(utf8ToWide(drawing).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
    std::istringstream handles(made.output);
    std::string text, mtext;
    handles >> text >> mtext;
    // Opened for write, both are written again from what was read.
    AcDbObjectId id;
    ASSERT_EQ(db.getAcDbObjectId(id, false, AcDbHandle(utf8ToWide(text).c_str())), Acad::eOk);
    AcDbText* line = nullptr;
    ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(line->setTextString(line->textString().c_str()), Acad::eOk);
    line->close();
    ASSERT_EQ(db.getAcDbObjectId(id, false, AcDbHandle(utf8ToWide(mtext).c_str())), Acad::eOk);
    AcDbMText* paragraphs = nullptr;
    ASSERT_EQ(acdbOpenObject(paragraphs, id, AcDb::kForWrite), Acad::eOk);
    EXPECT_EQ(paragraphs->setContents(paragraphs->contents().c_str()), Acad::eOk);
    paragraphs->close();
    ASSERT_EQ(db.saveAs(utf8ToWide(saved).c_str()), Acad::eOk);
    const RunResult compared = runPython(kSameTexts, {drawing, saved});
    EXPECT_EQ(compared.output, "same 2 2\n") << version;
  }
}

TEST_F(HostileDrawings, AHugeScriptLineIsTakenAsCancelAndTheScriptGoesOn) {
  writeFile(drawing, readFile(floorDrawing()));
  const std::string huge(20 << 20, 'x');
  const RunResult result = runScript("mcsv\n" + huge + "\n" + huge + "\nm?\n");
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(countOccurrences(result.output, "An input line longer than 1048576 bytes is taken as *cancel*."), 2);
  EXPECT_NE(result.output.find("VKT Suite Commands"), std::string::npos);
  EXPECT_LT(result.output.size(), 100000u);
}

}  // namespace
