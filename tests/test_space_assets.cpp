// Assets: the block references standing in a space, found through its
// outline where the space's reference draws it, and given a hatch, links
// and attribute values in the drawing.
#include <gtest/gtest.h>

#include <sstream>

#include "AcApDocManager.h"
#include "AcApDocument.h"
#include "HostSession.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"
#include "host/AcadDrawing.h"
#include "spaces/Assets.h"
#include "spaces/BlockDWG.h"
#include "support/ZelphExceptions.h"

using namespace spatiary_test;

namespace {

// A room turned a quarter round at (10000, 20000), so it covers x 6500 to
// 10000 and y 20000 to 27000.  In it: a desk with an asset number on the
// layer FURNITURE, a chair across its wall, another space,
// and a changed dynamic table drawn through an anonymous block.  A second
// desk stands where the room would be if it were not turned.
const char* kFloor = R"(
import sys, ezdxf
doc = ezdxf.new()
doc.header["$INSUNITS"] = 4
doc.layers.add("FURNITURE")
doc.blocks.new("ROOM-1").add_lwpolyline([(0, 0), (7000, 0), (7000, 0), (7000, 3500), (0, 3500)], close=True)
doc.blocks.new("ROOM-2").add_lwpolyline([(0, 0), (500, 0), (500, 500)], close=True)
desk = doc.blocks.new("DESK")
desk.add_lwpolyline([(0, 0), (1600, 0), (1600, 800), (0, 800)], close=True)
desk.add_attdef("ASSET_NO", (0, 0))
doc.blocks.new("CHAIR").add_circle((0, 0), 300)
table = doc.blocks.new("TABLE")
table.add_circle((0, 0), 500)
changed = doc.blocks.new_anonymous_block("U")
changed.add_circle((0, 0), 600)
doc.appids.new("AcDbBlockRepBTag")
changed.block_record.set_xdata("AcDbBlockRepBTag", [(1070, 1), (1005, table.block_record.dxf.handle)])
msp = doc.modelspace()
msp.add_blockref("ROOM-1", (10000, 20000), dxfattribs={"rotation": 90})
msp.add_blockref("DESK", (7000, 22000), dxfattribs={"layer": "FURNITURE"}).add_auto_attribs({"ASSET_NO": "A-17"})
msp.add_blockref("CHAIR", (10000, 24000))
msp.add_blockref("ROOM-2", (8000, 25000))
msp.add_blockref(changed.name, (8000, 26000))
msp.add_blockref("DESK", (12000, 22000))
msp.add_circle((8000, 21000), 100)
doc.saveas(sys.argv[1])
)";

class SpaceAssets : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto source = folder / "floor.dxf";
    const RunResult made = runPython(kFloor, {source.string()});
    ASSERT_EQ(made.exitCode, 0) << made.output;
    ASSERT_EQ(acDocManager->appContextOpenDocument(utf8ToWide(source.string()).c_str()), Acad::eOk);
    HostSession::instance().setOutput(&transcript);
    drawing.bindCurrentDocument();
  }
  void TearDown() override { HostSession::instance().setOutput(&std::cout); }

  // The first model-space entity whose block (or class, for others) is named so.
  AcDbObjectId find(const std::wstring& blockName) {
    AcDbObjectPointer<AcDbBlockTableRecord> space(drawing.getDatabase()->modelSpaceId(), AcDb::kForRead);
    for (const AcDbObjectId& id : space->entityIds()) {
      AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
      std::wstring name = entity->isA()->name();
      if (auto* reference = AcDbBlockReference::cast(entity.object())) {
        AcDbObjectPointer<AcDbBlockTableRecord> block(reference->blockTableRecord(), AcDb::kForRead);
        block->getName(name);
      }
      if (name == blockName) return id;
    }
    return AcDbObjectId::kNull;
  }

  std::unique_ptr<CBlockDWGRoom> room(bool withAssets) {
    AcDbObjectPointer<AcDbBlockReference> reference(find(L"ROOM-1"), AcDb::kForRead);
    return std::make_unique<CBlockDWGRoom>(reference.object(), drawing.getDocument(), withAssets);
  }

  ScratchFolder folder;
  std::ostringstream transcript;
  CAcadDrawing drawing;
};

