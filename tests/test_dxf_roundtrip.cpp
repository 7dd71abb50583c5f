// Drawings made by another program survive load and save; changes made
// through the database reach the file and nothing else is lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"

using namespace spatiary_test;

namespace {

// A drawing with modelled and unmodelled entities, blocks with attribute
// definitions, inserts with attributes, extended data under several
// applications and names outside ASCII.
const char* kMakeDrawing = R"py(
import sys, ezdxf
version, path = sys.argv[1], sys.argv[2]
doc = ezdxf.new(version, setup=True)
msp = doc.modelspace()
doc.layers.add("Wände-Ä", color=3)
doc.layers.add("ROOMS", color=5)
for app in ("ADE", "AECXDATA", "PE_URL"):
    doc.appids.add(app)
blk = doc.blocks.new("ROOM-Ü1")
blk.add_lwpolyline([(0, 0), (10, 0, 0, 0, 1), (10, 10), (0, 10)], format="xyseb", close=True,
                   dxfattribs={"layer": "ROOMS"})
blk.add_attdef("NAME", (0, 0), dxfattribs={"prompt": "Enter Name", "height": 2.5})
blk.add_attdef("AREA", (0, -4), dxfattribs={"prompt": "Enter Area", "height": 2.5})
ins = msp.add_blockref("ROOM-Ü1", (100, 200), dxfattribs={"xscale": 2, "yscale": 2, "rotation": 30})
ins.add_attrib("NAME", "Office 1", (100, 200))
ins.add_attrib("AREA", "24.50sq.m.", (100, 196))
ins.set_xdata("ADE", [(1002, "{"), (1000, "AREA=24.50sq.m."), (1000, "PERIMETER=20.00m."), (1002, "}")])
ins.set_xdata("PE_URL", [(1000, "http://example.com"), (1002, "{"), (1071, 1), (1002, "}")])
pl = msp.add_lwpolyline([(0, 0, 0, 0, 0.5), (10000, 0), (10000, 10000), (0, 10000)], format="xyseb", close=True,
                        dxfattribs={"layer": "Wände-Ä"})
pl.set_xdata("AECXDATA", [(1000, "x"), (1040, 3.25), (1070, 7), (1010, (1, 2, 3))])
circle = msp.add_circle((5, 5), 3, dxfattribs={"color": 1})
circle.transparency = 0.5
msp.add_line((0, 0), (5, 5), dxfattribs={"true_color": 0x123456})
msp.add_text("Hällo ∑", dxfattribs={"height": 2.5, "layer": "ROOMS"}).set_placement((3, 4))
msp.add_spline([(0, 0), (1, 2), (3, 1), (5, 5)])
msp.add_linear_dim(base=(0, 5), p1=(0, 0), p2=(10, 0)).render()
msp.add_mtext("Line1\\PLine2")
msp.add_3dface([(0, 0, 0), (1, 0, 0), (1, 1, 0), (0, 1, 0)])
hatch = msp.add_hatch(color=2)
hatch.paths.add_polyline_path([(0, 0), (10, 0), (10, 10), (0, 10)], is_closed=True)
image = doc.add_image_def(filename="plan.png", size_in_pixel=(640, 480))
msp.add_image(image, insert=(0, 0), size_in_units=(6.4, 4.8))
msp.add_polyline2d([(0, 0), (1, 1), (2, 0)])
doc.saveas(path)
print(pl.dxf.handle, ins.dxf.handle, circle.dxf.handle)
)py";

// Prints one line per entity of every layout and block: handle, type,
// layer, key geometry and extended data; then the audit's error count.
const char* kDescribe = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
def key(e):
    t = e.dxftype()
    if t == "LWPOLYLINE": return [tuple(round(v, 9) for v in p) for p in e.get_points("xyb")] + [e.closed]
    if t == "CIRCLE": return (tuple(e.dxf.center), e.dxf.radius, e.dxf.get("transparency"))
    if t == "LINE": return (tuple(e.dxf.start), tuple(e.dxf.end), e.dxf.get("true_color"))
    if t in ("TEXT", "ATTRIB", "ATTDEF"): return (e.dxf.text, None if t == "TEXT" else e.dxf.tag, tuple(e.dxf.insert))
    if t == "INSERT": return (e.dxf.name, tuple(e.dxf.insert), e.dxf.xscale, e.dxf.rotation,
                              [(a.dxf.handle, a.dxf.tag, a.dxf.text) for a in e.attribs])
    if t == "MTEXT": return e.text
    return ""
