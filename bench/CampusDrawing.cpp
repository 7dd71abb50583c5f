#include "CampusDrawing.h"

#include <fstream>
#include <memory>
#include <stdexcept>

#include "AcApDocManager.h"
#include "TextCodec.h"
#include "dbmain.h"
#include "host/AcadDrawing.h"
#include "spaces/BlockDWG.h"
#include "tools/SpaceOutline.h"

namespace {

constexpr int kRoomsPerStorey = 100;
constexpr int kStoreysPerRow = 32;
constexpr double kCellWidth = 7000.0, kCellDepth = 5500.0;
constexpr double kStoreyWidth = 10 * kCellWidth + 10000.0, kStoreyDepth = 10 * kCellDepth + 10000.0;
constexpr double kRoomDepth = 4500.0, kBayBulge = 0.25;
constexpr double kTextSize = 250.0;

struct Category {
  const char* title;
  const char* pattern;
  const char* colour;
  int scale;
  int angle;
};
constexpr Category kCategories[6] = {
    {"Offices", "ANSI31", "#2f6fbf", 2000, 0},  {"Meeting", "SOLID", "#f2c14e", 1, 0},
    {"Stores", "ANSI37", "#8c5a2b", 3000, 0},   {"Circulation", "DOTS", "#7f7f7f", 3000, 0},
    {"Laboratories", "ANSI31", "#3a9a5b", 2000, 90}, {"Plant", "SOLID", "#b03a2e", 1, 0},
};

void require(Acad::ErrorStatus status, const char* what) {
  if (status != Acad::eOk) throw std::runtime_error(std::string("campus: ") + what + " failed");
}

AcDbPolyline* rectangle(double x, double y, double width, double depth, double topBulge) {
  auto* outline = new AcDbPolyline;
  outline->addVertexAt(0, AcGePoint2d(x, y));
  outline->addVertexAt(1, AcGePoint2d(x + width, y));
  outline->addVertexAt(2, AcGePoint2d(x + width, y + depth), topBulge);
  outline->addVertexAt(3, AcGePoint2d(x, y + depth));
  outline->setClosed(true);
  return outline;
}

}  // namespace

CampusDrawing::CampusDrawing(int spaces) : m_spaces(spaces) {}

void CampusDrawing::write(const std::filesystem::path& drawingFile, const std::filesystem::path& reportFile) {
  AcApDocument* document = acDocManager->newDocument();
  if (document == nullptr) throw std::runtime_error("campus: no new document");
  CAcadDrawing drawing;
  drawing.bindCurrentDocument();
  addDeskBlock(*drawing.getDatabase());
  for (int number = 1; number <= m_spaces; ++number) addRoom(drawing, number);
  require(acDocManager->saveDocument(document, utf8ToWide(drawingFile.string()).c_str()), "saving");
  acDocManager->closeDocument(document);
  writeReport(reportFile);
}

void CampusDrawing::addDeskBlock(AcDbDatabase& database) {
  AcDbBlockTable* blocks = nullptr;
  require(database.getBlockTable(blocks, AcDb::kForWrite), "opening the block table");
  auto desk = std::make_unique<AcDbBlockTableRecord>();
  desk->setName(L"DESK");
  require(blocks->add(m_deskId, desk.get()), "adding DESK");
  AcDbBlockTableRecord* record = desk.release();
  std::unique_ptr<AcDbEntity> top(rectangle(0, 0, 1200, 600, 0.0));
  require(record->appendAcDbEntity(top.get()), "drawing the desk");
  top.release()->close();
  record->close();
  blocks->close();
}

void CampusDrawing::addRoom(CAcadDrawing& drawing, int number) {
  const int storey = (number - 1) / kRoomsPerStorey, cell = (number - 1) % kRoomsPerStorey;
  const double x = (storey % kStoreysPerRow) * kStoreyWidth + (cell % 10) * kCellWidth;
  const double y = (storey / kStoreysPerRow) * kStoreyDepth + (cell / 10) * kCellDepth;
  const double width = 3000.0 + (number % 4) * 1000.0;
  std::unique_ptr<AcDbEntity> outline(rectangle(x, y, width, kRoomDepth, number % 5 == 0 ? kBayBulge : 0.0));
  AcDbObjectId outlineId;
  require(drawing.postToDrawing(outline, outlineId), "posting an outline");

  CSpaceOutline picked(outlineId, 0, 2);
  if (!picked.prepare(drawing, AcGePoint3d(x + 500.0, y + kRoomDepth - 800.0, 0.0)))
    throw std::runtime_error("campus: an outline could not be prepared");
  CBlockDWGRoom room;
  const std::wstring numberText = std::to_wstring(number);
  picked.fillSpace(room, L"Room " + numberText, L"ROOM-" + numberText, kTextSize, 1.0, 0.0, false);
  require(picked.createBlockReference(room, drawing, kTextSize, 1.0, 0.0), "creating a space");

  const int category = number % 6;
  m_entries[category] += "<zelphBlock><mbHandle>" + room.getObjectId().handle().asciiUtf8() +
                         "</mbHandle><mbSwapAux>Dept " + std::to_string(number % 40) + "</mbSwapAux></zelphBlock>\n";
  if (number % 3 == 0) addDesk(drawing, x + 800.0, y + 800.0, category);
}

void CampusDrawing::addDesk(CAcadDrawing& drawing, double x, double y, int category) {
  std::unique_ptr<AcDbEntity> desk(new AcDbBlockReference(AcGePoint3d(x, y, 0.0), m_deskId));
  AcDbObjectId id;
  require(drawing.postToDrawing(desk, id), "posting a desk");
  m_assets[category] +=
      "<asset><handle>" + id.handle().asciiUtf8() + "</handle><blockIdentifier>DESK</blockIdentifier></asset>\n";
}

void CampusDrawing::writeReport(const std::filesystem::path& reportFile) const {
  std::ofstream report(reportFile, std::ios::binary);
  report << "<?xml version=\"1.0\"?>\n<graphicReport><grTitle>Campus occupancy</grTitle>"
         << "<grTotalChildAreas>0</grTotalChildAreas><categories>\n";
  for (int index = 0; index < 6; ++index) {
    const Category& category = kCategories[index];
    report << "<category><cID>" << index + 1 << "</cID><cTitle>" << category.title << "</cTitle><cHatchPattern>"
           << category.pattern << "</cHatchPattern><cHatchColour>" << category.colour << "</cHatchColour><cHatchScale>"
           << category.scale << "</cHatchScale><cHatchAngle>" << category.angle << "</cHatchAngle><cHatchLayer>HATCH-"
           << category.title << "</cHatchLayer>\n<zelphBlocks>\n"
           << m_entries[index] << "</zelphBlocks>\n<assets>\n"
           << m_assets[index] << "</assets></category>\n";
  }
  report << "</categories></graphicReport>\n";
  if (!report) throw std::runtime_error("campus: the report could not be written");
}
