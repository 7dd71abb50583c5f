// Tables made through the database reach the file with the block other
// programs draw them from, and the file reads back and saves unchanged;
// drawings without table styles get the standard one.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"

using namespace spatiary_test;

namespace {

std::wstring wide(const std::filesystem::path& path) { return utf8ToWide(path.string()); }

size_t entityCount(AcDbObjectId block) {
  AcDbObjectPointer<AcDbBlockTableRecord> record(block, AcDb::kForRead);
  return record ? record->entityIds().size() : 0;
}

class TableEntity : public ::testing::Test {
 protected:
  void SetUp() override { acdbHostApplicationServices()->setWorkingDatabase(&db); }
  void TearDown() override { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }

  AcDbObjectId addBlock(const ACHAR* name) {
    AcDbBlockTable* table = nullptr;
    EXPECT_EQ(db.getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* record = new AcDbBlockTableRecord;
    record->setName(name);
    AcDbObjectId id;
    EXPECT_EQ(table->add(id, record), Acad::eOk);
    record->close();
    table->close();
    return id;
  }

  AcDbObjectId append(AcDbObjectId blockId, AcDbEntity* entity) {
    AcDbBlockTableRecord* block = nullptr;
    EXPECT_EQ(acdbOpenObject(block, blockId, AcDb::kForWrite), Acad::eOk);
    AcDbObjectId id;
    EXPECT_EQ(block->appendAcDbEntity(id, entity), Acad::eOk);
    entity->close();
    block->close();
    return id;
  }

  AcDbObjectId standardStyle() {
    AcDbDictionary* styles = nullptr;
    EXPECT_EQ(db.getTableStyleDictionary(styles), Acad::eOk);
    AcDbObjectId id;
    if (styles) {
      EXPECT_EQ(styles->getAt(L"Standard", id), Acad::eOk);
      styles->close();
    }
    return id;
  }

  // A 3 by 2 swatch, as a legend shows a hatch.
  AcDbObjectId swatch() {
    const AcDbObjectId id = addBlock(L"SWATCH");
    auto* outline = new AcDbPolyline;
    outline->addVertexAt(0, AcGePoint2d(0, 0));
    outline->addVertexAt(1, AcGePoint2d(3, 0));
    outline->addVertexAt(2, AcGePoint2d(3, 2));
    outline->addVertexAt(3, AcGePoint2d(0, 2));
    outline->setClosed(true);
    append(id, outline);
    return id;
  }

  // Title over three columns, a header row and two data rows, one with a swatch.
  AcDbTable* legendTable(AcDbObjectId swatchId) {
    auto* table = new AcDbTable;
    EXPECT_EQ(table->setTableStyle(standardStyle()), Acad::eOk);
    EXPECT_EQ(table->setSize(2, 3), Acad::eOk);
    EXPECT_EQ(table->mergeCells(0, 0, 0, 2), Acad::eOk);
    table->setTextString(0, 0, L"Occupancy");
    table->setTextString(1, 0, L"Description");
    table->setTextString(1, 1, L"Hatch");
    table->setTextString(1, 2, L"Area sq.m.");
    EXPECT_EQ(table->insertRows(2, 3.0, 2), Acad::eOk);
    table->setTextString(2, 0, L"Office");
    EXPECT_EQ(table->setBlockTableRecordId(2, 1, swatchId, true), Acad::eOk);
    table->setTextString(2, 2, L"12.50");
    table->setTextString(3, 0, L"Store\\\\Archive");
    table->setTextString(3, 2, L"0.00");
    table->setColumnWidth(0, 30.0);
    table->setColumnWidth(1, 15.0);
    table->setColumnWidth(2, 25.0);
    table->setRowHeight(3.0);
    EXPECT_EQ(table->setTextHeight(2.0, AcDb::kDataRow | AcDb::kTitleRow | AcDb::kHeaderRow), Acad::eOk);
    EXPECT_EQ(table->setAlignment(AcDb::kMiddleCenter, AcDb::kDataRow | AcDb::kTitleRow | AcDb::kHeaderRow),
              Acad::eOk);
    table->setPosition(AcGePoint3d(100, 200, 0));
    return table;
  }

  AcDbDatabase db;
  ScratchFolder folder;
};

}  // namespace

// A legend table in its own block, inserted into model space, as ezdxf
// reads it: the table points at its "*T" block, which draws the cell texts
// as MTEXT, the swatch as an INSERT scaled into its cell and the grid as
// lines that leave out the inside of the merged title.
TEST_F(TableEntity, CellsReachOtherProgramsThroughTheTableBlock) {
  const AcDbObjectId swatchId = swatch();
  const AcDbObjectId legendId = addBlock(L"LEGEND");
  AcDbTable* table = legendTable(swatchId);
  AcDbBlockTableRecord* legend = nullptr;
  ASSERT_EQ(acdbOpenObject(legend, legendId, AcDb::kForWrite), Acad::eOk);
  ASSERT_EQ(legend->appendAcDbEntity(table), Acad::eOk);
  legend->close();
  ASSERT_EQ(table->generateLayout(), Acad::eOk);
  const AcDbObjectId layoutBlock = table->blockTableRecord();
  const size_t drawn = entityCount(layoutBlock);
  // Laid out again: the same block, drawn anew.
  ASSERT_EQ(table->generateLayout(), Acad::eOk);
  EXPECT_EQ(table->blockTableRecord(), layoutBlock);
  EXPECT_EQ(entityCount(layoutBlock), drawn);
  table->close();
  append(db.modelSpaceId(), new AcDbBlockReference(AcGePoint3d(0, 0, 0), legendId));
  ASSERT_EQ(db.saveAs(wide(folder / "table.dxf").c_str()), Acad::eOk);

  const RunResult check = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print(len(doc.audit().errors))
table = doc.blocks["LEGEND"].query("ACAD_TABLE")[0]
reference = table.xtags.get_subclass("AcDbBlockReference")
data = table.xtags.get_subclass("AcDbTable")
name = reference.get_first_value(2)
block = doc.blocks[name]
print(name.startswith("*T"), block.block_record.dxf.handle == data.get_first_value(343), block.block.dxf.flags & 1)
print(doc.rootdict["ACAD_TABLESTYLE"]["Standard"].dxf.handle == data.get_first_value(342))
print(data.get_first_value(91), data.get_first_value(92), tuple(reference.get_first_value(10)))
for text in block.query("MTEXT"):
    print(text.plain_text(), tuple(round(v, 3) for v in text.dxf.insert), text.dxf.char_height, text.dxf.attachment_point)
for insert in block.query("INSERT"):
    print(insert.dxf.name, tuple(round(v, 3) for v in insert.dxf.insert), round(insert.dxf.xscale, 3))
lines = block.query("LINE")
print(len(lines), sorted({round(l.dxf.start.y, 3) for l in lines if l.dxf.start.y == l.dxf.end.y}))
print(sorted((round(l.dxf.start.x, 3), round(l.dxf.start.y, 3), round(l.dxf.end.y, 3)) for l in lines if l.dxf.start.x == l.dxf.end.x))
)py",
                                    {(folder / "table.dxf").string()});
  EXPECT_EQ(check.output,
            "0\n"
            "True True 1\n"
            "True\n"
            "4 3 (100.0, 200.0, 0.0)\n"
            "Occupancy (35.0, -1.5, 0.0) 2.0 5\n"
            "Description (15.0, -4.5, 0.0) 2.0 5\n"
            "Hatch (37.5, -4.5, 0.0) 2.0 5\n"
            "Area sq.m. (57.5, -4.5, 0.0) 2.0 5\n"
            "Office (15.0, -7.5, 0.0) 2.0 5\n"
            "12.50 (57.5, -7.5, 0.0) 2.0 5\n"
            "Store\\Archive (15.0, -10.5, 0.0) 2.0 5\n"
            "0.00 (57.5, -10.5, 0.0) 2.0 5\n"
            "SWATCH (35.34, -8.94, 0.0) 1.44\n"
            "9 [-12.0, -9.0, -6.0, -3.0, 0.0]\n"
            "[(0.0, 0.0, -12.0), (30.0, -3.0, -12.0), (45.0, -3.0, -12.0), (70.0, 0.0, -12.0)]\n");

  // Read back and saved again, the file is as it was.
  AcDbDatabase loaded(false);
  ASSERT_EQ(loaded.dxfIn(wide(folder / "table.dxf").c_str()), Acad::eOk);
  ASSERT_EQ(loaded.saveAs(wide(folder / "again.dxf").c_str()), Acad::eOk);
  EXPECT_EQ(readFile(folder / "again.dxf"), readFile(folder / "table.dxf"));
}