TEST_F(SpaceAssets, ARoomCollectsTheBlocksInItsOutlineButNoSpaces) {
  EXPECT_EQ(room(false)->getAssets(), nullptr);
  const auto space = room(true);
  const CAssets* assets = space->getAssets();
  ASSERT_NE(assets, nullptr);
  std::wstring names;
  for (int index = 0; index < assets->getCount(); ++index) names += assets->getAt(index)->getBlockIdentifier() + L" ";
  EXPECT_EQ(names, L"DESK CHAIR TABLE ");
  const CAsset* desk = assets->getAt(0);
  EXPECT_EQ(desk->getObjectId(), find(L"DESK"));
  EXPECT_EQ(desk->getHandle(), find(L"DESK").handle());
  EXPECT_EQ(desk->getKind(), CAsset::kFoundInDrawing);
  EXPECT_EQ(desk->getLocationId(), 0);
  EXPECT_DOUBLE_EQ(desk->getX(), 7000.0);
  EXPECT_DOUBLE_EQ(desk->getY(), 22000.0);
  EXPECT_TRUE(desk->getBlockDescription().empty());
  ASSERT_NE(desk->getAttributes(), nullptr);
  ASSERT_NE(desk->getAttributes()->getAtAttribute(L"ASSET_NO"), nullptr);
  EXPECT_EQ(desk->getAttributes()->getAtAttribute(L"ASSET_NO")->getValue(), L"A-17");
  EXPECT_EQ(desk->getAttributes()->getAtAttribute(L"ASSET_NO")->getKind(), -1);

  // Copies own everything they hold.
  CBlockDWG copy;
  space->copyInto(&copy);
  ASSERT_NE(copy.getAssets(), nullptr);
  ASSERT_EQ(copy.getAssets()->getCount(), 3);
  EXPECT_NE(copy.getAssets()->getAt(0), desk);
  EXPECT_NE(copy.getAssets()->getAt(0)->getAttributes(), desk->getAttributes());
  EXPECT_EQ(copy.getAssets()->getAt(0)->getAttributes()->getAtAttribute(L"ASSET_NO")->getValue(), L"A-17");
}

const char* kReadApplied = R"(
import sys, ezdxf
from ezdxf import bbox
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
print("FURNITURE on", doc.layers.get("FURNITURE").is_on(), "locked", doc.layers.get("FURNITURE").is_locked())
for hatch in msp.query("HATCH"):
    box = bbox.extents([hatch])
    print("hatch", hatch.dxf.layer, hatch.dxf.pattern_name, hatch.dxf.color, round(box.extmin.x), round(box.extmin.y),
          round(box.extmax.x), round(box.extmax.y), hatch.get_hyperlink()[0])
desk = msp.query('INSERT[name=="DESK"]')[0]
print("desk", desk.get_hyperlink(), desk.get_attrib_text("ASSET_NO"), desk.attribs[0].get_hyperlink()[0])
print("definition", [e.get_hyperlink()[0] for e in doc.blocks.get("DESK") if e.dxftype() != "ATTDEF"])
print("circle", msp.query("CIRCLE")[0].has_hyperlink())
)";

TEST_F(SpaceAssets, AnAppliedAssetIsHatchedLinkedAndRelabelledOnItsLayerSwitchedOn) {
  const auto space = room(true);
  {
    AcDbLayerTable* table = nullptr;
    ASSERT_EQ(drawing.getDatabase()->getLayerTable(table, AcDb::kForRead), Acad::eOk);
    AcDbLayerTableRecord* furniture = nullptr;
    ASSERT_EQ(table->getAt(L"FURNITURE", furniture, AcDb::kForWrite), Acad::eOk);
    table->close();
    furniture->setIsOff(true);
    furniture->close();
  }
  CHatch hatch;
  hatch.setPattern(L"ANSI31");
  hatch.setScale(10);
  hatch.setLayer(L"HATCH-ASSETS");
  AcCmColor green;
  green.setColorIndex(3);
  hatch.setColour(green);
  CAsset desk;
  space->getAssets()->getAt(0)->copyTo(desk);
  desk.setObjectId(space->getAssets()->getAt(0)->getObjectId());
  desk.setHatch(&hatch);
  auto links = std::make_unique<CHyperlinks>();
  links->add(std::make_unique<CHyperlink>(L"http://assets/A-17", L"Desk"));
  desk.setHyperlinks(std::move(links));
  desk.getAttributes()->getAtAttribute(L"ASSET_NO")->setValue(L"A-18");
  CZelphExceptions errors;
  desk.applyToDWG(drawing, errors);
  EXPECT_EQ(errors.count(), 0);

  // Something that is not a block reference gets neither hatch nor links.
  CAsset circle;
  circle.setObjectId(find(L"AcDbCircle"));
  circle.setHatch(&hatch);
  circle.setHyperlinks(std::make_unique<CHyperlinks>());
  circle.getHyperlinks()->add(std::make_unique<CHyperlink>(L"http://nowhere", L""));
  circle.applyToDWG(drawing, errors);
  EXPECT_EQ(errors.count(), 0);

  const auto saved = folder / "applied.dxf";
  ASSERT_EQ(drawing.getDatabase()->saveAs(utf8ToWide(saved.string()).c_str()), Acad::eOk);
  const RunResult read = runPython(kReadApplied, {saved.string()});
  ASSERT_EQ(read.exitCode, 0) << read.output;
  EXPECT_EQ(read.output,
            "FURNITURE on True locked False\n"
            "hatch HATCH-ASSETS ANSI31 3 7000 22000 8600 22800 http://assets/A-17\n"
            "desk ('http://assets/A-17', 'Desk', '') A-18 http://assets/A-17\n"
            "definition ['http://assets/A-17']\n"
            "circle False\n");
}

