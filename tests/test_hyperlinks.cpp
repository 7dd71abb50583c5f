// Hyperlink lists and hatch settings: unique addresses, copies that add
// only what is missing; the links the host keeps on entities, as other
// programs read and write them.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"
#include "spaces/BlockDWG.h"
#include "spaces/Hatch.h"
#include "spaces/Hyperlinks.h"

namespace {

std::unique_ptr<CHyperlink> link(const std::wstring& address, const std::wstring& description = L"") {
  return std::make_unique<CHyperlink>(address, description);
}

TEST(Hyperlinks, AddressesAreUniqueExactly) {
  CHyperlinks links;
  EXPECT_TRUE(links.add(link(L"http://plans/a", L"first")));
  EXPECT_FALSE(links.add(link(L"http://plans/a", L"second")));
  EXPECT_TRUE(links.add(link(L"HTTP://PLANS/A")));
  ASSERT_EQ(links.getCount(), 2);
  EXPECT_EQ(links.getAt(0)->getDescription(), L"first");
  EXPECT_EQ(links.getAt(2), nullptr);
  links.deleteObjects();
  EXPECT_EQ(links.getCount(), 0);
  EXPECT_TRUE(links.add(link(L"http://plans/a"))) << "emptied lists forget their addresses";
}

TEST(Hyperlinks, CopyAddsOnlyMissingAddressesInOrder) {
  CHyperlinks source;
  source.add(link(L"a", L"A"));
  source.add(link(L"b", L"B"));
  source.add(link(L"c", L"C"));
  CHyperlinks target;
  target.add(link(L"b", L"held"));
  source.copyTo(target);
  ASSERT_EQ(target.getCount(), 3);
  EXPECT_EQ(target.getAt(0)->getDescription(), L"held");
  EXPECT_EQ(target.getAt(1)->getAddress(), L"a");
  EXPECT_EQ(target.getAt(2)->getAddress(), L"c");
}

TEST(Hatch, CopyTakesEverySetting) {
  CHatch source;
  source.setPattern(L"ANSI31");
  source.setAngle(45);
  source.setScale(20);
  source.setLayer(L"HATCH-OFFICE");
  AcCmColor red;
  red.setColorIndex(1);
  source.setColour(red);
  CHatch target;
  source.copyTo(target);
  EXPECT_EQ(target.getPattern(), L"ANSI31");
  EXPECT_EQ(target.getAngle(), 45);
  EXPECT_EQ(target.getScale(), 20);
  EXPECT_EQ(target.getLayer(), L"HATCH-OFFICE");
  EXPECT_EQ(target.getColour(), red);
}


// ---- Hyperlinks the host keeps on entities ----

using namespace spatiary_test;

AcDbObjectId addCircle(AcDbDatabase& db) {
  AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForWrite);
  auto circle = std::make_unique<AcDbCircle>(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, 1.0);
  AcDbObjectId id;
  EXPECT_EQ(space->appendAcDbEntity(id, circle.get()), Acad::eOk);
  circle.release()->close();
  return id;
}

void setLinks(AcDbObjectId id, const AcDbHyperlinkCollection& links) {
  AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
  ASSERT_TRUE(entity);
  EXPECT_EQ(AcDbEntityHyperlinkPE().setHyperlinkCollection(entity.object(), &links), Acad::eOk);
}

// "address|description|sub-location" for each link, in order.
std::vector<std::wstring> linksOf(AcDbObjectId id, bool oneOnly = false) {
  AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
  std::unique_ptr<AcDbHyperlinkCollection> links;
  EXPECT_EQ(AcDbEntityHyperlinkPE().getHyperlinkCollection(entity.object(), links, oneOnly), Acad::eOk);
  std::vector<std::wstring> texts;
  for (int i = 0; links && i < links->count(); ++i)
    texts.push_back(links->item(i)->name() + L"|" + links->item(i)->description() + L"|" +
                    links->item(i)->subLocation());
  return texts;
}

// The first entity of model space in a drawing read from the file.
AcDbObjectId firstEntity(AcDbDatabase& db) {
  AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForRead);
  const AcDbObjectIdArray ids = space->entityIds();
  return ids.empty() ? AcDbObjectId::kNull : ids.front();
}

const char* kReadFirstLink = R"(
import sys, ezdxf
for entity in ezdxf.readfile(sys.argv[1]).modelspace():
    print(entity.get_hyperlink())
)";

