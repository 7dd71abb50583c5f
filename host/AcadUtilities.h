// Host-side helpers: questions on the command line, all of the same shape
// (the prompt, the default in angle brackets, the value taken echoed
// back); picks in the drawing; measuring polylines in square metres, square feet, metres or
// feet; coordinates, extents, handles, draw order and plot settings.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "AcDbDatabase.h"
#include "AcDbHandle.h"
#include "AcDbObjectId.h"
#include "Acad.h"
#include "AcGeMatrix3d.h"
#include "AcGePoint3d.h"

class AcDbBlockReference;
class AcDbDatabase;
class AcDbCurve;
class AcDbEntity;
class AcDbPolyline;

class CAcadUtilities {
 public:
  virtual ~CAcadUtilities();

  // The reply "1", "t" ... "yes" is true; Enter keeps the default.
  static void getBoolean(const std::wstring& prompt, bool defaultValue, bool& value);
  static void getDouble(const std::wstring& prompt, double defaultValue, int decimals, double& value);
  static void getInteger(const std::wstring& prompt, int defaultValue, int& value);
  // Both forms ask again until the host takes an answer; a cancel asks
  // again, a cancel of the question asked again (Escape twice, or an input
  // that has ended) ends it.  The reply may be empty.
  static std::wstring getString(const std::wstring& prompt);
  // False when the question was cancelled: the text is then the default.
  static bool getString(const std::wstring& prompt, const std::wstring& defaultText, std::wstring& text);
  // getString without a default; nothing when the question was cancelled.
  static std::optional<std::wstring> askString(const std::wstring& prompt);

  // Picks in the drawing.  A wrong pick is answered with a message and
  // asked again; only Enter or Escape end a pick without an object.
  static constexpr int kPicked = 0;
  static constexpr int kPickCancelled = 16;
  static constexpr int kNoSpacePicked = 13;
  // kPicked with the id of an entity of exactly that class, or kPickCancelled.
  static int selectObjectId(AcDbObjectId& id, const std::wstring& prompt, const std::wstring& className);
  static bool selectObjectId(AcDbObjectId& id, const std::wstring& prompt);
  // Appends what the user selects, block references (spaces) left out.
  static int selectObjectIds(AcDbObjectIdArray& ids, const std::wstring& prompt);
  // kPicked with the handle of a picked block reference, else kNoSpacePicked.
  static int userSelectSpaceHandle(AcDbHandle& handle);
  // Measurements.  insunits is the drawing's $INSUNITS: a length unit it
  // names is the drawing unit; where it names none, lunits ($LUNITS) decides
  // (3 and 4: drawn in inches, else millimetres).  units 0 gives square
  // metres and metres, anything else square feet and feet.
  static double calculatePolylineArea(const AcDbCurve* curve, Adesk::Int16 lunits, int units,
                                      AcDb::UnitsValue insunits = AcDb::kUnitsUndefined);
  // Drawing units in a metre (units 0) or a foot.
  static double lengthDivisor(Adesk::Int16 lunits, int units, AcDb::UnitsValue insunits = AcDb::kUnitsUndefined);
  static double calculatePolylinePerimeter(const AcDbCurve* curve, Adesk::Int16 lunits, int units,
                                           AcDb::UnitsValue insunits = AcDb::kUnitsUndefined);
  // In drawing units, arcs included.
  static double getPolyPerimeter(const AcDbCurve* curve);
  // An outline of a block definition as the reference scales it; a
  // reference scaled differently in x and y has perimeter 0.
  static double recalculateBlockArea(const AcDbBlockReference* reference, const AcDbCurve* curve,
                                     Adesk::Int16 lunits, int units,
                                     AcDb::UnitsValue insunits = AcDb::kUnitsUndefined);
  static double recalculateBlockPerimeter(const AcDbBlockReference* reference, const AcDbCurve* curve,
                                          Adesk::Int16 lunits, int units,
                                          AcDb::UnitsValue insunits = AcDb::kUnitsUndefined);

  // Points between the current UCS and the world.
  static AcGePoint3d convertUCSToWCS(const AcGePoint3d& point);
  static AcGePoint3d convertWCSToUCS(const AcGePoint3d& point);
  // The current UCS's Z axis in world coordinates.
  static AcGeVector3d getUcsNormal();
  // A new reference to the definition at a point of the user coordinate
  // system, turned by the rotation (radians), scale 1, on the normal.
  static std::unique_ptr<AcDbBlockReference> placeReference(AcDbObjectId definition, const AcGePoint3d& position,
                                                            double rotation, const AcGeVector3d& normal,
                                                            AcDbDatabase* database);
  // The box of the first polyline of a block reference's definition, grown
  // by the border and placed by the reference; the points stay as they
  // came for anything else.
  static void getBlockExtents(const AcDbEntity* entity, AcGePoint3d& minimum, AcGePoint3d& maximum, double border);
  // Smallest x and largest y of the vertices (transformed when a matrix is given), z 0.
  static AcGePoint3d getPolylineTopLeft(const AcDbPolyline* polyline, const AcGeMatrix3d* transform = nullptr);
  // The null id when the working drawing has no such object.
  static AcDbObjectId convertHandleToObjectId(const AcDbHandle& handle);
  // Below everything else of its block; left where it is when that fails.
  static void moveEntityToBottom(AcDbEntity* entity);

  // Plot settings from a report: inside the host's range unchanged, else 0.
  static int convertMediaSize(int value);
  static int convertPlotArea(int value);
  static int convertPlotDevice(int value);
  static int convertScale(int value);

  // The value of a space record item: its key, and for the four unit codes
  // its unit, cut off by length without checking them; empty for an unknown
  // code or a text too short to hold key and unit.
  static std::wstring extractData(int code, const std::wstring& text);
};