TEST_F(SpaceAssets, AHatchTooSparseIsReportedWithTheAssetAndStillDrawn) {
  const auto space = room(true);
  CHatch hatch;
  hatch.setPattern(L"ANSI31");
  hatch.setScale(100000);
  CAsset desk;
  space->getAssets()->getAt(0)->copyTo(desk);
  desk.setObjectId(space->getAssets()->getAt(0)->getObjectId());
  desk.setHatch(&hatch);
  CZelphExceptions errors;
  desk.applyToDWG(drawing, errors);
  ASSERT_EQ(errors.count(), 1);
  const std::wstring message = errors.getAt(0)->getMessage();
  EXPECT_NE(message.find(L"asset - " + find(L"DESK").handle().ascii()), std::wstring::npos) << message;
  EXPECT_NE(find(L"AcDbHatch"), AcDbObjectId::kNull);
}

TEST(ReportAssets, ASpaceOfAReportReadsItsLinksAndAssetsAndCategoryAssetsKeepTheHatch) {
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(R"(
<zelphBlock>
  <mbHandle>2A7</mbHandle>
  <hyperlinks>
    <hyperlink><bhHref>http://plans/1</bhHref><bhDescription>Plan</bhDescription></hyperlink>
    <!-- a note -->
    <hyperlink><bhHref>http://plans/1</bhHref><bhDescription>Again</bhDescription></hyperlink>
  </hyperlinks>
  <assets>
    <asset>
      <locationID>12</locationID><handle>3F</handle><blockIdentifier>DESK</blockIdentifier>
      <blockDescription>Desk</blockDescription><uniqueDescription>Desk 12</uniqueDescription>
      <pointX>7000.5</pointX><pointY>22000</pointY>
    </asset>
    <other/>
    <asset/>
  </assets>
</zelphBlock>)"));
  CBlockDWG space;
  space.deSerialize(document.first_child(), nullptr);
  ASSERT_NE(space.getHyperlinks(), nullptr);
  ASSERT_EQ(space.getHyperlinks()->getCount(), 1);
  EXPECT_EQ(space.getHyperlinks()->getAt(0)->getDescription(), L"Plan");
  ASSERT_NE(space.getAssets(), nullptr);
  ASSERT_EQ(space.getAssets()->getCount(), 2) << "assets are always appended, an empty one too";
  const CAsset* desk = space.getAssets()->getAt(0);
  EXPECT_EQ(desk->getLocationId(), 12);
  EXPECT_EQ(desk->getHandle(), AcDbHandle(L"3F"));
  EXPECT_EQ(desk->getBlockIdentifier(), L"DESK");
  EXPECT_EQ(desk->getBlockDescription(), L"Desk");
  EXPECT_EQ(desk->getUniqueDescription(), L"Desk 12");
  EXPECT_DOUBLE_EQ(desk->getX(), 7000.5);
  EXPECT_DOUBLE_EQ(desk->getY(), 22000.0);
  EXPECT_EQ(desk->getHatch(), nullptr);

  // A category's assets refer to its hatch; copies own one of their own.
  CHatch hatch;
  hatch.setPattern(L"ANSI31");
  CAssets assets;
  assets.deSerialize(document.first_child().child("assets"), &hatch);
  ASSERT_EQ(assets.getCount(), 2);
  EXPECT_EQ(assets.getAt(0)->getHatch(), &hatch);
  CAssets copies;
  assets.copyTo(copies);
  ASSERT_NE(copies.getAt(0)->getHatch(), nullptr);
  EXPECT_NE(copies.getAt(0)->getHatch(), &hatch);
  EXPECT_EQ(copies.getAt(0)->getHatch()->getPattern(), L"ANSI31");
  EXPECT_EQ(copies.getAt(0)->getLocationId(), 12);
}

}  // namespace
