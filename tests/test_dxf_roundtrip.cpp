// Drawings made by another program survive load and save; changes made
// through the database reach the file and nothing else is lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "SpaceDrawings.h"
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
        Malformed{"OldVersionBadNumber",
                  "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n"
                  "  0\nLINE\n  8\n0\n 10\n1.5x\n  0\nENDSEC\n  0\nEOF\n",
                  Acad::eInvalidDxfFile, "line 19: value '1.5x' of group code 10 is not a number"},
        Malformed{"HeaderNotANumber", "  0\nSECTION\n  2\nHEADER\n  9\n$INSUNITS\n 70\nmetres\n  0\nENDSEC\n  0\nEOF\n",
                  Acad::eInvalidDxfFile, "line 7: value 'metres' of group code 70 is not an integer"},
        Malformed{"NotFinite",
                  "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n  8\n0\n 10\nnan\n  0\nENDSEC\n  0\nEOF\n",
                  Acad::eInvalidDxfFile, "line 9: value 'nan' of group code 10 is not a number"},
        Malformed{"BinaryCutShort", std::string("AutoCAD Binary DXF\r\n\x1a\0" "\0SECTION\0" "\x02" "HEAD", 36),
                  Acad::eInvalidDxfFile, "byte 31: a text is not ended"}),
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


// Drawings of every kind of entity and object ezdxf makes, in every version
// from AutoCAD 2000 on, with random extended data, extension dictionaries
// and names in many scripts; seeded, so a failure can be replayed.
const char* kMakeVariedDrawing = R"py(
import random, sys, ezdxf, ezdxf.render
from ezdxf.math import Vec3
version, seed, path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
rng = random.Random(seed)
NAMES = ["Räume", "房间", "会議室", "غرفة", "חדר", "Комната", "Δωμάτιο", "कमरा", "ห้อง", "방", "Sala_ñ", "room😀", "Ωmega~1"]
# Before R2007 a file is in its code page; ezdxf cannot read back its own
# escapes of other characters in names, so those use the code page only.
def encodable(text):
    try: return text.encode("cp1252") is not None
    except UnicodeEncodeError: return False
NAME_POOL = NAMES if version >= "R2007" else [n for n in NAMES if encodable(n)]
def name(prefix):
    return prefix + "-" + rng.choice(NAME_POOL) + str(rng.randrange(1000))
doc = ezdxf.new(version, setup=True)
msp = doc.modelspace()
apps = ["ZELPH", "ADE", "PE_URL", name("APP").upper()]
for app in apps:
    if app not in doc.appids: doc.appids.new(app)
layers = ["0"]
for _ in range(4):
    layer = name("L")
    if layer not in doc.layers:
        doc.layers.add(layer, color=rng.randrange(1, 255)); layers.append(layer)
def xdata_items():
    items = []
    for _ in range(rng.randrange(1, 8)):
        kind = rng.choice([1000, 1000, 1002, 1003, 1004, 1005, 1010, 1011, 1040, 1041, 1042, 1070, 1071])
        if kind == 1000: items.append((1000, rng.choice(NAMES) + " = " + str(rng.random())))
        elif kind == 1002: items += [(1002, "{"), (1070, rng.randrange(-32768, 32767)), (1002, "}")]
        elif kind == 1003: items.append((1003, "0"))
        elif kind == 1004: items.append((1004, bytes(rng.randrange(256) for _ in range(rng.randrange(1, 40)))))
        elif kind == 1005: items.append((1005, "%X" % rng.randrange(1, 0xFFFF)))
        elif kind in (1010, 1011): items.append((kind, (rng.uniform(-1e6, 1e6), rng.uniform(-1e6, 1e6), rng.uniform(-10, 10))))
        elif kind == 1071: items.append((1071, rng.randrange(-2**31, 2**31)))
        elif kind == 1070: items.append((1070, rng.randrange(-32768, 32767)))
        else: items.append((kind, rng.uniform(-1e9, 1e9)))
    return items
