// Drawing model space of a floor of N spaces, each its own block with an
// outline and three labels, hatched in model space: the time should grow
// with N and no faster.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "PictureFile.h"
#include "dbmain.h"

namespace {

constexpr double kWidth = 4000.0, kDepth = 3000.0;
constexpr int kPerRow = 100;

AcGePoint2dArray corners(double x, double y) {
  return {AcGePoint2d(x, y), AcGePoint2d(x + kWidth, y), AcGePoint2d(x + kWidth, y + kDepth),
          AcGePoint2d(x, y + kDepth)};
}

void append(AcDbBlockTableRecord& block, AcDbEntity* entity) {
  std::unique_ptr<AcDbEntity> owned(entity);
  if (block.appendAcDbEntity(owned.get()) == Acad::eOk) owned.release()->close();
}

void addSpace(AcDbBlockTable& blocks, AcDbBlockTableRecord& model, int number) {
  const double x = (number % kPerRow) * kWidth, y = (number / kPerRow) * kDepth;
  auto block = std::make_unique<AcDbBlockTableRecord>();
  const std::wstring name = L"ROOM-" + std::to_wstring(number);
  block->setName(name.c_str());
  AcDbObjectId blockId;
  if (blocks.add(blockId, block.get()) != Acad::eOk) return;
  auto* outline = new AcDbPolyline;
  const AcGePoint2dArray points = corners(x, y);
  for (unsigned int i = 0; i < points.size(); ++i) outline->addVertexAt(i, points[i]);
  outline->setClosed(true);
  append(*block, outline);
  block.release()->close();

  auto reference = std::make_unique<AcDbBlockReference>(AcGePoint3d::kOrigin, blockId);
  AcDbObjectId referenceId;
  if (model.appendAcDbEntity(referenceId, reference.get()) != Acad::eOk) return;
  AcDbBlockReference* placed = reference.release();
  const wchar_t* tags[] = {L"NAME", L"AREA", L"AUX"};
  for (int row = 0; row < 3; ++row) {
    auto attribute = std::make_unique<AcDbAttribute>(AcGePoint3d(x + 500, y + 2500 - row * 400, 0),
                                                     (name + L" " + tags[row]).c_str(), tags[row]);
    attribute->setHeight(250);
    if (placed->appendAttribute(attribute.get()) == Acad::eOk) attribute.release()->close();
  }
  placed->close();

  auto hatch = std::make_unique<AcDbHatch>();
  hatch->setPatternScale(500);
  hatch->setPattern(AcDbHatch::kPreDefined, number % 2 == 0 ? L"ANSI31" : L"SOLID");
  hatch->appendLoop(AcDbHatch::kOutermost, points, AcGeDoubleArray(points.size(), 0.0));
  append(model, hatch.release());
}

AcDbDatabase& floorOf(int spaces) {
  static std::map<int, std::unique_ptr<AcDbDatabase>> floors;
  auto& floor = floors[spaces];
  if (floor) return *floor;
  floor = std::make_unique<AcDbDatabase>();
  AcDbBlockTable* blocks = nullptr;
  AcDbBlockTableRecord* model = nullptr;
  floor->getBlockTable(blocks, AcDb::kForWrite);
  acdbOpenObject(model, floor->modelSpaceId(), AcDb::kForWrite);
  for (int number = 1; number <= spaces; ++number) addSpace(*blocks, *model, number);
  model->close();
  blocks->close();
  return *floor;
}

void RenderSpaces(benchmark::State& state) {
  AcDbDatabase& floor = floorOf(static_cast<int>(state.range(0)));
  size_t bytes = 0;
  for (auto _ : state) {
    int width = 0, height = 0;
    const std::string picture = PictureFile::svg(floor, width, height);
    bytes = picture.size();
    benchmark::DoNotOptimize(picture.data());
  }
  state.counters["svg_bytes"] = static_cast<double>(bytes);
  state.SetComplexityN(state.range(0));
}

BENCHMARK(RenderSpaces)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