for block in doc.blocks:
    for e in block:
        xdata = [(app, [(t.code, tuple(t.value) if t.code == 1010 else t.value) for t in e.get_xdata(app)])
                 for app in e.xdata.data] if e.xdata else []
        print(block.name, e.dxf.handle, e.dxftype(), e.dxf.layer, key(e), xdata)
for name in ("Wände-Ä", "ROOMS"):
    print("layer", name, doc.layers.get(name).color)
print("handseed", doc.header["$HANDSEED"])
print("errors", len(auditor.errors))
)py";

std::string describe(const std::filesystem::path& path) {
  const RunResult result = runPython(kDescribe, {path.string()});
  EXPECT_EQ(result.exitCode, 0) << result.output;
  return result.output;
}

std::vector<std::string> makeDrawing(const std::string& version, const std::filesystem::path& path) {
  const RunResult made = runPython(kMakeDrawing, {version, path.string()});
  EXPECT_EQ(made.exitCode, 0) << made.output;
  std::vector<std::string> handles;
  std::istringstream words(made.output);
  for (std::string word; words >> word;) handles.push_back(word);
  return handles;
}

std::wstring wide(const std::filesystem::path& path) { return utf8ToWide(path.string()); }

class ForeignDrawing : public testing::TestWithParam<const char*> {};