def dress(entity):
    entity.dxf.layer = rng.choice(layers)
    if rng.random() < 0.3: entity.dxf.color = rng.randrange(0, 257)
    if rng.random() < 0.2: entity.dxf.transparency = rng.choice([0x01000000, 0x02000000 | rng.randrange(256)])
    if rng.random() < 0.5:
        for app in rng.sample(apps, rng.randrange(1, len(apps) + 1)): entity.set_xdata(app, xdata_items())
    if rng.random() < 0.3:
        xdict = entity.new_extension_dict()
        xdict.add_xrecord(name("REC").upper()).reset([(1, rng.choice(NAMES)), (40, rng.random()), (70, 3)])
    return entity
def p(): return (rng.uniform(-1e5, 1e5), rng.uniform(-1e5, 1e5))
block = doc.blocks.new(name("ROOM"))
block.add_lwpolyline([p() for _ in range(4)], close=True)
block.add_attdef("NAME", (0, 0), dxfattribs={"height": 250, "prompt": rng.choice(NAMES)})
block.add_attdef("AREA", (0, -300), dxfattribs={"height": 250})
image_def = doc.add_image_def(filename=name("img") + ".png", size_in_pixel=(640, 480))
underlay_def = doc.add_underlay_def(filename=name("plan") + ".pdf", fmt="pdf", name="1")
def multileader(s):
    builder = s.add_multileader_mtext("Standard")
    builder.set_content(rng.choice(NAMES))
    builder.add_leader_line(ezdxf.render.ConnectionSide.left, [ezdxf.math.Vec2(p())])
    builder.build(insert=ezdxf.math.Vec2(p()))
    return builder.multileader
makers = [
    lambda s: s.add_line(p(), p()),
    lambda s: s.add_point(p()),
    lambda s: s.add_circle(p(), rng.uniform(1, 1e4)),
    lambda s: s.add_arc(p(), rng.uniform(1, 1e4), rng.uniform(0, 360), rng.uniform(0, 360)),
    lambda s: s.add_ellipse(p(), major_axis=(100, 0, 0), ratio=0.5),
    lambda s: s.add_spline([p() for _ in range(5)]),
    lambda s: s.add_lwpolyline([p() + (0, 0, rng.uniform(-1, 1)) for _ in range(rng.randrange(2, 12))], format="xyseb",
                               close=rng.random() < 0.5),
    lambda s: s.add_polyline2d([p() for _ in range(4)]),
    lambda s: s.add_polyline3d([p() + (rng.random(),) for _ in range(4)]),
    lambda s: s.add_polymesh((3, 3)),
    lambda s: s.add_polyface(),
    lambda s: s.add_text(rng.choice(NAMES) + " ^J caret \\U+00E9", dxfattribs={"height": 200}),
    lambda s: s.add_mtext(rng.choice(NAMES) + "\\P" + rng.choice(NAMES)),
    lambda s: s.add_solid([p(), p(), p()]),
    lambda s: s.add_trace([p(), p(), p(), p()]),
    lambda s: s.add_3dface([p() + (0,), p() + (0,), p() + (1,)]),
    lambda s: s.add_xline(p(), (1, 1, 0)),
    lambda s: s.add_ray(p(), (1, 0, 0)),
    lambda s: s.add_shape("A", p()),
    lambda s: s.add_mesh(),
    lambda s: s.add_3dsolid(),
    lambda s: s.add_region(),
    lambda s: s.add_body(),
    lambda s: s.add_helix(100, 10, 3),
    lambda s: s.add_image(image_def, insert=p(), size_in_units=(6.4, 4.8)),
    lambda s: s.add_underlay(underlay_def, insert=p()),
    lambda s: s.add_wipeout([p(), p(), p()]),
    lambda s: s.add_leader([p(), p(), p()]),
    lambda s: s.add_mline([p(), p(), p()]),
    lambda s: s.add_linear_dim(base=(0, 5), p1=(0, 0), p2=(10, 0)).render().dimension,
    lambda s: s.add_radius_dim(center=(0, 0), radius=3, angle=45).render().dimension,
    lambda s: s.add_angular_dim_3p(base=(5, 5), center=(0, 0), p1=(10, 0), p2=(0, 10)).render().dimension,
    lambda s: s.add_ordinate_x_dim(feature_location=(5, 5), offset=(2, 2)).render().dimension,
    multileader,
]
def hatch(s):
    h = s.add_hatch(color=rng.randrange(1, 255))
    h.paths.add_polyline_path([p() for _ in range(4)], is_closed=True)
    if rng.random() < 0.5: h.set_pattern_fill("ANSI31", scale=rng.uniform(0.5, 100))
    return h
