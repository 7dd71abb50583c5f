#include "DxfClassRegistry.h"

#include "AcDb2dPolyline.h"
#include "AcDb2dVertex.h"
#include "AcDbArc.h"
#include "AcDbAttribute.h"
#include "AcDbAttributeDefinition.h"
#include "AcDbBlockBegin.h"
#include "AcDbBlockEnd.h"
#include "AcDbBlockReference.h"
#include "AcDbBlockTable.h"
#include "AcDbCircle.h"
#include "AcDbDictionary.h"
#include "AcDbArcDimension.h"
#include "AcDbDimension.h"
#include "AcDbRadialDimensionLarge.h"
#include "AcDbEllipse.h"
#include "AcDbHatch.h"
#include "AcDbLayerTable.h"
#include "AcDbLayout.h"
#include "AcDbLine.h"
#include "AcDbLinetypeTable.h"
#include "AcDbMInsertBlock.h"
#include "AcDbMText.h"
#include "AcDbPoint.h"
#include "AcDbPolyline.h"
#include "AcDbRegAppTable.h"
#include "AcDbSequenceEnd.h"
#include "AcDbSolid.h"
#include "AcDbSortentsTable.h"
#include "AcDbSpline.h"
#include "AcDbTable.h"
#include "AcDbText.h"
#include "AcDbTextStyleTable.h"
#include "AcDbViewport.h"
#include "AcDbUnmodelledEntity.h"
#include "AcDbUnmodelledObject.h"
#include "AcDbUnmodelledRecord.h"
#include "DxfKindRegistry.h"
#include "DxfObjectTags.h"

namespace {

struct Row {
  DxfClassRegistry::Place place;
  std::string_view type;
  std::unique_ptr<AcDbObject> (*make)();
  // Where one type holds several classes, the last subclass marker picks.
  std::string_view marker = std::string_view();
};

template <class T>
std::unique_ptr<AcDbObject> make() {
  return std::make_unique<T>();
}

using Place = DxfClassRegistry::Place;

// Tables are named by their group 2, everything else by group 0.
const Row kRows[] = {
    {Place::Entity, "LWPOLYLINE", make<AcDbPolyline>},
    {Place::Entity, "CIRCLE", make<AcDbCircle>},
    {Place::Entity, "LINE", make<AcDbLine>},
    {Place::Entity, "ARC", make<AcDbArc>},
    {Place::Entity, "ELLIPSE", make<AcDbEllipse>},
    {Place::Entity, "SPLINE", make<AcDbSpline>},
    {Place::Entity, "POINT", make<AcDbPoint>},
    {Place::Entity, "SOLID", make<AcDbSolid>},
    {Place::Entity, "DIMENSION", make<AcDbDimension>},
    {Place::Entity, "ARC_DIMENSION", make<AcDbArcDimension>},
    {Place::Entity, "LARGE_RADIAL_DIMENSION", make<AcDbRadialDimensionLarge>},
    {Place::Entity, "HATCH", make<AcDbHatch>},
    {Place::Entity, "TEXT", make<AcDbText>},
    {Place::Entity, "ATTRIB", make<AcDbAttribute>},
    {Place::Entity, "ATTDEF", make<AcDbAttributeDefinition>},
    {Place::Entity, "INSERT", make<AcDbMInsertBlock>, "AcDbMInsertBlock"},
    {Place::Entity, "INSERT", make<AcDbBlockReference>},
    {Place::Entity, "ACAD_TABLE", AcDbTable::carried},
    {Place::Entity, "MTEXT", make<AcDbMText>},
    {Place::Entity, "SEQEND", make<AcDbSequenceEnd>},
    {Place::Entity, "POLYLINE", make<AcDb2dPolyline>, "AcDb2dPolyline"},
    {Place::Entity, "VERTEX", make<AcDb2dVertex>, "AcDb2dVertex"},
    {Place::Entity, "VIEWPORT", make<AcDbViewport>},
    {Place::Entity, "BLOCK", make<AcDbBlockBegin>},
    {Place::Entity, "ENDBLK", make<AcDbBlockEnd>},
    {Place::Object, "DICTIONARY", make<AcDbDictionary>},
    {Place::Object, "SORTENTSTABLE", make<AcDbSortentsTable>},
    {Place::Object, "LAYOUT", make<AcDbLayout>},
    {Place::Record, "LAYER", make<AcDbLayerTableRecord>},
    {Place::Record, "LTYPE", make<AcDbLinetypeTableRecord>},
    {Place::Record, "APPID", make<AcDbRegAppTableRecord>},
    {Place::Record, "STYLE", make<AcDbTextStyleTableRecord>},
    {Place::Record, "BLOCK_RECORD", make<AcDbBlockTableRecord>},
    {Place::Table, "LAYER", make<AcDbLayerTable>},
    {Place::Table, "LTYPE", make<AcDbLinetypeTable>},
    {Place::Table, "APPID", make<AcDbRegAppTable>},
    {Place::Table, "STYLE", make<AcDbTextStyleTable>},
    {Place::Table, "BLOCK_RECORD", make<AcDbBlockTable>},
};

std::string_view tableName(const std::vector<DxfTag>& tags) {
  for (const DxfTag& tag : tags)
    if (tag.code == 2) return tag.value;
  return std::string_view();
}

}  // namespace

std::unique_ptr<AcDbObject> DxfClassRegistry::create(const std::vector<DxfTag>& tags, Place place) {
  const std::string_view type = place == Place::Table ? tableName(tags) : tags.front().value;
  const std::string_view marker = DxfObjectTags::lastMarker(tags);
  for (const Row& row : kRows)
    if (row.place == place && row.type == type && (row.marker.empty() || row.marker == marker)) return row.make();
  switch (place) {
    case Place::Entity:
      return std::make_unique<AcDbUnmodelledEntity>(
          DxfKindRegistry::kind(type, marker, AcDbUnmodelledEntity::desc()));
    case Place::Record:
      return std::make_unique<AcDbUnmodelledRecord>(
          DxfKindRegistry::kind(type, marker, AcDbUnmodelledRecord::desc()));
    case Place::Table:
      return std::make_unique<AcDbSymbolTable>();
    case Place::Object:
      break;
  }
  return std::make_unique<AcDbUnmodelledObject>(DxfKindRegistry::kind(type, marker, AcDbUnmodelledObject::desc()));
}
