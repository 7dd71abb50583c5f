// What extension code builds through the database reaches the file as
// another program reads it, and the file's own conventions are kept.
#include <gtest/gtest.h>

#include <cmath>

#include "AcGeConstants.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"

using namespace spatiary_test;

namespace {

std::wstring wide(const std::filesystem::path& path) { return utf8ToWide(path.string()); }

template <class T>
AcDbObjectId append(AcDbObjectId block, T* entity) {
  AcDbBlockTableRecord* record = nullptr;
  EXPECT_EQ(acdbOpenObject(record, block, AcDb::kForWrite), Acad::eOk);
  AcDbObjectId id;
  EXPECT_EQ(record->appendAcDbEntity(id, entity), Acad::eOk);
  entity->close();
  record->close();
  return id;
}

AcDbObjectId addLayer(AcDbDatabase& db, const ACHAR* name) {
  AcDbLayerTable* layers = nullptr;
  EXPECT_EQ(db.getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
  auto* layer = new AcDbLayerTableRecord;
  layer->setName(name);
  AcDbObjectId id;
  EXPECT_EQ(layers->add(id, layer), Acad::eOk);
  layer->close();
  layers->close();
  return id;
}

// A space block as the module makes one: an outline and attribute
// definitions in a definition, a rotated, scaled reference with attributes.
TEST(BuiltDrawing, BlocksReferencesAndAttributesReadBackElsewhere) {
  ScratchFolder folder;
  AcDbDatabase db;
  // New entities name their layer before they are in a database: the
  // working database says which layer that is.
  acdbHostApplicationServices()->setWorkingDatabase(&db);
  addLayer(db, L"ATT-NAME");
  AcDbBlockTable* blocks = nullptr;
  ASSERT_EQ(db.getBlockTable(blocks, AcDb::kForWrite), Acad::eOk);
  auto* definition = new AcDbBlockTableRecord;
  definition->setName(L"ROOM-1");
  AcDbObjectId definitionId;
  ASSERT_EQ(blocks->add(definitionId, definition), Acad::eOk);
  definition->close();
  blocks->close();

  auto* outline = new AcDbPolyline;
  outline->addVertexAt(0, AcGePoint2d(0, 0));
  outline->addVertexAt(1, AcGePoint2d(4000, 0), 0.25);
  outline->addVertexAt(2, AcGePoint2d(4000, 3000));
  outline->setClosed(true);
  append(definitionId, outline);
  auto* tag = new AcDbAttributeDefinition(AcGePoint3d(0, 375, 0), L"DEFAULT NAME", L"NAME", L"Enter Name");
  tag->setHeight(250.0);
  tag->setFieldLength(25);
  tag->setRotation(kPi / 2.0);
  tag->setLayer(L"ATT-NAME");
  append(definitionId, tag);

  auto* reference = new AcDbBlockReference(AcGePoint3d(1000, 2000, 0), definitionId);
  reference->setScaleFactors(AcGeScale3d(2.0));
  reference->setRotation(kPi / 6.0);
  const AcDbObjectId referenceId = append(db.modelSpaceId(), reference);
  AcDbBlockReference* opened = nullptr;
  ASSERT_EQ(acdbOpenObject(opened, referenceId, AcDb::kForWrite), Acad::eOk);
  AcDbBlockTableRecord* record = nullptr;
  ASSERT_EQ(acdbOpenObject(record, definitionId), Acad::eOk);
  EXPECT_TRUE(record->hasAttributeDefinitions());
  for (const AcDbObjectId& id : record->entityIds()) {
    AcDbAttributeDefinition* definitionTag = nullptr;
    if (acdbOpenObject(definitionTag, id) != Acad::eOk) continue;
    auto* attribute = new AcDbAttribute;
    attribute->setAttributeFromBlock(definitionTag, opened->blockTransform());
    attribute->setTextString(L"Office 12");
    ASSERT_EQ(opened->appendAttribute(attribute), Acad::eOk);
    attribute->close();
    definitionTag->close();
  }
  record->close();
  opened->close();
  acdbHostApplicationServices()->setWorkingDatabase(nullptr);
  ASSERT_EQ(db.saveAs(wide(folder / "built.dxf").c_str()), Acad::eOk);

  const RunResult check = runPython(R"py(
import sys, math, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print(len(doc.audit().errors))
outline, attdef = doc.blocks.get("ROOM-1")
print(outline.dxftype(), [tuple(round(v, 6) for v in p) for p in outline.get_points("xyb")], outline.closed)
print(attdef.dxf.tag, attdef.dxf.prompt, attdef.dxf.text, attdef.dxf.height, attdef.dxf.field_length,
      round(attdef.dxf.rotation, 6), attdef.dxf.layer)
ref = doc.modelspace().query("INSERT")[0]
print(ref.dxf.name, tuple(ref.dxf.insert), ref.dxf.xscale, ref.dxf.yscale, round(ref.dxf.rotation, 6))
att = ref.attribs[0]
x, y = 1000 + 2 * (-375 * math.sin(math.pi / 6)), 2000 + 2 * 375 * math.cos(math.pi / 6)
print(att.dxf.tag, att.dxf.text, att.dxf.height, round(att.dxf.rotation, 6), att.dxf.layer,
      abs(att.dxf.insert.x - x) < 1e-6 and abs(att.dxf.insert.y - y) < 1e-6)
)py",
                                    {(folder / "built.dxf").string()});
  EXPECT_EQ(check.output,
            "0\n"
            "LWPOLYLINE [(0.0, 0.0, 0.0), (4000.0, 0.0, 0.25), (4000.0, 3000.0, 0.0)] True\n"
            "NAME Enter Name DEFAULT NAME 250.0 25 90.0 ATT-NAME\n"
            "ROOM-1 (1000.0, 2000.0, 0.0) 2.0 2.0 30.0\n"
            "NAME Office 12 500.0 120.0 ATT-NAME True\n");
}

TEST(BuiltDrawing, LayerAndEntityPropertiesReadBackElsewhere) {
  ScratchFolder folder;
  AcDbDatabase db;
  const AcDbObjectId layerId = addLayer(db, L"HATCH-Ø");
  AcDbLayerTableRecord* layer = nullptr;
  ASSERT_EQ(acdbOpenObject(layer, layerId, AcDb::kForWrite), Acad::eOk);
  layer->setIsOff(true);
  layer->setIsPlottable(false);
  layer->setLineWeight(AcDb::kLnWt050);
  AcCmColor orange;
  orange.setRGB(255, 128, 0);
  layer->setColor(orange);
  layer->close();
  ASSERT_EQ(db.setClayer(layerId), Acad::eOk);
  db.setLunits(4);

  auto* line = new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(10, 0, 0));
  const AcDbObjectId lineId = append(db.modelSpaceId(), line);
  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, lineId, AcDb::kForWrite), Acad::eOk);
  EXPECT_EQ(entity->layer(), L"HATCH-Ø");  // the current layer
  entity->setColorIndex(3);
  entity->setLineWeight(AcDb::kLnWt025);
  entity->setVisibility(AcDb::kInvisible);
  EXPECT_EQ(entity->setLinetype(L"Continuous"), Acad::eOk);
  EXPECT_EQ(entity->setLayer(L"no such layer"), Acad::eKeyNotFound);
  entity->close();
  // Locked only now: nothing on a locked layer opens for write.
  ASSERT_EQ(acdbOpenObject(layer, layerId, AcDb::kForWrite), Acad::eOk);
  layer->setIsLocked(true);
  layer->close();
  auto* text = new AcDbText(AcGePoint3d(1, 2, 0), L"Fläche ∑ 10^2", AcDbObjectId::kNull, 2.5, kPi / 4.0);
  append(db.modelSpaceId(), text);
  ASSERT_EQ(db.saveAs(wide(folder / "props.dxf").c_str()), Acad::eOk);

  const RunResult check = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print(len(doc.audit().errors), doc.header["$CLAYER"], doc.header["$LUNITS"])