def mpolygon(s):
    m = s.add_mpolygon(); m.paths.add_polyline_path([p() for _ in range(4)], is_closed=True); return m
def insert(s):
    # A block that held itself would be refused.
    if s is block: return None
    ref = s.add_blockref(block.name, p(), dxfattribs={"rotation": rng.uniform(0, 360)})
    ref.add_auto_attribs({"NAME": rng.choice(NAMES), "AREA": "%.2fsq.m." % rng.uniform(1, 999)})
    return ref
def grid(s):
    if s is block: return None
    ref = s.add_blockref(block.name, p(), dxfattribs={"rotation": rng.uniform(0, 360)})
    ref.grid(size=(rng.randrange(2, 5), rng.randrange(1, 5)), spacing=(rng.uniform(1, 1e4), rng.uniform(1, 1e4)))
    return ref
makers += [hatch, mpolygon, insert, grid]
if version >= "R2004": pass
for target in (msp, block, doc.layout("Layout1")):
    for maker in rng.sample(makers, len(makers) // 2 if target is block else len(makers)):
        try:
            entity = maker(target)
        except ezdxf.DXFVersionError:
            continue
        if entity is not None and hasattr(entity, "set_xdata"): dress(entity)
doc.layers.add("VIEWPORTS")
doc.layout("Layout1").add_viewport(center=(100, 100), size=(50, 50), view_center_point=(0, 0), view_height=100)
group = doc.groups.new(name("G").upper()); group.extend(list(msp)[:3])
msp.set_redraw_order((e.dxf.handle, "%X" % (i + 1)) for i, e in enumerate(list(msp)[:5]))
root = doc.rootdict.add_new_dict(name("DICT").upper())
root.add_xrecord("DATA").reset([(1, "payload ✓"), (10, (1, 2, 3)), (1071, 5)])
doc.saveas(path)
# The handles as written: ezdxf also holds objects it never writes.
from ezdxf.lldxf.tagger import ascii_tags_loader
with open(path, encoding="cp1252" if version < "R2007" else "utf-8") as written:
    tags = list(ascii_tags_loader(written))
header = next(i for i, t in enumerate(tags) if t.value == "ENDSEC")
print(" ".join(t.value for t in tags[header:] if t.code in (5, 105)))
)py";

// Compares two files object by object, by handle: "exact" wants every tag
// as it was; "fields" wants every tag still there and the extended data in
// its order, as for an object rewritten from its fields.  Then both are
// read as ezdxf documents and compared entity by entity.
const char* kCompareDrawings = R"py(
import io, math, re, sys, ezdxf, ezdxf.reorder
from ezdxf.lldxf.tagger import ascii_tags_loader, tag_compiler
mode, before, after = sys.argv[1], sys.argv[2], sys.argv[3]
def records(path):
    # handle -> compiled tags of every object of the file, header aside
    data = open(path, "rb").read()
    legacy = any(v in data[:4000] for v in (b"AC1015", b"AC1018"))
    tags = tag_compiler(ascii_tags_loader(io.StringIO(data.decode("cp1252" if legacy else "utf-8"))))
    out, current, section = {}, [], None
    def close():
        handle = next((t[1] for t in current[1:] if t[0] in (5, 105)), None)
        if handle is None or section == "HEADER": return
        if handle in out: raise SystemExit("duplicate handle %s in %s" % (handle, path))
        out[handle] = current[:]
    for tag in tags:
        if tag.code == 0:
            if current: close()
            current = []
        elif tag.code == 2 and current == [(0, "SECTION")]:
            section = tag.value
        current.append((tag.code, tag.value))
    if current: close()
    return out
ESCAPE = re.compile(r"\\[Uu]\+(0001[0-9A-Fa-f]{4}|0010[0-9A-Fa-f]{4}|[0-9A-Fa-f]{4})")
def unescaped(text):
    # Code page files carry other characters as escapes, in either case,
    # as surrogate pairs or as eight digits: the same text each way.
    text = ESCAPE.sub(lambda m: chr(int(m.group(1), 16)), text)
    return text.encode("utf-16", "surrogatepass").decode("utf-16")
