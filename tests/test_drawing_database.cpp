// The drawing database as extension code uses it: opening and closing,
// handles and ids, tables, dictionaries, extended data and erasure.
#include <gtest/gtest.h>

#include <cwchar>

#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"

using namespace spatiary_test;

namespace {

AcDbObjectId addCircle(AcDbDatabase& db, double radius) {
  AcDbBlockTableRecord* space = nullptr;
  EXPECT_EQ(acdbOpenObject(space, db.modelSpaceId(), AcDb::kForWrite), Acad::eOk);
  auto* circle = new AcDbCircle(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, radius);
  AcDbObjectId id;
  EXPECT_EQ(space->appendAcDbEntity(id, circle), Acad::eOk);
  circle->close();
  space->close();
  return id;
}

TEST(Handles, AreUpperCaseHexAndFindTheirObjectAgain) {
  AcDbDatabase db;
  const AcDbObjectId id = addCircle(db, 1.0);
  ACHAR text[17];
  ASSERT_TRUE(id.handle().getIntoAsciiBuffer(text));
  EXPECT_EQ(AcDbHandle(0x2AFull).ascii(), L"2AF");
  AcDbObjectId found;
  ASSERT_EQ(db.getAcDbObjectId(found, false, AcDbHandle(text)), Acad::eOk);
  EXPECT_EQ(found, id);
  EXPECT_EQ(db.getAcDbObjectId(found, false, AcDbHandle(L"FFFFFF")), Acad::eUnknownHandle);
  EXPECT_TRUE(AcDbHandle(L"12G").isNull());
  EXPECT_EQ(db.handseed().value(), id.handle().value() + 1);
}

TEST(Opening, FollowsTheHostRules) {
  AcDbDatabase db;
  const AcDbObjectId id = addCircle(db, 1.0);
  AcDbCircle* reader = nullptr;
  AcDbCircle* second = nullptr;
  ASSERT_EQ(acdbOpenObject(reader, id, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(acdbOpenObject(second, id, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(reader->setRadius(2.0), Acad::eNotOpenForWrite);
  AcDbCircle* writer = nullptr;
  EXPECT_EQ(acdbOpenObject(writer, id, AcDb::kForWrite), Acad::eWasOpenForRead);
  second->close();
  ASSERT_EQ(reader->upgradeOpen(), Acad::eOk);
  EXPECT_EQ(reader->setRadius(2.0), Acad::eOk);
  EXPECT_EQ(acdbOpenObject(second, id, AcDb::kForRead), Acad::eWasOpenForWrite);
  AcDbPolyline* wrongKind = nullptr;
  reader->close();
  EXPECT_EQ(acdbOpenObject(wrongKind, id, AcDb::kForRead), Acad::eNotThatKindOfClass);
  EXPECT_EQ(wrongKind, nullptr);
  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
  EXPECT_TRUE(entity->isKindOf(AcDbCurve::desc()));
  EXPECT_EQ(std::wstring(entity->isA()->name()), L"AcDbCircle");
  entity->close();
  AcDbEntity* notEntity = nullptr;
  EXPECT_EQ(acdbOpenAcDbEntity(notEntity, db.layerTableId(), AcDb::kForRead), Acad::eNotAnEntity);
}

// What the pointer holds is closed when it goes; a new object it holds is
// closed once the drawing took it and deleted (the leak check sees it) if
// it never did.
TEST(Opening, TheObjectPointerClosesWhatTheDrawingHoldsAndDeletesTheRest) {
  AcDbDatabase db;
  AcDbObjectId id;
  {
    const AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForWrite);
    ASSERT_TRUE(space);
    const AcDbObjectPointer<AcDbCircle> circle(
        std::make_unique<AcDbCircle>(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, 1.0));
    ASSERT_EQ(space->appendAcDbEntity(id, circle.object()), Acad::eOk);
    AcDbObjectPointer<AcDbCircle> never;
    ASSERT_EQ(never.create(), Acad::eOk);
    EXPECT_TRUE(never->objectId().isNull());
  }
  AcDbCircle* opened = nullptr;
  ASSERT_EQ(acdbOpenObject(opened, id, AcDb::kForWrite), Acad::eOk);
  AcDbObjectPointer<AcDbCircle> taken;
  EXPECT_EQ(taken.acquire(opened), Acad::eOk);
  EXPECT_EQ(opened, nullptr);
  EXPECT_EQ(taken->radius(), 1.0);
  EXPECT_EQ(taken.close(), Acad::eOk);
  const AcDbObjectPointer<AcDbCircle> again(id, AcDb::kForWrite);
  EXPECT_TRUE(again);
}

TEST(Opening, AnEntityOnALockedLayerIsNotOpenedForWrite) {
  AcDbDatabase db;
  const AcDbObjectId id = addCircle(db, 1.0);
  const auto lockLayer = [&db](bool locked) {
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(db.getLayerTable(table, AcDb::kForRead), Acad::eOk);
    AcDbLayerTableRecord* layer = nullptr;
    ASSERT_EQ(table->getAt(L"0", layer, AcDb::kForWrite), Acad::eOk);
    table->close();
    EXPECT_EQ(layer->setIsLocked(locked), Acad::eOk);
    layer->close();
  };
  lockLayer(true);
  AcDbCircle* circle = nullptr;
  EXPECT_EQ(acdbOpenObject(circle, id, AcDb::kForWrite), Acad::eOnLockedLayer);
  EXPECT_EQ(circle, nullptr);
  EXPECT_EQ(static_cast<int>(Acad::eOnLockedLayer), 87);
  ASSERT_EQ(acdbOpenObject(circle, id, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(circle->upgradeOpen(), Acad::eOnLockedLayer);
  EXPECT_EQ(circle->setRadius(2.0), Acad::eNotOpenForWrite);
  circle->close();
  lockLayer(false);
  ASSERT_EQ(acdbOpenObject(circle, id, AcDb::kForWrite), Acad::eOk);
  EXPECT_EQ(circle->setRadius(2.0), Acad::eOk);
  circle->close();
}

TEST(Erasing, HidesTheObjectAndLeavesItOutOfTheFile) {
  ScratchFolder folder;
  AcDbDatabase db;
  const AcDbObjectId kept = addCircle(db, 1.0), erased = addCircle(db, 2.0);
  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, erased, AcDb::kForWrite), Acad::eOk);
  ASSERT_EQ(entity->erase(), Acad::eOk);
  entity->close();
  EXPECT_EQ(acdbOpenAcDbEntity(entity, erased, AcDb::kForRead), Acad::eWasErased);
  AcDbBlockTableRecord* space = nullptr;
  ASSERT_EQ(acdbOpenObject(space, db.modelSpaceId()), Acad::eOk);
  EXPECT_EQ(space->entityIds(), AcDbObjectIdArray{kept});
  space->close();
  ASSERT_EQ(db.saveAs(utf8ToWide((folder / "d.dxf").string()).c_str()), Acad::eOk);
  const std::string text = readFile(folder / "d.dxf");
  EXPECT_NE(text.find("\n  5\n" + kept.handle().asciiUtf8() + "\n"), std::string::npos);
  EXPECT_EQ(text.find("\n  5\n" + erased.handle().asciiUtf8() + "\n"), std::string::npos);
}

TEST(Tables, FindRecordsIgnoringCaseAndRefuseDuplicates) {
  AcDbDatabase db;
  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(db.getLayerTable(layers, AcDb::kForWrite), Acad::eOk);
  auto* walls = new AcDbLayerTableRecord;
  walls->setName(L"Walls");
  walls->setIsFrozen(true);
  walls->setIsPlottable(false);
  ASSERT_EQ(layers->add(walls), Acad::eOk);
  walls->close();
  auto duplicate = std::make_unique<AcDbLayerTableRecord>();
  duplicate->setName(L"WALLS");
  EXPECT_EQ(layers->add(duplicate.get()), Acad::eDuplicateRecordName);
  layers->close();
  AcDbLayerTableRecord* found = nullptr;
  ASSERT_EQ(db.getLayerTable(layers), Acad::eOk);
  ASSERT_EQ(layers->getAt(L"walls", found, AcDb::kForRead), Acad::eOk);
  EXPECT_TRUE(found->isFrozen());
  EXPECT_FALSE(found->isPlottable());
  EXPECT_FALSE(found->isOff());
  found->close();
  EXPECT_EQ(layers->recordIds().size(), 2u);
  layers->close();
  EXPECT_EQ(acdbRegApp(L"ZELPH", &db), RTNORM);
  EXPECT_EQ(acdbRegApp(L"zelph", &db), RTERROR);
}

TEST(ExtendedData, KeepsEveryItemInOrderPerApplication) {
  AcDbDatabase db;
  acdbRegApp(L"ADE", &db);
  acdbRegApp(L"OTHER", &db);
  const AcDbObjectId id = addCircle(db, 1.0);
  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOk);
  const double point[3] = {1.5, 2.5, 3.5};
  resbuf* first = acutBuildList(1001, L"ADE", 1002, L"{", 1000, L"AREA=24.50sq.m.", 1040, 0.1, 1070, 7, 1071,
                                static_cast<Adesk::Int32>(70000), 1010, point, 1005, L"2A", 1002, L"}", 1001,
                                L"OTHER", 1000, L"x", 0);
  ASSERT_EQ(entity->setXData(first), Acad::eOk);
  acutRelRb(first);
  resbuf* replace = acutBuildList(1001, L"OTHER", 1000, L"y", 0);
  ASSERT_EQ(entity->setXData(replace), Acad::eOk);
  acutRelRb(replace);
  entity->close();

  ScratchFolder folder;
  ASSERT_EQ(db.saveAs(utf8ToWide((folder / "x.dxf").string()).c_str()), Acad::eOk);
  AcDbDatabase loaded(false);
  ASSERT_EQ(loaded.dxfIn(utf8ToWide((folder / "x.dxf").string()).c_str()), Acad::eOk);
  AcDbObjectId again;
  ASSERT_EQ(loaded.getAcDbObjectId(again, false, id.handle()), Acad::eOk);
  ASSERT_EQ(acdbOpenAcDbEntity(entity, again, AcDb::kForRead), Acad::eOk);
  resbuf* ade = entity->xData(L"ade");
  entity->close();
  std::vector<int> codes;
  for (resbuf* rb = ade; rb; rb = rb->rbnext) codes.push_back(rb->restype);
  EXPECT_EQ(codes, (std::vector<int>{1001, 1002, 1000, 1040, 1070, 1071, 1010, 1005, 1002}));
  ASSERT_EQ(codes.size(), 9u);
  resbuf* rb = ade->rbnext->rbnext;
  EXPECT_STREQ(rb->resval.rstring, L"AREA=24.50sq.m.");
  EXPECT_EQ(rb->rbnext->resval.rreal, 0.1);
  EXPECT_EQ(rb->rbnext->rbnext->resval.rint, 7);
  EXPECT_EQ(rb->rbnext->rbnext->rbnext->resval.rlong, 70000);
  EXPECT_EQ(rb->rbnext->rbnext->rbnext->rbnext->resval.rpoint[2], 3.5);
  acutRelRb(ade);
  ASSERT_EQ(acdbOpenAcDbEntity(entity, again, AcDb::kForRead), Acad::eOk);
  resbuf* other = entity->xData(L"OTHER");
  entity->close();
  ASSERT_NE(other, nullptr);
  EXPECT_STREQ(other->rbnext->resval.rstring, L"y");
  EXPECT_EQ(other->rbnext->rbnext, nullptr);
  acutRelRb(other);
}

TEST(ExtendedData, ListsCopyAndFreeCompletely) {
  resbuf* list = acutBuildList(RTSTR, L"text", RTSHORT, 3, RTREAL, 2.5, 8, L"0", 0);
  resbuf* copy = acutDuplicateRb(list);
  acutRelRb(list);
  ASSERT_NE(copy, nullptr);
  EXPECT_STREQ(copy->resval.rstring, L"text");
  EXPECT_EQ(copy->rbnext->resval.rint, 3);
  EXPECT_EQ(copy->rbnext->rbnext->resval.rreal, 2.5);
  EXPECT_STREQ(copy->rbnext->rbnext->rbnext->resval.rstring, L"0");
  acutRelRb(copy);
}

TEST(Dictionaries, HoldObjectsByKeyAndExtensionDictionariesSurviveSaving) {
  ScratchFolder folder;
  AcDbDatabase db;
  const AcDbObjectId id = addCircle(db, 1.0);
  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForWrite), Acad::eOk);
  ASSERT_EQ(entity->createExtensionDictionary(), Acad::eOk);
  const AcDbObjectId extension = entity->extensionDictionary();
  entity->close();
  AcDbDictionary* dictionary = nullptr;
  ASSERT_EQ(acdbOpenObject(dictionary, extension, AcDb::kForWrite), Acad::eOk);
  AcDbObjectId childId;
  auto* child = new AcDbDictionary;
  ASSERT_EQ(dictionary->setAt(L"SPATIARY", child, childId), Acad::eOk);
  AcDbObject* again = nullptr;
  EXPECT_EQ(acdbOpenAcDbObject(again, childId, AcDb::kForRead), Acad::eWasOpenForWrite);
  EXPECT_EQ(child->ownerId(), extension);
  child->close();
  EXPECT_TRUE(dictionary->has(L"spatiary"));
  dictionary->close();
  ASSERT_EQ(db.saveAs(utf8ToWide((folder / "d.dxf").string()).c_str()), Acad::eOk);
  const RunResult check = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
circle = doc.modelspace()[0]
print(len(doc.audit().errors), circle.has_extension_dict, "SPATIARY" in circle.get_extension_dict())
)py",
                                    {(folder / "d.dxf").string()});
  EXPECT_EQ(check.output, "0 True True\n");
  AcDbDictionary* named = nullptr;
  ASSERT_EQ(db.getNamedObjectsDictionary(named), Acad::eOk);
  AcDbObjectId layouts;
  EXPECT_EQ(named->getAt(L"ACAD_LAYOUT", layouts), Acad::eOk);
  named->close();
}

