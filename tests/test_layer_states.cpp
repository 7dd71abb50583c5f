// Layer states: names cleaned, layers read from and written to the
// drawing, made when missing, and the saved states as other readers see them.
#include <gtest/gtest.h>

#include <memory>

#include "AcApDocManager.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"
#include "host/AcadDrawing.h"
#include "host/Layer.h"
#include "host/Layers.h"

using namespace spatiary_test;

namespace {

class Layers : public testing::Test {
 protected:
  void SetUp() override {
    m_document = acDocManager->newDocument();
    m_drawing.bindCurrentDocument();
  }
  void TearDown() override { acDocManager->closeDocument(m_document); }
  AcDbDatabase& db() { return *m_document->database(); }
  bool hasLayer(const std::wstring& name) {
    AcDbObjectPointer<AcDbLayerTable> table(db().layerTableId(), AcDb::kForRead);
    return table->has(name.c_str());
  }
  std::string saved(const ScratchFolder& folder) {
    const auto path = folder / "layers.dxf";
    EXPECT_EQ(db().saveAs(utf8ToWide(path.string()).c_str()), Acad::eOk);
    return path.string();
  }

  AcApDocument* m_document = nullptr;
  CAcadDrawing m_drawing;
};

}  // namespace

TEST(LayerNames, LoseOnlyTheCharactersALayerCannotHold) {
  EXPECT_EQ(CLayer::validateLayerName(L"Zone<A>/1;2"), L"ZoneA12");
  EXPECT_EQ(CLayer::validateLayerName(L"A:B|C"), L"A:B|C");
  EXPECT_EQ(CLayer::validateLayerName(L"\\\"?*,=`"), L"");
  CLayer layer;
  layer.setName(L"Walls?");
  EXPECT_EQ(layer.getName(), L"Walls");
  EXPECT_EQ(layer.isChanged(), 1);
}

TEST(LayerList, KeepsOneLayerOfAnExactNameAndFindsNamesIgnoringCase) {
  CLayers layers;
  auto walls = std::make_unique<CLayer>();
  walls->setName(L"WALLS");
  layers.add(std::move(walls));
  auto again = std::make_unique<CLayer>();
  again->setName(L"WALLS");
  layers.add(std::move(again));
  auto lower = std::make_unique<CLayer>();
  lower->setName(L"walls2");
  layers.add(std::move(lower));
  EXPECT_EQ(layers.count(), 2);
  ASSERT_NE(layers.getAtLayer(L"walls"), nullptr);
  EXPECT_EQ(layers.getAtLayer(L"walls")->getName(), L"WALLS");
  EXPECT_EQ(layers.getAtLayer(L"doors"), nullptr);
  layers.deleteObjects();
  EXPECT_EQ(layers.count(), 0);
  EXPECT_EQ(layers.getAtLayer(L"walls"), nullptr);
}

TEST_F(Layers, MissingLayersAreMadeAfterTheirNameIsCleaned) {
  std::wstring name = L"Hatch<1>";
  EXPECT_EQ(CLayer::ensureLayerExists(name, m_drawing), 1);
  EXPECT_EQ(name, L"Hatch1");
  EXPECT_TRUE(hasLayer(L"Hatch1"));
  EXPECT_EQ(m_document->lockCount(), 0);
  EXPECT_EQ(CLayer::ensureLayerExists(name, m_drawing), 1);

  CLayers layers;
  AcCmColor red;
  red.setColorIndex(1);
  std::wstring legend = L"Legend*";
  EXPECT_EQ(layers.ensureLayerExists(m_drawing, legend, red), 0);  // only inside the lock
  EXPECT_EQ(legend, L"Legend");
  EXPECT_FALSE(hasLayer(L"Legend"));
  ASSERT_EQ(m_drawing.lock(), Acad::eOk);
  EXPECT_EQ(layers.ensureLayerExists(m_drawing, legend, red), 1);
  m_drawing.unlock();
  AcDbObjectPointer<AcDbLayerTable> table(db().layerTableId(), AcDb::kForRead);
  AcDbLayerTableRecord* record = nullptr;
  ASSERT_EQ(table->getAt(L"Legend", record, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(record->color().colorIndex(), 1);
  record->close();
  std::wstring empty = L"<>";
  EXPECT_EQ(CLayer::ensureLayerExists(empty, m_drawing), 0);
}

TEST_F(Layers, AreReadUpperCasedAndWrittenBackWhenChanged) {
  std::wstring name = L"Walls";
  CLayer::ensureLayerExists(name, m_drawing);
  CLayers layers;
  ASSERT_EQ(layers.getDWGLayers(m_drawing), Acad::eOk);
  EXPECT_EQ(m_document->lockCount(), 0);
  CLayer* walls = layers.getAtLayer(L"walls");
  ASSERT_NE(walls, nullptr);
  EXPECT_EQ(walls->getName(), L"WALLS");
  EXPECT_EQ(walls->isChanged(), 0);
  EXPECT_FALSE(walls->getObjectId().isNull());
  walls->setFrozen(1);
  walls->setLineWeight(AcDb::kLnWt050);
  layers.applyToDWG(m_drawing);
  AcDbObjectPointer<AcDbLayerTableRecord> record(walls->getObjectId(), AcDb::kForRead);
  EXPECT_TRUE(record->isFrozen());
  EXPECT_EQ(record->lineWeight(), AcDb::kLnWt050);
  EXPECT_EQ(record->name(), L"Walls");
  AcDbObjectIdArray thawed, frozen;
  layers.getFrozenThawedIds(thawed, frozen);
  EXPECT_EQ(frozen, AcDbObjectIdArray{walls->getObjectId()});
  EXPECT_EQ(thawed.size(), 1u);  // layer 0
}
