#include "DxfDrawingFormat.h"

#include "DxfDefaultDrawing.h"
#include "DxfReader.h"
#include "DxfWriter.h"

namespace {
[[maybe_unused]] const bool kInstalled = [] {
  static const DxfDrawingFormat format;
  DrawingFormat::install(format);
  return true;
}();
}  // namespace

void DxfDrawingFormat::read(AcDbDatabase& database, std::string text) const { DxfReader(database).read(std::move(text)); }

void DxfDrawingFormat::readDefault(AcDbDatabase& database) const {
  DxfReader(database).read(std::string(DxfDefaultDrawing::text()));
}

bool DxfDrawingFormat::write(const AcDbDatabase& database, const Sink& sink) const {
  return DxfWriter(database, sink).write();
}
