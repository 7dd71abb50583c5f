// A drawing: its objects by handle, its tables and dictionaries, its header
// variables, and DXF load and save.
#pragma once

#include <memory>
#include <string>

#include "Acad.h"
#include "AcDbHandle.h"
#include "AcDbObjectId.h"
#include "AcGePoint3d.h"
#include "AcGeVector3d.h"

class AcDbObject;
class AcDbBlockTable;
class AcDbLayerTable;
class AcDbLinetypeTable;
class AcDbRegAppTable;
class AcDbTextStyleTable;
class AcDbSymbolTable;
class AcDbDictionary;
class AcDbHandleTable;
class DxfHeader;
struct DxfFile;
class DxfHeader;
class ModelSpaceIndex;
class BlockExtents;
class UndoHistory;

namespace AcDb {
// $INSUNITS; any value a file gives is held (one no unit has reads as unitless).
enum UnitsValue : int {
  kUnitsUndefined = 0, kUnitsInches = 1, kUnitsFeet = 2, kUnitsMiles = 3, kUnitsMillimeters = 4,
  kUnitsCentimeters = 5, kUnitsMeters = 6, kUnitsKilometers = 7
};
// $MEASUREMENT
enum MeasurementValue { kEnglish = 0, kMetric = 1 };
}  // namespace AcDb

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
  // One line saying how the file read differs from what a save writes (a
  // binary file is saved as ASCII, an older version as the host's); empty
  // when it is saved as it came.
  std::wstring conversionNote() const;
  // The file last read or written; empty for a new drawing.
  const std::wstring& filename() const;
  // Whether anything changed since the drawing was made, read or saved
  // (the host's DBMOD).
  bool isModified() const;

  // Linear unit display format ($LUNITS): 3 and 4 are feet-and-inches.
  Adesk::Int16 lunits() const;
  void setLunits(Adesk::Int16 value);
  AcDb::UnitsValue insunits() const;
  void setInsunits(AcDb::UnitsValue units);
  AcDb::MeasurementValue measurement() const;
  void setMeasurement(AcDb::MeasurementValue value);
  // The global linetype scale ($LTSCALE), by which every dash is drawn
  // longer; 1 when the file gives none or one that is not positive.
  double ltscale() const;
  Acad::ErrorStatus setLtscale(double scale);
  // The size of arrowheads of dimensions and leaders ($DIMASZ); 2.5 in a
  // metric drawing and 0.18 in an imperial one that gives none.
  double dimasz() const;
  // The overall scale of dimensions and leaders ($DIMSCALE); 1 when the
  // file gives none or one that is not positive.
  double dimscale() const;
  // The linetype scale new entities take ($CELTSCALE).
  double celtscale() const;
  // How points show ($PDMODE): 0 a dot, 1 nothing, 2 a plus, 3 a cross,
  // 4 a tick, with 32 added a circle round it and with 64 a square.
  Adesk::Int16 pdmode() const;
  // Their size ($PDSIZE): positive in drawing units, negative a percentage
  // of the view's height, 0 for 5 % of it.
  double pdsize() const;
  Acad::ErrorStatus setCeltscale(double scale);
  // The current UCS of model space ($UCSORG, $UCSXDIR, $UCSYDIR); the
  // world's when the file has none or gives axes that are no coordinate
  // system.  The axes come back as unit vectors.
  AcGePoint3d ucsorg() const;
  AcGeVector3d ucsxdir() const;
  AcGeVector3d ucsydir() const;
  // eInvalidInput for axes that are zero or not perpendicular.
  Acad::ErrorStatus setUcs(const AcGePoint3d& origin, const AcGeVector3d& xAxis, const AcGeVector3d& yAxis);
  // $TILEMODE: 1 while model space is the current layout (also when the file has none).
  int tilemode() const;
  void setTilemode(int tilemode);
  // The paper space layout last made current; null for the one of *Paper_Space.
  AcDbObjectId currentPaperLayout() const;
  void setCurrentPaperLayout(AcDbObjectId layout);
  // Object sorting methods ($SORTENTS, bits 1 to 64); 127 when the file has none.
  Adesk::UInt8 sortEnts() const;
  void setSortEnts(Adesk::UInt8 value);
  // The drawing's identity ($FINGERPRINTGUID), a GUID in braces.  A drawing
  // that has none (a new one, or a file from a program that writes none)
  // is given one here; saving keeps it.
  std::wstring fingerprintGuid() const;
  // The format of the file ($ACADVER, "AC1032").
  std::wstring acadver() const;

  // The handle the next new object gets ($HANDSEED).
  AcDbHandle handseed() const;
  // Whether so many new objects can still be given handles: an addition
  // that makes several objects asks first, so it never stops half done.
  bool hasHandlesFor(size_t objects) const;
  // The current layer ($CLAYER), given to new entities.
  AcDbObjectId clayer() const;
  Acad::ErrorStatus setClayer(AcDbObjectId layer);

  AcDbObjectId blockTableId() const;
  AcDbObjectId layerTableId() const;
  AcDbObjectId linetypeTableId() const;
  AcDbObjectId regAppTableId() const;
  AcDbObjectId textStyleTableId() const;
  AcDbObjectId namedObjectsDictionaryId() const;
  // The ACAD_LAYOUT dictionary of the named objects; null when missing.
  AcDbObjectId layoutDictionaryId() const;
  AcDbObjectId modelSpaceId() const;
  AcDbObjectId paperSpaceId() const;
  AcDbObjectId currentSpaceId() const { return modelSpaceId(); }
  AcDbObjectId byLayerLinetype() const;
  AcDbObjectId byBlockLinetype() const;
  AcDbObjectId continuousLinetype() const;

  // Open the table; close it when done.
  Acad::ErrorStatus getBlockTable(AcDbBlockTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
  Acad::ErrorStatus getLayerTable(AcDbLayerTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
  Acad::ErrorStatus getLinetypeTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
  Acad::ErrorStatus getRegAppTable(AcDbRegAppTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
  Acad::ErrorStatus getTextStyleTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
  Acad::ErrorStatus getSymbolTable(AcDbBlockTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
  Acad::ErrorStatus getSymbolTable(AcDbLayerTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
  Acad::ErrorStatus getSymbolTable(AcDbLinetypeTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
  Acad::ErrorStatus getSymbolTable(AcDbRegAppTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
  Acad::ErrorStatus getSymbolTable(AcDbTextStyleTable*& table, AcDb::OpenMode mode = AcDb::kForRead);
  Acad::ErrorStatus getNamedObjectsDictionary(AcDbDictionary*& dictionary, AcDb::OpenMode mode = AcDb::kForRead);
  // The named objects' "ACAD_TABLESTYLE" dictionary; it and its "Standard"
  // style are made when the drawing lacks them.
  Acad::ErrorStatus getTableStyleDictionary(AcDbDictionary*& dictionary, AcDb::OpenMode mode = AcDb::kForRead);

  // The object id of a handle, by hash lookup.  With createIfNotFound an
  // id is made for a handle no object has yet (it stays invalid until an
  // object takes it); otherwise eUnknownHandle.
  Acad::ErrorStatus getAcDbObjectId(AcDbObjectId& id, bool createIfNotFound, const AcDbHandle& handle,
                                    Adesk::UInt32 xRefId = 0);
  // Gives a new object to the database, with a new handle above $HANDSEED.
  // The object is left open for write; its owner is the caller's to set.
  Acad::ErrorStatus addAcDbObject(AcDbObjectId& id, AcDbObject* object);
  Acad::ErrorStatus addAcDbObject(AcDbObject* object);

  // Where model space's entities stand, kept up to date with the objects
  // opened for write.
  ModelSpaceIndex& modelSpaceIndex();
  // The extents of block definitions, kept until the drawing changes.
  BlockExtents& blockExtents();
  // What the commands changed, for undo, redo and rolling back a failure.
  UndoHistory& undoHistory();
  // For reading and writing the drawing's file: its objects by handle, and
  // what is kept of the file.
  AcDbHandleTable& handleTable() const;
  DxfFile& dxfFile() const;
  // Finds the tables, the spaces and the standard records again, as the
  // file's reader reads them.
  void setStandardIds();

  // Defined in AcDbDatabase.cpp.
  struct Impl;

 private:
  friend class AcDbObject;
  friend class UndoHistory;

  void noteChange(AcDbObjectId changed);
  // The header, once the undo record has what it held.
  DxfHeader& changeHeader();
  AcDbObjectId& currentPaperLayoutSlot();
  void forgetModelSpaceIndex();
  Acad::ErrorStatus fail(Acad::ErrorStatus status, std::wstring message);
  AcGePoint3d headerPoint(const char* name, const AcGePoint3d& fallback) const;
  // A positive real header variable; the fallback when missing or not positive.
  double headerScale(const char* name, double fallback = 1.0) const;
  Acad::ErrorStatus setHeaderScale(const char* name, double scale);
  // Both axes, or the world's when the header's are no coordinate system.
  void ucsAxes(AcGeVector3d& xAxis, AcGeVector3d& yAxis) const;

  std::unique_ptr<Impl> m_impl;
};