layer = doc.layers.get("HATCH-Ø")
print(layer.is_off(), layer.is_locked(), layer.dxf.plot, layer.dxf.lineweight, layer.rgb)
line, text = doc.modelspace()
print(line.dxf.layer, line.dxf.color, line.dxf.lineweight, line.dxf.invisible, line.dxf.linetype)
print(text.dxf.text, text.dxf.height, round(text.dxf.rotation, 6), tuple(text.dxf.insert))
)py",
                                    {(folder / "props.dxf").string()});
  EXPECT_EQ(check.output,
            "0 HATCH-Ø 4\n"
            "True True 0 50 (255, 128, 0)\n"
            "HATCH-Ø 3 25 1 Continuous\n"
            "Fläche ∑ 10^2 2.5 45.0 (1.0, 2.0, 0.0)\n");

  AcDbDatabase loaded(false);
  ASSERT_EQ(loaded.dxfIn(wide(folder / "props.dxf").c_str()), Acad::eOk);
  EXPECT_EQ(loaded.lunits(), 4);
  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(loaded.getLayerTable(layers), Acad::eOk);
  ASSERT_EQ(layers->getAt(L"hatch-ø", layer, AcDb::kForRead), Acad::eOk);
  EXPECT_TRUE(layer->isOff());
  EXPECT_TRUE(layer->isLocked());
  EXPECT_FALSE(layer->isPlottable());
  EXPECT_EQ(layer->lineWeight(), AcDb::kLnWt050);
  EXPECT_EQ(layer->color().rgb(), 0xFF8000u);
  layer->close();
  layers->close();
}