TEST_P(ForeignDrawing, LoadAndSaveChangesNothing) {
  ScratchFolder folder;
  makeDrawing(GetParam(), folder / "in.dxf");
  AcDbDatabase db(false);
  ASSERT_EQ(db.dxfIn(wide(folder / "in.dxf").c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  ASSERT_EQ(db.saveAs(wide(folder / "out.dxf").c_str()), Acad::eOk);
  EXPECT_EQ(readFile(folder / "out.dxf"), readFile(folder / "in.dxf"));
  const std::string after = describe(folder / "out.dxf");
  EXPECT_EQ(after, describe(folder / "in.dxf"));
  EXPECT_NE(after.find("errors 0"), std::string::npos) << after;
}

TEST_P(ForeignDrawing, ChangesReachTheFileAndNothingElseIsLost) {
  ScratchFolder folder;
  const std::vector<std::string> handles = makeDrawing(GetParam(), folder / "in.dxf");
  ASSERT_EQ(handles.size(), 3u);
  AcDbDatabase db(false);
  ASSERT_EQ(db.dxfIn(wide(folder / "in.dxf").c_str()), Acad::eOk);
  const AcDbHandle seedBefore = db.handseed();

  // The polyline becomes the geometry of a new block definition.
  AcDbObjectId polylineId, referenceId;
  ASSERT_EQ(db.getAcDbObjectId(polylineId, false, AcDbHandle(handles[0].c_str())), Acad::eOk);
  ASSERT_EQ(db.getAcDbObjectId(referenceId, false, AcDbHandle(handles[1].c_str())), Acad::eOk);
  AcDbBlockTable* blocks = nullptr;
  ASSERT_EQ(db.getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
  auto definition = std::make_unique<AcDbBlockTableRecord>();
  definition->setName(L"RÄUM-9");
  AcDbObjectId definitionId;
  ASSERT_EQ(blocks->add(definitionId, definition.get()), Acad::eOk);
  AcDbBlockTableRecord* record = definition.release();
  ASSERT_EQ(record->assumeOwnershipOf({polylineId}), Acad::eOk);
  record->close();
  blocks->close();
  AcDbEntity* polyline = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(polyline, polylineId, AcDb::kForWrite), Acad::eOk);
  ASSERT_EQ(polyline->transformBy(AcGeMatrix3d::translation(AcGeVector3d(-100, 0, 0))), Acad::eOk);
  resbuf* xdata = acutBuildList(1001, L"ADE", 1000, L"NAME=Lab", 1070, 3, 1001, L"NEWAPP", 1000, L"n", 0);
  ASSERT_EQ(acdbRegApp(L"ADE", &db), RTERROR);  // registered by the drawing already
  ASSERT_EQ(polyline->setXData(xdata), Acad::eOk);
  EXPECT_EQ(acdbRegApp(L"NEWAPP", &db), RTERROR);  // registered by setting its data
  acutRelRb(xdata);
  polyline->close();

  // A circle is moved: what it does not model (its transparency) stays.
  AcDbEntity* circle = nullptr;
  AcDbObjectId circleId;
  ASSERT_EQ(db.getAcDbObjectId(circleId, false, AcDbHandle(handles[2].c_str())), Acad::eOk);
  ASSERT_EQ(acdbOpenAcDbEntity(circle, circleId, AcDb::kForWrite), Acad::eOk);
  ASSERT_EQ(circle->transformBy(AcGeMatrix3d::translation(AcGeVector3d(1, 1, 0))), Acad::eOk);
  circle->close();

  // An attribute changes its text.
  AcDbBlockReference* reference = nullptr;
  ASSERT_EQ(acdbOpenObject(reference, referenceId, AcDb::kForRead), Acad::eOk);
  const AcDbObjectId attributeId = reference->attributeIds().at(0);
  reference->close();
  AcDbAttribute* attribute = nullptr;
  ASSERT_EQ(acdbOpenObject(attribute, attributeId, AcDb::kForWrite), Acad::eOk);
  attribute->setTextString(L"Laboratory");
  attribute->close();

  ASSERT_EQ(db.saveAs(wide(folder / "out.dxf").c_str()), Acad::eOk);
  EXPECT_GT(db.handseed().value(), seedBefore.value());
  const std::string before = describe(folder / "in.dxf");
  const std::string after = describe(folder / "out.dxf");
  EXPECT_NE(after.find("errors 0"), std::string::npos) << after;
  EXPECT_NE(after.find("RÄUM-9 " + handles[0] + " LWPOLYLINE Wände-Ä [(-100.0, 0.0, 0.5)"), std::string::npos) << after;
  EXPECT_NE(after.find("'NAME', 'Laboratory'"), std::string::npos) << after;
  const size_t circleLine = before.find(" " + handles[2] + " CIRCLE");
  ASSERT_NE(circleLine, std::string::npos);
  std::string moved = before.substr(circleLine, before.find('\n', circleLine) - circleLine);
  moved.replace(moved.find("(5.0, 5.0, 0.0)"), 15, "(6.0, 6.0, 0.0)");
  EXPECT_NE(after.find(moved), std::string::npos) << moved << "\n" << after;
  EXPECT_NE(after.find("[('AECXDATA', [(1000, 'x'), (1040, 3.25), (1070, 7), (1010, (1.0, 2.0, 3.0))]), ('ADE', [(1000, 'NAME=Lab'), (1070, 3)]), ('NEWAPP', [(1000, 'n')])]"),
            std::string::npos)
      << after;
  // Every other entity is still there, unchanged, with its handle.
  std::istringstream lines(before);
  for (std::string line; std::getline(lines, line);) {
    if (line.find(" " + handles[0] + " ") != std::string::npos || line.find(" " + handles[2] + " ") != std::string::npos ||
        line.find("Office 1") != std::string::npos ||
        line.rfind("handseed", 0) == 0)
      continue;
    EXPECT_NE(after.find(line), std::string::npos) << line;
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, ForeignDrawing, testing::Values("R2000", "R2018"));

TEST(NewDrawing, IsAMillimetreDrawingThatAuditsClean) {
  ScratchFolder folder;
  AcDbDatabase db;
  EXPECT_EQ(db.insunits(), AcDb::kUnitsMillimeters);
  EXPECT_EQ(db.lunits(), 2);
  ASSERT_EQ(db.saveAs(wide(folder / "new.dxf").c_str()), Acad::eOk);
  const RunResult check = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
a = doc.audit()
print(len(a.errors), len(a.fixes), doc.header["$INSUNITS"], doc.header["$LUNITS"], doc.header["$MEASUREMENT"],
      "0" in doc.layers, len(doc.modelspace()), "Standard" in doc.rootdict["ACAD_TABLESTYLE"])
)py",
                                    {(folder / "new.dxf").string()});
  EXPECT_EQ(check.output, "0 0 4 2 1 True 0 True\n");
}

TEST(NewDrawing, NewEntitiesGetFreshHandlesBelowTheSeed) {
  ScratchFolder folder;
  AcDbDatabase db;
  AcDbBlockTableRecord* space = nullptr;
  ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
  std::vector<AcDbHandle> handles;
  for (int i = 0; i < 3; ++i) {
    auto* circle = new AcDbCircle(AcGePoint3d(i, 0, 0), AcGeVector3d::kZAxis, 1.0);
    AcDbObjectId id;
    ASSERT_EQ(space->appendAcDbEntity(id, circle), Acad::eOk);
    circle->close();
    handles.push_back(id.handle());
  }
  space->close();
  ASSERT_EQ(db.saveAs(wide(folder / "new.dxf").c_str()), Acad::eOk);
  const RunResult check = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
seed = int(doc.header["$HANDSEED"], 16)
handles = [e.dxf.handle for e in doc.modelspace()]
print(len(doc.audit().errors), len(set(handles)), all(int(h, 16) < seed for h in handles), " ".join(handles))
)py",
                                    {(folder / "new.dxf").string()});
  EXPECT_EQ(check.output, "0 3 True " + handles[0].asciiUtf8() + " " + handles[1].asciiUtf8() + " " +
                              handles[2].asciiUtf8() + "\n");
}