TEST(EntityHyperlinks, SavedLinksReadBackInOrderAndOtherProgramsSeeTheFirst) {
  ScratchFolder folder;
  const auto saved = folder / "links.dxf";
  {
    AcDbDatabase db;
    const AcDbObjectId id = addCircle(db);
    AcDbHyperlinkCollection links;
    links.addTail(L"http://plans/room-1", L"Room sheet", L"Level 2");
    links.addTail(L"file:///docs/lease.pdf", L"");
    links.addTail(L"http://plans/fire", L"Fire plan");
    setLinks(id, links);
    ASSERT_EQ(db.saveAs(utf8ToWide(saved.string()).c_str()), Acad::eOk);
  }
  AcDbDatabase db(false);
  ASSERT_EQ(db.dxfIn(utf8ToWide(saved.string()).c_str()), Acad::eOk);
  const std::vector<std::wstring> expected = {L"http://plans/room-1|Room sheet|Level 2",
                                              L"file:///docs/lease.pdf||", L"http://plans/fire|Fire plan|"};
  EXPECT_EQ(linksOf(firstEntity(db)), expected);
  EXPECT_EQ(linksOf(firstEntity(db), true), std::vector<std::wstring>(expected.begin(), expected.begin() + 1));
  const RunResult read = runPython(kReadFirstLink, {saved.string()});
  ASSERT_EQ(read.exitCode, 0) << read.output;
  EXPECT_EQ(read.output, "('http://plans/room-1', 'Room sheet', 'Level 2')\n");
}

TEST(EntityHyperlinks, AFirstLinkWithoutDescriptionIsNotTakenForTheNext) {
  ScratchFolder folder;
  const auto saved = folder / "links.dxf";
  AcDbDatabase db;
  const AcDbObjectId id = addCircle(db);
  AcDbHyperlinkCollection links;
  links.addTail(L"http://a", L"");
  links.addTail(L"http://b", L"B");
  setLinks(id, links);
  EXPECT_EQ(linksOf(id), (std::vector<std::wstring>{L"http://a||", L"http://b|B|"}));
  ASSERT_EQ(db.saveAs(utf8ToWide(saved.string()).c_str()), Acad::eOk);
  const RunResult read = runPython(kReadFirstLink, {saved.string()});
  ASSERT_EQ(read.exitCode, 0) << read.output;
  EXPECT_EQ(read.output, "('http://a', '', '')\n");
}

TEST(EntityHyperlinks, LinksSetByOtherProgramsAreRead) {
  ScratchFolder folder;
  const auto source = folder / "other.dxf";
  const RunResult made = runPython(R"(
import sys, ezdxf
doc = ezdxf.new()
msp = doc.modelspace()
msp.add_circle((0, 0), 1).set_hyperlink("http://only")
msp.add_circle((0, 0), 2).set_hyperlink("http://described", "Described")
msp.add_circle((0, 0), 3).set_hyperlink("http://placed", "Placed", "View 1")
msp.add_circle((0, 0), 4)
doc.saveas(sys.argv[1])
)",
                                   {source.string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  AcDbDatabase db(false);
  ASSERT_EQ(db.dxfIn(utf8ToWide(source.string()).c_str()), Acad::eOk);
  AcDbObjectPointer<AcDbBlockTableRecord> space(db.modelSpaceId(), AcDb::kForRead);
  const AcDbObjectIdArray ids = space->entityIds();
  space.close();
  ASSERT_EQ(ids.size(), 4u);
  EXPECT_EQ(linksOf(ids[0]), std::vector<std::wstring>{L"http://only||"});
  EXPECT_EQ(linksOf(ids[1]), std::vector<std::wstring>{L"http://described|Described|"});
  EXPECT_EQ(linksOf(ids[2]), std::vector<std::wstring>{L"http://placed|Placed|View 1"});
  EXPECT_TRUE(linksOf(ids[3]).empty());
  AcDbObjectPointer<AcDbEntity> none(ids[3], AcDb::kForRead);
  bool has = true;
  EXPECT_EQ(AcDbEntityHyperlinkPE().hasHyperlink(none.object(), has), Acad::eOk);
  EXPECT_FALSE(has);
}

TEST(EntityHyperlinks, AnEmptyListRemovesTheLinksAndKeepsOtherData) {
  AcDbDatabase db;
  const AcDbObjectId id = addCircle(db);
  {
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
    acdbRegApp(L"ADE", &db);
    resbuf* record = acutBuildList(1001, L"ADE", 1000, L"AREA=1sq.m.", 0);
    EXPECT_EQ(entity->setXData(record), Acad::eOk);
    acutRelRb(record);
  }
  AcDbHyperlinkCollection links;
  links.addTail(L"http://a", L"A");
  setLinks(id, links);
  unsigned int count = 0;
  {
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
    EXPECT_EQ(AcDbEntityHyperlinkPE().getHyperlinkCount(entity.object(), count), Acad::eOk);
  }
  EXPECT_EQ(count, 1u);
  setLinks(id, AcDbHyperlinkCollection());
  EXPECT_TRUE(linksOf(id).empty());
  AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForRead);
  resbuf* url = entity->xData(L"PE_URL");
  resbuf* ade = entity->xData(L"ADE");
  EXPECT_EQ(url, nullptr);
  EXPECT_NE(ade, nullptr);
  acutRelRb(url);
  acutRelRb(ade);
  EXPECT_EQ(AcDbEntityHyperlinkPE().setHyperlinkCollection(nullptr, &links), Acad::eNullObjectPointer);
}