TEST(FileConventions, OldFilesKeepTheirCodePageAndLineEnds) {
  ScratchFolder folder;
  const RunResult made = runPython(R"py(
import sys, ezdxf
doc = ezdxf.new("R2000")
doc.layers.add("Bäume")
doc.modelspace().add_text("Grün", dxfattribs={"layer": "Bäume"})
doc.saveas(sys.argv[1])
text = open(sys.argv[1], "rb").read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
open(sys.argv[1], "wb").write(text)
)py",
                                   {(folder / "old.dxf").string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  AcDbDatabase db(false);
  ASSERT_EQ(db.dxfIn(wide(folder / "old.dxf").c_str()), Acad::eOk);
  EXPECT_EQ(db.acadver(), L"AC1015");
  AcDbBlockTableRecord* space = nullptr;
  ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId()), Acad::eOk);
  const AcDbObjectId textId = space->entityIds().at(0);
  space->close();
  AcDbText* text = nullptr;
  ASSERT_EQ(acdbOpenObject(text, textId, AcDb::kForWrite), Acad::eOk);
  EXPECT_EQ(text->layer(), L"Bäume");
  EXPECT_EQ(text->textString(), L"Grün");
  text->setTextString(L"Grün ∑");
  text->close();
  ASSERT_EQ(db.saveAs(wide(folder / "saved.dxf").c_str()), Acad::eOk);
  const std::string saved = readFile(folder / "saved.dxf");
  EXPECT_NE(saved.find("Gr\xFCn \\U+2211\r\n"), std::string::npos);
  EXPECT_NE(saved.find("B\xE4ume\r\n"), std::string::npos);
  EXPECT_EQ(saved.find("\xC3\xA4"), std::string::npos);  // no UTF-8 in a code-page file
  size_t bareNewlines = 0;
  for (size_t i = 0; i < saved.size(); ++i) bareNewlines += saved[i] == '\n' && (i == 0 || saved[i - 1] != '\r');
  EXPECT_EQ(bareNewlines, 0u);
}

TEST(FileConventions, MissingLayersAndHandlesAreSuppliedAndTheSeedKeptAbove) {
  ScratchFolder folder;
  writeFile(folder / "sparse.dxf", R"(  0
SECTION
  2
HEADER
  9
$ACADVER
  1
AC1015
  9
$HANDSEED
  5
10
  0
ENDSEC
  0
SECTION
  2
TABLES
  0
TABLE
  2
LAYER
  5
2
 70
1
  0
LAYER
  5
10
  2
0
 70
0
 62
7
  0
ENDTAB
  0
TABLE
  2
BLOCK_RECORD
  5
1
 70
1
  0
BLOCK_RECORD
  5
1F
100
AcDbSymbolTableRecord
100
AcDbBlockTableRecord
  2
*Model_Space
  0
ENDTAB
  0
ENDSEC
  0
SECTION
  2
ENTITIES
  0
LINE
  5
9A
100
AcDbEntity
  8
WALLS
100
AcDbLine
 10
0
 20
0
 30
0
 11
1
 21
1
 31
0
  0
CIRCLE
100
AcDbEntity
  8
0
100
AcDbCircle
 10
0
 20
0
 30
0
 40
2
  0
ENDSEC
  0
SECTION
  2
ACDSDATA
 70
2
  0
ENDSEC
  0
EOF
)");
  AcDbDatabase db(false);
  ASSERT_EQ(db.dxfIn(wide(folder / "sparse.dxf").c_str()), Acad::eOk) << wideToUtf8(db.lastErrorMessage());
  EXPECT_GT(db.handseed().value(), 0x9Au);
  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(db.getLayerTable(layers), Acad::eOk);
  EXPECT_TRUE(layers->has(L"WALLS"));
  layers->close();
  ASSERT_EQ(db.saveAs(wide(folder / "saved.dxf").c_str()), Acad::eOk);
  const RunResult check = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
seed = int(doc.header["$HANDSEED"], 16)
entities = list(doc.modelspace())
print([e.dxftype() for e in entities], all(int(e.dxf.handle, 16) < seed for e in entities), "WALLS" in doc.layers)
print("ACDSDATA" in open(sys.argv[1]).read())
)py",
                                    {(folder / "saved.dxf").string()});
  EXPECT_EQ(check.output, "['LINE', 'CIRCLE'] True True\nTrue\n") << check.output;
}

}  // namespace