struct Malformed {
  const char* name;
  std::string text;
  Acad::ErrorStatus status;
  const char* message;
};

class MalformedFile : public testing::TestWithParam<Malformed> {};

std::string header() { return "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  0\nENDSEC\n"; }

TEST_P(MalformedFile, IsRefusedNamingTheLine) {
  ScratchFolder folder;
  writeFile(folder / "bad.dxf", GetParam().text);
  AcDbDatabase db(false);
  EXPECT_EQ(db.dxfIn(wide(folder / "bad.dxf").c_str()), GetParam().status);
  EXPECT_NE(wideToUtf8(db.lastErrorMessage()).find(GetParam().message), std::string::npos)
      << wideToUtf8(db.lastErrorMessage());
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedFile,
    testing::Values(
        Malformed{"Empty", "", Acad::eInvalidDxfFile, "line 1: the file is empty"},
        Malformed{"OddLines", header() + "  0\n", Acad::eInvalidDxfFile, "line 11: group code 0 has no value"},
        Malformed{"WordForCode", header() + "ten\nEOF\n", Acad::eInvalidDxfFile,
                  "line 11: group code 'ten' is not a number"},
        Malformed{"NoEof", header(), Acad::eInvalidDxfFile, "line 11: the file ends without EOF"},
        Malformed{"SectionNeverEnded", header() + "  0\nSECTION\n  2\nENTITIES\n  0\nEOF\n", Acad::eInvalidDxfFile,
                  "line 15: section ENTITIES is not ended"},
        Malformed{"Truncated", header() + "  0\nSECTION\n  2\nOBJECTS\n  0\nDICTIONARY\n  5\nC\n100\nAcDb", Acad::eInvalidDxfFile,
                  "line 21: section OBJECTS is not ended"},
        Malformed{"DuplicateHandle",
                  header() + "  0\nSECTION\n  2\nOBJECTS\n  0\nDICTIONARY\n  5\nC\n  0\nDICTIONARY\n  5\nC\n  0\n"
                             "ENDSEC\n  0\nEOF\n",
                  Acad::eInvalidDxfFile, "line 21: duplicate handle 'C'"},
        Malformed{"BadNumber",
                  header() + "  0\nSECTION\n  2\nOBJECTS\n  0\nDICTIONARY\n  5\nC\n100\nAcDbDictionary\n281\nx\n  0\n"
                             "ENDSEC\n  0\nEOF\n",
                  Acad::eInvalidDxfFile, "line 21: value 'x' of group code 281 is not an integer"},
        Malformed{"Binary", std::string("\x7f\x45LF\x02\x01\x01\0\0\0", 10), Acad::eInvalidDxfFile, "line 1: group code"},
        Malformed{"OldVersion", "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n  0\nEOF\n",
                  Acad::eInvalidDxfFile, "older than AutoCAD 2000"}),
    [](const testing::TestParamInfo<Malformed>& info) { return std::string(info.param.name); });

