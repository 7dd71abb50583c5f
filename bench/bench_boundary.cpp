// Outlining a whole floor drawn as walls in one step (the boundary
// command's Window): N rooms of single wall lines, each with a door
// opening that the gap tolerance closes.  The time should grow with N.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <iostream>
#include <sstream>

#include "BoundaryOutlines.h"
#include "HostSession.h"
#include "dbmain.h"

namespace {

constexpr double kWidth = 5000.0, kDepth = 4000.0;
constexpr int kPerRow = 40;

void addWall(AcDbBlockTableRecord& model, double x1, double y1, double x2, double y2) {
  auto line = std::make_unique<AcDbLine>(AcGePoint3d(x1, y1, 0), AcGePoint3d(x2, y2, 0));
  if (model.appendAcDbEntity(line.get()) != Acad::eOk) return;
  line->setLayer(L"WALLS");
  line.release()->close();
}

// Each room draws its south wall, broken by a door, and its west wall;
// the last row and column close the floor.
void addRoom(AcDbBlockTableRecord& model, int number, int rows) {
  const int column = number % kPerRow, row = number / kPerRow;
  const double x = column * kWidth, y = row * kDepth;
  addWall(model, x, y, x + 1000, y);
  addWall(model, x + 1900, y, x + kWidth, y);
  addWall(model, x, y, x, y + kDepth);
  if (column == kPerRow - 1) addWall(model, x + kWidth, y, x + kWidth, y + kDepth);
  if (row == rows - 1) addWall(model, x, y + kDepth, x + kWidth, y + kDepth);
}

AcDbDatabase& floorOf(int rooms) {
  static std::map<int, std::unique_ptr<AcDbDatabase>> floors;
  auto& floor = floors[rooms];
  if (floor) return *floor;
  floor = std::make_unique<AcDbDatabase>();
  AcDbLayerTable* layers = nullptr;
  floor->getLayerTable(layers, AcDb::kForWrite);
  auto walls = std::make_unique<AcDbLayerTableRecord>();
  walls->setName(L"WALLS");
  if (layers->add(walls.get()) == Acad::eOk) walls.release()->close();
  layers->close();
  AcDbBlockTableRecord* model = nullptr;
  acdbOpenObject(model, floor->modelSpaceId(), AcDb::kForWrite);
  for (int number = 0; number < rooms; ++number) addRoom(*model, number, rooms / kPerRow);
  model->close();
  return *floor;
}

void OutlineFloor(benchmark::State& state) {
  const int rooms = static_cast<int>(state.range(0));
  AcDbDatabase& floor = floorOf(rooms);
  std::ostringstream said;
  HostSession::instance().setOutput(&said);
  BoundaryOptions options;
  options.layers = L"WALLS";  // the outlines made each round do not count
  options.gapTolerance = 1000.0;
  size_t made = 0;
  for (auto _ : state) {
    BoundaryOutlines outlines(floor, options);
    made = outlines.within({-1, -1}, {kPerRow * kWidth + 1, (rooms / kPerRow) * kDepth + 1});
    said.str("");
  }
  HostSession::instance().setOutput(&std::cout);
  state.counters["outlines"] = static_cast<double>(made);
  state.SetComplexityN(rooms);
}

BENCHMARK(OutlineFloor)->Arg(200)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