TEST(Unmodelled, EntitiesNameTheirClassAndKeepTheirLayer) {
  ScratchFolder folder;
  const RunResult made = runPython(R"py(
import sys, ezdxf
doc = ezdxf.new("R2018")
doc.layers.add("HATCHES")
h = doc.modelspace().add_hatch(color=2, dxfattribs={"layer": "HATCHES"})
h.paths.add_polyline_path([(0, 0), (1, 0), (1, 1)], is_closed=True)
doc.saveas(sys.argv[1])
print(h.dxf.handle)
)py",
                                   {(folder / "h.dxf").string()});
  AcDbDatabase db(false);
  ASSERT_EQ(db.dxfIn(utf8ToWide((folder / "h.dxf").string()).c_str()), Acad::eOk);
  AcDbObjectId id;
  ASSERT_EQ(db.getAcDbObjectId(id, false, AcDbHandle(made.output.substr(0, made.output.size() - 1).c_str())),
            Acad::eOk);
  AcDbEntity* hatch = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(hatch, id, AcDb::kForWrite), Acad::eOk);
  EXPECT_EQ(std::wstring(hatch->isA()->name()), L"AcDbHatch");
  EXPECT_EQ(hatch->layer(), L"HATCHES");
  EXPECT_EQ(hatch->setLayer(L"0"), Acad::eOk);
  hatch->close();
  ASSERT_EQ(db.saveAs(utf8ToWide((folder / "out.dxf").string()).c_str()), Acad::eOk);
  const RunResult check = runPython(R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
h = doc.modelspace()[0]
print(len(doc.audit().errors), h.dxf.layer, h.dxf.color, len(h.paths), len(h.paths[0].vertices))
)py",
                                    {(folder / "out.dxf").string()});
  EXPECT_EQ(check.output, "0 0 2 1 3\n");
}

TEST(ErrorStatus, HasTheHostWording) {
  EXPECT_STREQ(acadErrorStatusText(Acad::eOk), L"eOk");
  EXPECT_STREQ(acadErrorStatusText(Acad::eInvalidDxfFile), L"eInvalidDxfFile");
  EXPECT_STREQ(Acad::errorStatusText(Acad::eWasOpenForWrite), L"eWasOpenForWrite");
}

}  // namespace