def same(a, b):
    if isinstance(a, str) and isinstance(b, str): return unescaped(a) == unescaped(b)
    if isinstance(a, float) or isinstance(b, float): return math.isclose(a, b, rel_tol=1e-12, abs_tol=1e-12)
    if isinstance(a, tuple): return len(a) == len(b) and all(same(x, y) for x, y in zip(a, b))
    return a == b
# Names compare ignoring case: a rewritten entity names its linetype, text
# style and layer as their records do.
NAMES = (6, 7, 8)
def same_tag(x, y):
    if x[0] in NAMES and y[0] == x[0]: return unescaped(x[1]).upper() == unescaped(y[1]).upper()
    return x[0] == y[0] and same(x[1], y[1])
def same_value(key, a, b):
    if key in ("layer", "linetype", "style") and isinstance(a, str) and isinstance(b, str):
        return unescaped(a).upper() == unescaped(b).upper()
    return a is not None and b is not None and same(a, b) if a is not b else True
# A part of a sequence is owned by its polyline or insert, whatever the
# file said.
PARTS = ("VERTEX", "SEQEND", "ATTRIB")
a, b = records(before), records(after)
problems = []
for handle, tags in a.items():
    kept = b.get(handle)
    if kept is None: problems.append("lost %s %s" % (handle, tags[0][1]))
    elif kept[0] != tags[0]: problems.append("%s was %s, is %s" % (handle, tags[0][1], kept[0][1]))
    elif mode == "exact":
        if len(kept) != len(tags) or not all(map(same_tag, tags, kept)):
            problems.append("changed %s %s:\n  %s\n  %s" % (handle, tags[0][1], tags, kept))
    else:
        # Rewritten from its fields: every tag still there as often as it
        # was, the extended data in its order.
        if tags[0][1] == "SORTENTSTABLE": continue
        unmatched, missing = list(kept), []
        for t in tags:
            match = next((k for k, u in enumerate(unmatched) if same_tag(t, u)), None)
            if match is not None: del unmatched[match]
            elif not (t[0] == 330 and tags[0][1] in PARTS): missing.append(t)
        if missing: problems.append("%s %s lost tags %s" % (handle, tags[0][1], missing))
        xa = tags[next((i for i, t in enumerate(tags) if t[0] == 1001), len(tags)):]
        xb = kept[next((i for i, t in enumerate(kept) if t[0] == 1001), len(kept)):]
        if len(xa) != len(xb) or not all(map(same_tag, xa, xb)): problems.append("%s xdata %s / %s" % (handle, xa, xb))
problems += ["new %s %s" % (h, b[h][0][1]) for h in b if h not in a]
# And as ezdxf's document model sees them.
da, db = ezdxf.readfile(before), ezdxf.readfile(after)
def xdata(e): return {app: list(e.get_xdata(app)) for app in e.xdata.data} if e.xdata else {}
def xdict(e): return e.extension_dict.handle if e.has_extension_dict else None
for e in da.entitydb.values():
    if e.dxf.handle not in a: continue  # made by ezdxf while loading (a SEQEND it supplies)
    f = db.entitydb.get(e.dxf.handle)
    if f is None or f.dxftype() != e.dxftype(): problems.append("not read back: %s %s" % (e.dxf.handle, e.dxftype()))
    elif xdata(e) != xdata(f) or xdict(e) != xdict(f): problems.append("xdata or dictionary of %s" % e.dxf.handle)
    else:
        ea, fa = e.dxf.all_existing_dxf_attribs(), f.dxf.all_existing_dxf_attribs()
        differing = [k for k in set(ea) | set(fa) if not same_value(k, ea.get(k), fa.get(k))]
        if differing: problems.append("attributes of %s %s: %s" % (e.dxf.handle, e.dxftype(), differing))
# Draw order: sort tables are written anew from the order they give.
for layout in da.layouts:
    kept = db.layouts.get(layout.name)
    order = lambda space: [e.dxf.handle for e in ezdxf.reorder.ascending(space, space.get_redraw_order())]
    if order(layout) != order(kept): problems.append("draw order of %s" % layout.name)
