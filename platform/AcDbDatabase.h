// A drawing: its objects by handle, its tables and dictionaries, its header
// variables, and DXF load and save.
#pragma once

#include <memory>
#include <string>

#include "Acad.h"

class AcDbDatabase {
 public:
  // buildDefaultDrawing: the tables, layer "0", model and paper space and
  // the dictionaries every drawing has, in millimetre units.
  explicit AcDbDatabase(bool buildDefaultDrawing = true, bool noDocument = false);
  ~AcDbDatabase();
  AcDbDatabase(const AcDbDatabase&) = delete;
  AcDbDatabase& operator=(const AcDbDatabase&) = delete;

  // Reads an ASCII DXF file into this (empty) database.  A malformed file is
  // refused with eInvalidDxfFile and lastErrorMessage() naming the line.
  Acad::ErrorStatus dxfIn(const ACHAR* path);
  // Writes DXF to a temporary file beside the path and renames it into
  // place, so a failed save leaves an existing file whole.
  Acad::ErrorStatus dxfOut(const ACHAR* path);
  // The host's save: DXF whatever the extension.
  Acad::ErrorStatus saveAs(const ACHAR* path);
  const std::wstring& lastErrorMessage() const;

  // Linear unit display format ($LUNITS): 3 and 4 are feet-and-inches.
  Adesk::Int16 lunits() const;
  void setLunits(Adesk::Int16 value);

  // Defined in AcDbDatabase.cpp.
  struct Impl;

 private:
  std::unique_ptr<Impl> m_impl;
};
