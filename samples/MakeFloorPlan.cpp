// Writes the sample floor plan: one storey of an office in millimetres,
// every room a closed polyline, the storey outline around them.
//
//   make_floorplan OUT.dxf
#include <cstdio>
#include <string>
#include <vector>

#include "AcCmColor.h"
#include "AcDbBlockTable.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbCircle.h"
#include "AcDbDatabase.h"
#include "AcDbLayerTable.h"
#include "AcDbLayerTableRecord.h"
#include "AcDbPolyline.h"
#include "AcDbText.h"
#include "AcGePoint2d.h"
#include "AcGePoint3d.h"
#include "TextCodec.h"

namespace {

struct Vertex {
  double x, y, bulge;
};

struct Outline {
  const ACHAR* layer;
  std::vector<Vertex> vertices;
};

// 24 m by 14 m; a corridor along y 6000-8000 with offices on both sides and
// a meeting room whose far wall is a bay window (a half-circle bulge).
const std::vector<Outline> kOutlines = {
    {L"A-FLOR-OTLN", {{0, 0, 0}, {24000, 0, 0}, {24000, 12000, 1.0}, {24000, 14000, 0}, {0, 14000, 0}}},
    {L"A-AREA", {{0, 0, 0}, {6000, 0, 0}, {6000, 6000, 0}, {0, 6000, 0}}},
    {L"A-AREA", {{6000, 0, 0}, {12000, 0, 0}, {12000, 6000, 0}, {6000, 6000, 0}}},
    {L"A-AREA", {{12000, 0, 0}, {18000, 0, 0}, {18000, 6000, 0}, {12000, 6000, 0}}},
    {L"A-AREA", {{18000, 0, 0}, {24000, 0, 0}, {24000, 6000, 0}, {18000, 6000, 0}}},
    {L"A-AREA", {{0, 6000, 0}, {24000, 6000, 0}, {24000, 8000, 0}, {0, 8000, 0}}},
    {L"A-AREA", {{0, 8000, 0}, {8000, 8000, 0}, {8000, 14000, 0}, {0, 14000, 0}}},
    {L"A-AREA", {{8000, 8000, 0}, {16000, 8000, 0}, {16000, 14000, 0}, {8000, 14000, 0}}},
    {L"A-AREA", {{16000, 8000, 0}, {24000, 8000, 0}, {24000, 12000, 1.0}, {24000, 14000, 0}, {16000, 14000, 0}}},
};

const Outline kLegendFrame = {L"A-ANNO-TEXT", {{26000, 8000, 0}, {34000, 8000, 0}, {34000, 14000, 0}, {26000, 14000, 0}}};

void addLayer(AcDbDatabase& db, const ACHAR* name, std::uint16_t colour) {
  AcDbLayerTable* layers = nullptr;
  if (db.getLayerTable(layers, AcDb::kForWrite) != Acad::eOk) return;
  if (!layers->has(name)) {
    auto* layer = new AcDbLayerTableRecord;
    layer->setName(name);
    AcCmColor color;
    color.setColorIndex(colour);
    layer->setColor(color);
    if (layers->add(layer) == Acad::eOk)
      layer->close();
    else
      delete layer;
  }
  layers->close();
}

AcDbPolyline* makePolyline(const Outline& outline) {
  auto* polyline = new AcDbPolyline(static_cast<unsigned int>(outline.vertices.size()));
  unsigned int index = 0;
  for (const auto& vertex : outline.vertices)
    polyline->addVertexAt(index++, AcGePoint2d(vertex.x, vertex.y), vertex.bulge);
  polyline->setClosed(true);
  return polyline;
}

// Layers are looked up by name in the entity's database, so the layer is
// set once the entity is in it.
void append(AcDbBlockTableRecord* space, AcDbEntity* entity, const ACHAR* layer) {
  if (space->appendAcDbEntity(entity) != Acad::eOk) {
    delete entity;
    return;
  }
  entity->setLayer(layer);
  entity->close();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_floorplan OUT.dxf\n");
    return 2;
  }
  AcDbDatabase db;
  addLayer(db, L"A-FLOR-OTLN", 7);
  addLayer(db, L"A-AREA", 3);
  addLayer(db, L"A-ANNO-TEXT", 2);

  AcDbBlockTableRecord* modelSpace = nullptr;
  if (acdbOpenObject(modelSpace, db.modelSpaceId(), AcDb::kForWrite) != Acad::eOk) return 1;
  for (const auto& outline : kOutlines) append(modelSpace, makePolyline(outline), outline.layer);
  auto* title = new AcDbText(AcGePoint3d(0, -1500, 0), L"Level 1 - Office", AcDbObjectId::kNull, 500.0);
  append(modelSpace, title, L"A-ANNO-TEXT");
  // Where the report's legend and pie chart go, once made marker blocks.
  append(modelSpace, makePolyline(kLegendFrame), L"A-ANNO-TEXT");
  append(modelSpace, new AcDbCircle(AcGePoint3d(30000, 3000, 0), AcGeVector3d::kZAxis, 2500), L"A-ANNO-TEXT");
  modelSpace->close();

  const std::wstring path = utf8ToWide(argv[1]);
  if (db.saveAs(path.c_str()) != Acad::eOk) {
    std::fprintf(stderr, "%s\n", wideToUtf8(db.lastErrorMessage()).c_str());
    return 1;
  }
  return 0;
}
