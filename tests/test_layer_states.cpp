// Layer states: names cleaned, layers read from and written to the
// drawing, made when missing, and the saved states as other readers see them.
#include <gtest/gtest.h>

#include <memory>

#include "AcApDocManager.h"
#include "TestSupport.h"
#include "TextCodec.h"
#include "dbmain.h"
#include "host/AcadDrawing.h"
#include "host/AcadDrawingState.h"
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

namespace {

// Layers WALLS, DOORS and FURNITURE, and a viewport in the paper space layout "Plan".
const char* const kMakePlan = R"py(
import sys, ezdxf
doc = ezdxf.new("R2018")
for name in ("WALLS", "DOORS", "FURNITURE"):
    doc.layers.add(name)
doc.modelspace().add_line((0, 0), (10, 10), dxfattribs={"layer": "WALLS"})
doc.layouts.rename("Layout1", "Plan")
plan = doc.layouts.get("Plan")
plan.add_viewport(center=(100, 100), size=(150, 100), view_center_point=(5, 5), view_height=20)
doc.saveas(sys.argv[1])
)py";

const char* const kDescribe = R"py(
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
print(len(doc.audit().errors), doc.header["$TILEMODE"])
for layer in sorted(doc.layers, key=lambda l: l.dxf.name):
    print(layer.dxf.name, int(layer.is_on()), int(layer.is_frozen()), int(layer.is_locked()),
          layer.dxf.plot, layer.dxf.lineweight)
for viewport in doc.layouts.get("Plan").viewports():
    print("viewport", viewport.dxf.id, sorted(viewport.frozen_layers), viewport.dxf.view_height,
          tuple(viewport.dxf.view_center_point))
)py";

std::string describe(const std::filesystem::path& path) {
  const RunResult result = runPython(kDescribe, {path.string()});
  EXPECT_EQ(result.exitCode, 0) << result.output;
  return result.output;
}

}  // namespace

TEST(DrawingState, AppliedStatesAreSavedAndReadByOtherPrograms) {
  ScratchFolder folder;
  const auto path = folder / "plan.dxf";
  ASSERT_EQ(runPython(kMakePlan, {path.string()}).exitCode, 0);
  std::vector<std::wstring> views;
  {
    CAcadDrawing drawing(utf8ToWide(folder.path().string()), L"plan.dxf");
    drawing.setSaveOnClose(true);
    CAcadDrawingState state;
    state.getState(drawing);
    EXPECT_EQ(state.getLayoutName(), L"Model");
    EXPECT_NE(state.getLayers().getAtLayer(L"walls"), nullptr);
    state.setLayoutName(L"Plan");
    state.setLayerState(L"walls", 1, 0, 0, 1);
    state.setLayerState(L"Doors", 0, 1, 1, 0);
    state.setLayerState(L"Notes?", 0, 0, 1, 1);
    state.setAllLayerLineWeights(AcDb::kLnWt050);
    state.applyState(drawing, true);
    std::wstring active;
    ASSERT_EQ(acdbLayoutManager()->getActiveLayoutName(active, true), Acad::eOk);
    EXPECT_EQ(active, L"Plan");
    views = drawing.getDocument()->viewOperations();
  }
  EXPECT_EQ(views, std::vector<std::wstring>{L"regen all viewports"});
  EXPECT_EQ(describe(path),
            "0 0\n"
            "0 1 0 0 1 50\n"
            "DOORS 0 0 1 0 50\n"
            "Defpoints 1 0 0 0 50\n"
            "FURNITURE 1 0 0 1 50\n"
            "Notes 0 0 0 1 50\n"
            "VIEWPORTS 1 0 0 1 50\n"
            "WALLS 1 1 0 1 50\n"
            "viewport 2 ['WALLS'] 20.0 (5.0, 5.0, 0.0)\n");
}

TEST(DrawingState, ThawingAndModelSpaceLeaveViewportsAlone) {
  ScratchFolder folder;
  const auto path = folder / "plan.dxf";
  ASSERT_EQ(runPython(kMakePlan, {path.string()}).exitCode, 0);
  {
    CAcadDrawing drawing(utf8ToWide(folder.path().string()), L"plan.dxf");
    drawing.setSaveOnClose(true);
    CAcadDrawingState state;
    state.getState(drawing);
    state.setLayerState(L"WALLS", 1, 0, 0, 1);
    state.applyState(drawing, true);  // in model space: no viewport changes
  }
  EXPECT_NE(describe(path).find("viewport 2 [] 20.0"), std::string::npos);
  {
    CAcadDrawing drawing(utf8ToWide(folder.path().string()), L"plan.dxf");
    drawing.setSaveOnClose(true);
    CAcadDrawingState state;
    state.getState(drawing);
    state.setLayoutName(L"Plan");
    state.applyState(drawing, true);  // freezes WALLS in the viewports
    state.setStateForTakeOff(drawing);
    EXPECT_EQ(state.getLayoutName(), L"Model");
  }
  const std::string described = describe(path);
  EXPECT_NE(described.find("0 1\n"), std::string::npos) << described;
  EXPECT_NE(described.find("WALLS 1 0 0 1"), std::string::npos) << described;
  EXPECT_NE(described.find("viewport 2 ['WALLS'] 20.0"), std::string::npos) << described;
}

TEST_F(Layers, AllOffSwitchesEveryLayerOffAndReturnsToTheStoredLayout) {
  CAcadDrawingState state;
  state.getState(m_drawing);
  state.setLayoutName(L"Layout1");
  state.setStateAllOff(m_drawing);
  AcDbObjectPointer<AcDbLayerTableRecord> zero(db().clayer(), AcDb::kForRead);
  EXPECT_TRUE(zero->isOff());
  std::wstring active;
  acdbLayoutManager()->getActiveLayoutName(active, true);
  EXPECT_EQ(active, L"Layout1");
  EXPECT_EQ(m_document->lockCount(), 0);
}
