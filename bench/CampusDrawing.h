// A campus of N spaces as a planner's drawing holds them: storeys of rooms
// in millimetres, every fifth room with a bay window, made into spaces by
// the module's own creation path, desks standing in every third room; and
// a graphic report that puts every space into one of six categories.
#pragma once

#include <filesystem>
#include <string>

#include "AcDbObjectId.h"

class AcDbDatabase;
class CAcadDrawing;

class CampusDrawing {
 public:
  explicit CampusDrawing(int spaces);

  // Builds the campus in the current document and saves it; then writes
  // the report naming every space by handle.
  void write(const std::filesystem::path& drawingFile, const std::filesystem::path& reportFile);

 private:
  void addDeskBlock(AcDbDatabase& database);
  void addRoom(CAcadDrawing& drawing, int number);
  void addDesk(CAcadDrawing& drawing, double x, double y, int category);
  void writeReport(const std::filesystem::path& reportFile) const;

  int m_spaces;
  AcDbObjectId m_deskId;
  // "<zelphBlock>" entries, one text per category.
  std::string m_entries[6];
  std::string m_assets[6];
};