TEST(SpaceHyperlinks, ComeFromTheReferenceOrItsDefinitionAndAreWrittenOverWhole) {
  ScratchFolder folder;
  const auto source = folder / "door.dxf";
  const RunResult made = runPython(R"(
import sys, ezdxf
doc = ezdxf.new()
door = doc.blocks.new("ROOM-1")
door.add_lwpolyline([(0, 0), (10, 0), (10, 10)], close=True).set_hyperlink("http://def/outline", "Outline")
door.add_circle((0, 0), 1).set_hyperlink("http://def/circle")
door.add_line((0, 0), (1, 1)).set_hyperlink("http://def/outline", "Again")
doc.modelspace().add_blockref("ROOM-1", (0, 0)).set_hyperlink("http://ref", "Reference")
doc.saveas(sys.argv[1])
)",
                                   {source.string()});
  ASSERT_EQ(made.exitCode, 0) << made.output;
  AcDbDatabase db(false);
  ASSERT_EQ(db.dxfIn(utf8ToWide(source.string()).c_str()), Acad::eOk);
  AcDbObjectPointer<AcDbBlockReference> reference(firstEntity(db), AcDb::kForRead);
  ASSERT_TRUE(reference);
  const auto addresses = [](const CHyperlinks& links) {
    std::wstring text;
    for (int index = 0; index < links.getCount(); ++index)
      text += links.getAt(index)->getAddress() + L"=" + links.getAt(index)->getDescription() + L" ";
    return text;
  };
  CHyperlinks own, definition;
  own.getBlockHyperlinks(reference.object(), 0);
  definition.getBlockHyperlinks(reference.object(), 1);
  EXPECT_EQ(addresses(own), L"http://ref=Reference ");
  EXPECT_EQ(addresses(definition), L"http://def/outline=Outline http://def/circle= ");

  // A space read from its reference carries the reference's own links; a
  // copy has a list of its own.
  const CBlockDWG space(reference.object(), nullptr);
  ASSERT_NE(space.getHyperlinks(), nullptr);
  EXPECT_EQ(addresses(*space.getHyperlinks()), L"http://ref=Reference ");
  CBlockDWG copy;
  copy.setHyperlinks(std::make_unique<CHyperlinks>());
  space.copyInto(&copy);
  ASSERT_NE(copy.getHyperlinks(), space.getHyperlinks());
  EXPECT_EQ(addresses(*copy.getHyperlinks()), L"http://ref=Reference ");
  CBlock values;
  values = space;
  EXPECT_EQ(values.getHyperlinks(), nullptr) << "values are copied, the link list is not";

  // Writing a list replaces what the entity had.
  reference.close();
  AcDbObjectPointer<AcDbEntity> entity(firstEntity(db), AcDb::kForWrite);
  CHyperlinks replacement;
  replacement.add(std::make_unique<CHyperlink>(L"http://new/a", L"A"));
  replacement.add(std::make_unique<CHyperlink>(L"http://new/b", L""));
  replacement.applyToEntity(entity.object());
  entity.close();
  EXPECT_EQ(linksOf(firstEntity(db)), (std::vector<std::wstring>{L"http://new/a|A|", L"http://new/b||"}));
}

}  // namespace
