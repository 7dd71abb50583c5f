// The spaces of a drawing as an IFC4 file for facility systems: a project in
// the drawing's units, a site, a building, one storey per gross-area space
// (with its gross floor area) holding the rooms whose outlines lie in it,
// and one IfcSpace per room with the base quantities of its record, its
// occupancy, its other record items and its footprint and body.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ifc/IfcGlobalId.h"

class AcDbDatabase;
class CBlockDWG;
class CBlocks;
class CIfcFootprint;
class CIfcShapes;
class CIfcUnits;
class CStepFile;

class CIfcSpaceExport {
 public:
  // projectName: what the project and, unless a building space names it, the
  // building are called (the drawing's name); application: what wrote it.
  CIfcSpaceExport(AcDbDatabase* database, const std::wstring& projectName, const std::wstring& application);
  ~CIfcSpaceExport();
  CIfcSpaceExport(const CIfcSpaceExport&) = delete;
  CIfcSpaceExport& operator=(const CIfcSpaceExport&) = delete;

  // The whole file for the spaces of the collection; fileName goes into its
  // header, timestamp (ISO 8601) too.
  std::string write(const CBlocks& spaces, const std::wstring& fileName, const std::string& timestamp);
  int spaceCount() const { return m_spaceCount; }
  int storeyCount() const { return m_storeyCount; }

 private:
  struct Storey;

  void sortSpaces(const CBlocks& spaces);
  void readStoreys();
  bool projectInFeet() const;
  Storey& storeyOf(const CIfcFootprint& footprint);
  void placeStorey(Storey& storey, int buildingPlacement);
  void writeSpace(const CBlockDWG& space, Storey& storey, const CIfcFootprint& footprint);
  void writeSpaceQuantities(const CBlockDWG& space, const CIfcFootprint& footprint, int spaceId);
  void writeOccupancy(const CBlockDWG& space, int spaceId);
  void writeRecordItems(const CBlockDWG& space, int spaceId);
  int writeStorey(Storey& storey);
  int writeQuantities(const std::wstring& name, const std::vector<int>& quantities, const CBlockDWG& owner,
                      int ownerId);
  void link(CIfcGlobalId::Role role, std::uint64_t handle, int propertySet, int ownerId);
  int quantity(int kind, const wchar_t* name, int unit, double value);
  int aggregate(CIfcGlobalId::Role role, std::uint64_t handle, int whole, const std::vector<int>& parts);
  // The project, site and building over the storeys.
  void writeStructure(const std::vector<int>& storeys, int sitePlacement, int buildingPlacement);
  static bool hasRecord(const CBlockDWG& space);
  static bool feet(const CBlockDWG& space);
  std::wstring id(CIfcGlobalId::Role role, std::uint64_t handle) const;

  AcDbDatabase* m_database;
  std::wstring m_projectName;
  std::wstring m_application;
  CIfcGlobalId m_ids;
  std::unique_ptr<CStepFile> m_file;
  std::unique_ptr<CIfcUnits> m_units;
  std::unique_ptr<CIfcShapes> m_shapes;
  std::vector<const CBlockDWG*> m_rooms;
  std::vector<const CBlockDWG*> m_floors;
  const CBlockDWG* m_building = nullptr;
  const CBlockDWG* m_site = nullptr;
  std::vector<Storey> m_storeys;
  int m_spaceCount = 0;
  int m_storeyCount = 0;
};