TEST(DamagedFile, IsReadOrRefusedButNeverCrashes) {
  ScratchFolder folder;
  makeDrawing("R2018", folder / "in.dxf");
  const std::string original = readFile(folder / "in.dxf");
  std::mt19937 random(7);
  int refused = 0;
  for (int round = 0; round < 120; ++round) {
    std::string text = original;
    const size_t at = random() % text.size();
    switch (round % 3) {
      case 0: text.resize(at); break;
      case 1: text.erase(at, random() % 400); break;
      default: text.insert(at, original.substr(random() % original.size(), 300)); break;
    }
    writeFile(folder / "damaged.dxf", text);
    AcDbDatabase db(false);
    const Acad::ErrorStatus status = db.dxfIn(wide(folder / "damaged.dxf").c_str());
    if (status == Acad::eOk) {
      EXPECT_EQ(db.saveAs(wide(folder / "saved.dxf").c_str()), Acad::eOk);
    } else {
      ++refused;
      EXPECT_EQ(status, Acad::eInvalidDxfFile);
      EXPECT_NE(db.lastErrorMessage().find(L": line "), std::wstring::npos) << wideToUtf8(db.lastErrorMessage());
    }
  }
  EXPECT_GT(refused, 60);
}

TEST(MissingFile, IsRefusedAsNotFound) {
  AcDbDatabase db(false);
  EXPECT_EQ(db.dxfIn(L"/nonexistent/plan.dxf"), Acad::eFileNotFound);
  EXPECT_NE(db.lastErrorMessage().find(L"/nonexistent/plan.dxf"), std::wstring::npos);
}

TEST(FailedLoad, LeavesTheDrawingAsItWas) {
  ScratchFolder folder;
  writeFile(folder / "bad.dxf", header());
  AcDbDatabase db;
  const AcDbObjectId space = db.modelSpaceId();
  EXPECT_EQ(db.dxfIn(wide(folder / "bad.dxf").c_str()), Acad::eInvalidDxfFile);
  EXPECT_EQ(db.modelSpaceId(), space);
  EXPECT_TRUE(space.isValid());
}

TEST(FailedSave, LeavesTheFolderAndFileAlone) {
  ScratchFolder folder;
  AcDbDatabase db;
  std::filesystem::create_directory(folder / "plan.dxf");
  EXPECT_EQ(db.saveAs(wide(folder / "plan.dxf").c_str()), Acad::eFileAccessErr);
  EXPECT_NE(db.lastErrorMessage().find(L"plan.dxf"), std::wstring::npos);
  EXPECT_TRUE(std::filesystem::is_directory(folder / "plan.dxf"));
  EXPECT_EQ(db.saveAs(wide(folder / "missing" / "plan.dxf").c_str()), Acad::eFileAccessErr);
  writeFile(folder / "kept.dxf", "previous");
  ASSERT_EQ(db.saveAs(wide(folder / "kept.dxf").c_str()), Acad::eOk);
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) files += entry.is_regular_file();
  EXPECT_EQ(files, 1u);  // no temporary file left beside the drawing
}

}  // namespace