print(len(a), "objects")
print("audit errors", len(db.audit().errors) - len(da.audit().errors))
for problem in problems[:30]: print(problem)
print("problems", len(problems))
)py";

struct Generated {
  const char* version;
  int seed;
};

std::string nameOf(const testing::TestParamInfo<Generated>& info) {
  return std::string(info.param.version) + "_seed" + std::to_string(info.param.seed);
}

class GeneratedDrawing : public SpaceCommandTest, public testing::WithParamInterface<Generated> {
 protected:
  // The handles of every object of the drawing made.
  std::vector<std::string> make(const std::filesystem::path& path) {
    const RunResult made =
        runPython(kMakeVariedDrawing, {GetParam().version, std::to_string(GetParam().seed), path.string()});
    EXPECT_EQ(made.exitCode, 0) << made.output;
    std::vector<std::string> handles;
    std::istringstream words(made.output);
    for (std::string word; words >> word;) handles.push_back(word);
    return handles;
  }
  void expectSame(const char* mode, const std::filesystem::path& before, const std::filesystem::path& after) {
    const RunResult compared = runPython(kCompareDrawings, {mode, before.string(), after.string()});
    EXPECT_EQ(compared.exitCode, 0) << compared.output;
    EXPECT_NE(compared.output.find("\naudit errors 0\n"), std::string::npos) << compared.output;
    EXPECT_NE(compared.output.find("\nproblems 0\n"), std::string::npos) << compared.output;
  }
};

TEST_P(GeneratedDrawing, SurvivesOpenAndSaveasWhole) {
  const std::vector<std::string> handles = make(drawing);
  ASSERT_GT(handles.size(), 300u);
  const auto copy = scratch / "copy.dxf";
  run("open " + drawing + "\nsaveas " + copy.string() + "\n", false);
  expectSame("exact", drawing, copy);
}

TEST_P(GeneratedDrawing, SurvivesEveryObjectRewrittenFromItsFields) {
  const std::vector<std::string> handles = make(drawing);
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.dxfIn(wide(drawing).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  for (const std::string& handle : handles) {
    AcDbObjectId id;
    ASSERT_EQ(db.getAcDbObjectId(id, false, AcDbHandle(handle.c_str())), Acad::eOk) << handle;
    AcDbObject* object = nullptr;
    ASSERT_EQ(acdbOpenObject(object, id, AcDb::kForWrite), Acad::eOk) << handle;
    object->close();
  }
  ASSERT_EQ(db.saveAs(wide(saved).c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  expectSame("fields", drawing, saved);
}

INSTANTIATE_TEST_SUITE_P(Versions, GeneratedDrawing,
                         testing::Values(Generated{"R2000", 1}, Generated{"R2000", 2}, Generated{"R2004", 3},
                                         Generated{"R2007", 4}, Generated{"R2010", 5}, Generated{"R2013", 6},
                                         Generated{"R2018", 7}, Generated{"R2018", 8}),
                         nameOf);

TEST(OldDrawing, OpensAndTheHostSaysHowItIsSaved) {
  ScratchFolder folder;
  const RunResult made = runPython(
      "import sys, ezdxf\nfor fmt in ('asc', 'bin'): ezdxf.new('R12').saveas(sys.argv[1] + fmt + '.dxf', fmt=fmt)\n",
      {(folder / "r12-").string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  const RunResult opened = runSpatiary({"--accept-defaults", (folder / "r12-asc.dxf").string()}, "");
  EXPECT_EQ(opened.exitCode, 0) << opened.output;
  EXPECT_NE(opened.output.find("The drawing is DXF AC1009 (R11/R12); it is saved as DXF AC1032 (AutoCAD 2018).\n"),
            std::string::npos)
      << opened.output;
  const RunResult binary = runSpatiary({"--accept-defaults", (folder / "r12-bin.dxf").string()}, "");
  EXPECT_NE(binary.output.find("The drawing is binary DXF AC1009 (R11/R12); it is saved as ASCII DXF AC1032"),
            std::string::npos)
      << binary.output;
  const RunResult current = runSpatiary({"--accept-defaults", floorDrawing().string()}, "");
  EXPECT_EQ(current.output.find("The drawing is"), std::string::npos) << current.output;
}

}  // namespace
