// Values of space record items: keys and units are cut off by length, as
// other software relies on, and short or unknown items give empty values.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"
#include "host/AcadUtilities.h"

using namespace spatiary_test;

namespace {

// A drawing from other software: one block reference with a space record
// under each name, items out of order and with a blank before the unit.
const char* kWriteRecords = R"(
import sys, ezdxf
doc = ezdxf.new()
doc.blocks.new("ROOM-1").add_lwpolyline([(0, 0), (7000, 0), (7000, 3500)], close=True)
ref = doc.modelspace().add_blockref("ROOM-1", (0, 0))
for name in ("ADE", "AECXDATA"):
    doc.appids.new(name)
items = ["HANDLESTOADD=2A7,2B0", "AREA=12.3456 sq.ft.", "NAME=Office", "VOLUME=", "DATE="]
ref.set_xdata("ADE", [(1002, "{")] + [(1000, item) for item in items] + [(1002, "}")])
ref.set_xdata("AECXDATA", [(1000, item) for item in reversed(items)] + [(1040, 2.5), (1070, 3)])
doc.saveas(sys.argv[1])
)";

const char* kReadRecords = R"(
import sys, ezdxf
ref = ezdxf.readfile(sys.argv[1]).modelspace().query("INSERT")[0]
for name in ("ADE", "AECXDATA"):
    print(name, [(code, value) for code, value in ref.get_xdata(name)])
)";

// Takes every record out as a list and sets it back, so the reference is
// written from the lists rather than from the text it was read from.
void rewriteRecords(AcDbDatabase& db) {
  AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForRead);
  ASSERT_TRUE(space);
  std::unique_ptr<AcDbBlockTableRecordIterator> iterator;
  ASSERT_EQ(space->newIterator(iterator), Acad::eOk);
  AcDbObjectId id;
  ASSERT_EQ(iterator->getEntityId(id), Acad::eOk);
  AcDbObjectPointer<AcDbEntity> reference(id, AcDb::kForWrite);
  ASSERT_TRUE(reference);
  for (const wchar_t* name : {L"ADE", L"AECXDATA"}) {
    resbuf* record = reference->xData(name);
    ASSERT_NE(record, nullptr) << name;
    EXPECT_EQ(reference->setXData(record), Acad::eOk);
    acutRelRb(record);
  }
}

TEST(SpaceRecords, SurviveLoadAndSaveItemForItemUnderBothNames) {
  ScratchFolder folder;
  const auto source = folder / "other.dxf";
  const auto saved = folder / "saved.dxf";
  ASSERT_EQ(runPython(kWriteRecords, {source.string()}).exitCode, 0);
  const RunResult before = runPython(kReadRecords, {source.string()});
  ASSERT_EQ(before.exitCode, 0) << before.output;
  {
    AcDbDatabase db(false);
    ASSERT_EQ(db.dxfIn(utf8ToWide(source.string()).c_str()), Acad::eOk);
    rewriteRecords(db);
    ASSERT_EQ(db.saveAs(utf8ToWide(saved.string()).c_str()), Acad::eOk);
  }
  const RunResult after = runPython(kReadRecords, {saved.string()});
  ASSERT_EQ(after.exitCode, 0) << after.output;
  EXPECT_EQ(after.output, before.output);
  EXPECT_NE(after.output.find("(1000, 'AREA=12.3456 sq.ft.')"), std::string::npos) << after.output;
}

TEST(SpaceRecordItems, KeysAndUnitsAreCutOff) {
  EXPECT_EQ(CAcadUtilities::extractData(0x100, L"AREA=24.50sq.m."), L"24.50");
  EXPECT_EQ(CAcadUtilities::extractData(0x101, L"AREA=12.3456 sq.ft."), L"12.3456 ");
  EXPECT_EQ(CAcadUtilities::extractData(0x110, L"PERIMETER=20.00m."), L"20.00");
  EXPECT_EQ(CAcadUtilities::extractData(0x111, L"PERIMETER=65.62ft."), L"65.62");
  EXPECT_EQ(CAcadUtilities::extractData(0x11, L"NAME=Office 12"), L"Office 12");
  EXPECT_EQ(CAcadUtilities::extractData(0x1000, L"TAGTYPE=<Not Set>"), L"<Not Set>");
  EXPECT_EQ(CAcadUtilities::extractData(0x1001, L"AREA_TYPE=NET"), L"NET");
  EXPECT_EQ(CAcadUtilities::extractData(0x1010, L"COST_CENTRE=CC7"), L"CC7");
  EXPECT_EQ(CAcadUtilities::extractData(0x1011, L"DATE=2026-12-07"), L"2026-12-07");
  EXPECT_EQ(CAcadUtilities::extractData(0x1100, L"DATE_L_MOVE=x"), L"x");
  EXPECT_EQ(CAcadUtilities::extractData(0x1101, L"DEPT_CHARGE=12"), L"12");
  EXPECT_EQ(CAcadUtilities::extractData(0x1110, L"ROOM_HEIGHT=2.7m."), L"2.7m.") << "the unit stays";
  EXPECT_EQ(CAcadUtilities::extractData(0x1111, L"SPECIAL_REQ=none"), L"none");
  EXPECT_EQ(CAcadUtilities::extractData(0x10000, L"TOT_STAFF=4"), L"4");
  EXPECT_EQ(CAcadUtilities::extractData(0x10001, L"TOT_WKSTNS=5"), L"5");
  EXPECT_EQ(CAcadUtilities::extractData(0x10010, L"VOLUME=66.15cu.m."), L"66.15cu.m.");
  EXPECT_EQ(CAcadUtilities::extractData(0x10011, L"HANDLESTOMINUS=2A7,"), L"2A7,");
  EXPECT_EQ(CAcadUtilities::extractData(0x10100, L"HANDLESTOADD=2A7,2B0"), L"2A7,2B0");
}

TEST(SpaceRecordItems, CutsCountCharactersWithoutCheckingTheKey) {
  EXPECT_EQ(CAcadUtilities::extractData(0x11, L"XXXX=value"), L"value");
  EXPECT_EQ(CAcadUtilities::extractData(0x100, L"AREA=12sq.ft."), L"12s") << "a wrong unit code cuts five";
}

TEST(SpaceRecordItems, ShortItemsAndUnknownCodesGiveEmptyValues) {
  EXPECT_EQ(CAcadUtilities::extractData(0x11, L"NAME="), L"");
  EXPECT_EQ(CAcadUtilities::extractData(0x100, L"AREA=sq.m"), L"");
  EXPECT_EQ(CAcadUtilities::extractData(0x10100, L"HANDLES"), L"");
  EXPECT_EQ(CAcadUtilities::extractData(0x111, L""), L"");
  EXPECT_EQ(CAcadUtilities::extractData(0x12, L"NAME=Office"), L"");
  EXPECT_EQ(CAcadUtilities::extractData(-1, L"AREA=1sq.m."), L"");
}

}  // namespace