TEST_F(TableEntity, MergesAndCellsRefuseWhatDoesNotFit) {
  auto table = std::make_unique<AcDbTable>();
  ASSERT_EQ(table->setSize(3, 3), Acad::eOk);
  EXPECT_EQ(table->mergeCells(0, 1, 0, 1), Acad::eOk);
  int minRow = -1, maxColumn = -1;
  EXPECT_TRUE(table->isMergedCell(1, 1, &minRow, nullptr, nullptr, &maxColumn));
  EXPECT_EQ(minRow, 0);
  EXPECT_EQ(maxColumn, 1);
  EXPECT_FALSE(table->isMergedCell(2, 2));
  EXPECT_EQ(table->mergeCells(1, 2, 1, 2), Acad::eInvalidInput);
  EXPECT_EQ(table->mergeCells(2, 3, 0, 0), Acad::eInvalidInput);
  EXPECT_EQ(table->insertRows(1, 2.0), Acad::eInvalidInput);
  EXPECT_EQ(table->insertRows(2, 2.0), Acad::eOk);
  EXPECT_EQ(table->numRows(), 4);
  EXPECT_EQ(table->setTextString(4, 0, L"x"), Acad::eInvalidInput);
  EXPECT_EQ(table->setBlockTableRecordId(2, 2, db.layerTableId()), Acad::eInvalidInput);
  EXPECT_EQ(table->setTableStyle(db.layerTableId()), Acad::eInvalidInput);
  EXPECT_EQ(table->setRowHeight(-1.0), Acad::eInvalidInput);
  EXPECT_EQ(table->textHeight(3, 0), 4.5);
  EXPECT_EQ(table->setTextHeight(2, 0, 1.25), Acad::eOk);
  EXPECT_EQ(table->textHeight(2, 0), 1.25);
  EXPECT_EQ(table->alignment(0, 0), AcDb::kTopCenter);
  EXPECT_EQ(table->rowType(0), AcDb::kTitleRow);
  EXPECT_EQ(table->rowType(1), AcDb::kHeaderRow);
  EXPECT_EQ(table->rowType(3), AcDb::kDataRow);
}

