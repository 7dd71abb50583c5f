// DXF as the drawings' file format: the reader, the writer and the drawing a
// new database starts from.  It installs itself when the platform loads.
#pragma once

#include "DrawingFormat.h"

class DxfDrawingFormat : public DrawingFormat {
 public:
  void read(AcDbDatabase& database, std::string text) const override;
  void readDefault(AcDbDatabase& database) const override;
  bool write(const AcDbDatabase& database, const Sink& sink) const override;
};
