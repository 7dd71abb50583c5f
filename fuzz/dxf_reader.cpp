// The DXF reader over arbitrary text.  A drawing it accepts must survive
// being saved twice (once as read, once with every entity and block
// rewritten from its fields) and come back with as many entities; every
// entity of model space is measured, through all its blocks' nesting, and
// drawn.
#include <cstdlib>
#include <limits>

#include "AcDbBlockTable.h"
#include "AcDbBlockTableRecord.h"
#include "AcDbDatabase.h"
#include "FuzzFiles.h"
#include "FuzzTarget.h"
#include "ModelSpaceIndex.h"
#include "PictureFile.h"

namespace {

void touchForWrite(AcDbObjectId id) {
  AcDbObject* object = nullptr;
  if (acdbOpenObject(object, id, AcDb::kForWrite) == Acad::eOk) object->close();
}

// The number of entities in every block; with rewrite, each is opened for
// write on the way, so the save writes it from its fields.
size_t countEntities(AcDbDatabase& database, bool rewrite) {
  AcDbBlockTable* table = nullptr;
  if (database.getBlockTable(table) != Acad::eOk) return 0;
  const AcDbObjectIdArray blocks = table->recordIds();
  table->close();
  size_t count = 0;
  for (const AcDbObjectId& block : blocks) {
    AcDbBlockTableRecord* record = nullptr;
    if (acdbOpenObject(record, block) != Acad::eOk) continue;
    const AcDbObjectIdArray entities = record->entityIds();
    record->close();
    count += entities.size();
    if (!rewrite) continue;
    touchForWrite(block);
    for (const AcDbObjectId& entity : entities) touchForWrite(entity);
  }
  return count;
}

void requireReload(AcDbDatabase& database, const std::string& path, size_t entities) {
  const std::wstring wide(path.begin(), path.end());
  if (database.saveAs(wide.c_str()) != Acad::eOk) std::abort();
  AcDbDatabase reloaded(false, true);
  if (reloaded.dxfIn(wide.c_str()) != Acad::eOk) std::abort();
  if (countEntities(reloaded, false) != entities) std::abort();
}

}  // namespace

SPATIARY_FUZZ_TARGET(dxf_reader) {
  const std::string input = spatiary_fuzz::writeScratchFile("input.dxf", data, size);
  const std::wstring path(input.begin(), input.end());
  AcDbDatabase database(false, true);
  if (database.dxfIn(path.c_str()) != Acad::eOk) return 0;
  const std::string saved = spatiary_fuzz::scratchFolder() + "/saved.dxf";
  const double most = std::numeric_limits<double>::max();
  (void)database.modelSpaceIndex().touching(ModelSpaceIndex::Box{-most, -most, most, most});
  const size_t entities = countEntities(database, false);
  int width = 0, height = 0;
  (void)PictureFile::svg(database, width, height);
  requireReload(database, saved, entities);
  countEntities(database, true);
  requireReload(database, saved, entities);
  return 0;
}