// A drawing whose named objects lack the table styles gets the dictionary
// and its standard style, which other programs read.
TEST_F(TableEntity, DrawingWithoutTableStylesGetsTheStandardOne) {
  AcDbDictionary* named = nullptr;
  ASSERT_EQ(db.getNamedObjectsDictionary(named, AcDb::kForWrite), Acad::eOk);
  AcDbObjectId old;
  ASSERT_EQ(named->remove(L"ACAD_TABLESTYLE", old), Acad::eOk);
  named->close();
  AcDbObject* dictionary = nullptr;
  ASSERT_EQ(acdbOpenAcDbObject(dictionary, old, AcDb::kForWrite), Acad::eOk);
  dictionary->erase();
  dictionary->close();

  const AcDbObjectId style = standardStyle();
  ASSERT_FALSE(style.isNull());
  EXPECT_EQ(standardStyle(), style);
  auto* table = new AcDbTable;
  EXPECT_EQ(table->setTableStyle(style), Acad::eOk);
  table->setSize(1, 1);
  table->setTextString(0, 0, L"Only");
  append(db.modelSpaceId(), table);
  ASSERT_EQ(acdbOpenObject(table, table->objectId(), AcDb::kForWrite), Acad::eOk);
  EXPECT_EQ(table->generateLayout(), Acad::eOk);
  table->close();
  ASSERT_EQ(db.saveAs(wide(folder / "styles.dxf").c_str()), Acad::eOk);

  const RunResult check = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print(len(doc.audit().errors))
style = doc.rootdict["ACAD_TABLESTYLE"]["Standard"]
print(style.dxftype(), doc.modelspace().query("ACAD_TABLE")[0].xtags.get_subclass("AcDbTable").get_first_value(342) == style.dxf.handle)
)py",
                                    {(folder / "styles.dxf").string()});
  EXPECT_EQ(check.output, "0\nTABLESTYLE True\n");
}
