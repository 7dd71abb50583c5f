// A hatch: a pattern of parallel line families, or a solid fill, bounded
// by loops in the plane of its normal at its elevation.  The file keeps
// the pattern lines as drawn (rotated and scaled), so another program
// draws the hatch without knowing the pattern.
#pragma once

#include <string>
#include <vector>

#include "AcDbEntity.h"
#include "AcGeDoubleArray.h"
#include "AcGePoint2d.h"
#include "AcGeVector3d.h"
#include "DxfTagList.h"
#include "HatchLoop.h"

class AcDbPolyline;

class AcDbHatch : public AcDbEntity {
  ACRX_DECLARE_MEMBERS(AcDbHatch)

 public:
  enum HatchPatternType { kUserDefined = 0, kPreDefined = 1, kCustomDefined = 2 };
  enum HatchStyle { kNormal = 0, kOuter = 1, kIgnore = 2 };
  enum HatchLoopType {
    kDefault = HatchLoop::kDefault, kExternal = HatchLoop::kExternal, kPolyline = HatchLoop::kPolyline,
    kDerived = HatchLoop::kDerived, kTextbox = HatchLoop::kTextbox, kOutermost = HatchLoop::kOutermost,
    kNotClosed = HatchLoop::kNotClosed, kSelfIntersecting = HatchLoop::kSelfIntersecting,
    kTextIsland = HatchLoop::kTextIsland, kDuplicate = HatchLoop::kDuplicate
  };

  AcDbHatch();

  // Radians.  Angle and scale apply to the pattern lines at once.
  double patternAngle() const;
  Acad::ErrorStatus setPatternAngle(double angle);
  double patternScale() const { return m_scale; }
  Acad::ErrorStatus setPatternScale(double scale);
  bool patternDouble() const { return m_double; }
  Acad::ErrorStatus setPatternDouble(bool isDouble);
  HatchPatternType patternType() const { return m_patternType; }
  std::wstring patternName() const { return m_patternName; }
  // A predefined pattern the host has (HatchPatterns), SOLID for a fill;
  // eInvalidInput for another name or type, and nothing changes.
  Acad::ErrorStatus setPattern(HatchPatternType type, const ACHAR* name);
  bool isSolidFill() const { return m_solid; }

  bool associative() const { return m_associative; }
  Acad::ErrorStatus setAssociative(bool isAssociative);
  HatchStyle hatchStyle() const { return m_style; }
  Acad::ErrorStatus setHatchStyle(HatchStyle style);
  AcGeVector3d normal() const { return m_normal; }
  Acad::ErrorStatus setNormal(const AcGeVector3d& normal);
  double elevation() const { return m_elevation.z; }
  Acad::ErrorStatus setElevation(double elevation);

  int numLoops() const { return static_cast<int>(m_loops.size()); }
  // From closed polylines (one loop of their vertices and bulges) or
  // circles (one loop of a full arc), read now; eInvalidInput for an open
  // or unsupported boundary, eWasErased for an erased one.  An associative
  // hatch keeps the ids.
  Acad::ErrorStatus appendLoop(Adesk::Int32 loopType, const AcDbObjectIdArray& ids);
  // From a closed polyline that need not be in a drawing, such as a copy of
  // a block's outline placed where the block draws it.
  Acad::ErrorStatus appendLoop(Adesk::Int32 loopType, const AcDbPolyline& boundary);
  Acad::ErrorStatus appendLoop(Adesk::Int32 loopType, const AcGePoint2dArray& vertices, const AcGeDoubleArray& bulges);
  Acad::ErrorStatus appendLoop(Adesk::Int32 loopType, const std::vector<HatchEdge>& edges);
  Acad::ErrorStatus removeLoopAt(int index);
  Adesk::Int32 loopTypeAt(int index) const;
  // A polyline loop; eInvalidInput for an edge loop.
  Acad::ErrorStatus getLoopAt(int index, Adesk::Int32& loopType, AcGePoint2dArray& vertices,
                              AcGeDoubleArray& bulges) const;
  // An edge loop; eInvalidInput for a polyline loop.
  Acad::ErrorStatus getLoopAt(int index, Adesk::Int32& loopType, std::vector<HatchEdge>& edges) const;

  // The pattern lines as drawn: angle in radians, base point, offset to
  // the next line, dashes, all in the hatch's plane.
  int numPatternDefinitions() const { return static_cast<int>(m_lines.size()); }
  Acad::ErrorStatus getPatternDefinitionAt(int index, double& angle, double& baseX, double& baseY, double& offsetX,
                                           double& offsetY, AcGeDoubleArray& dashes) const;

  int numSeedPoints() const { return static_cast<int>(m_seeds.size()); }
  AcGePoint2d getSeedPointAt(int index) const;
  Acad::ErrorStatus appendSeedPoint(const AcGePoint2d& point);

  // Whether the pattern can be drawn over the loops: eOk,
  // Acad::eHatchTooDense, Acad::eHatchNotDenseEnough, or eInvalidInput
  // without loops or lines.  An associative hatch reads its boundary
  // objects again first.
  Acad::ErrorStatus evaluateHatch(bool underEstimateNumLines = false);

  Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

 protected:
  ACDB_DECLARE_DXF_FIELDS
  void dxfInDone(DxfInFiler& in) override;

 private:
  // The fields of the hatch group in the order of the file; a tag the
  // platform does not know is written after the field it followed.
  enum Slot {
    kAtStart, kAtElevation, kAtNormal, kAtName, kAtSolid, kAtAssociative, kAtPaths, kAtStyle, kAtType, kAtAngle,
    kAtScale, kAtDouble, kAtLines, kAtPixelSize, kAtSeeds, kSlotCount
  };
  struct PatternLine {
    double angle = 0.0;  // degrees, as the file has it
    double baseX = 0.0, baseY = 0.0, offsetX = 0.0, offsetY = 0.0;
    std::vector<double> dashes;
  };
  struct CarriedTag {
    Slot after;
    DxfOwnedTag tag;
  };

  // Open for write; from now on the group is written from the fields.
  bool edit();
  void keepGroupText();
  AcGePoint2d inPlane(const AcGePoint3d& world) const;
  Acad::ErrorStatus polylineLoop(const AcDbPolyline& outline, Adesk::Int32 loopType, HatchLoop& loop) const;
  Acad::ErrorStatus loopFrom(AcDbObjectId id, Adesk::Int32 loopType, HatchLoop& loop) const;
  Acad::ErrorStatus appendLoop(HatchLoop loop);
  void makePatternLines();
  AcDbExtents loopExtents() const;
  void readGroup(DxfInFiler& in);
  // The field the tag sets, kSlotCount for a tag the platform does not know.
  Slot readField(DxfInFiler& in, Slot last);
  size_t readPaths(size_t index, DxfInFiler& in);
  size_t readPatternLines(size_t index, DxfInFiler& in);
  size_t readSeeds(size_t index, DxfInFiler& in);
  void writeSlot(Slot slot, DxfOutFiler& out) const;

  AcGePoint3d m_elevation;  // x and y as the file has them
  AcGeVector3d m_normal = AcGeVector3d::kZAxis;
  std::wstring m_patternName = L"SOLID";
  HatchPatternType m_patternType = kPreDefined;
  HatchStyle m_style = kNormal;
  double m_angle = 0.0;  // degrees
  double m_scale = 1.0;
  double m_pixelSize = 0.0;
  bool m_solid = true;
  bool m_associative = false;
  bool m_double = false;
  std::vector<HatchLoop> m_loops;
  std::vector<PatternLine> m_lines;
  AcGePoint2dArray m_seeds;
  std::vector<CarriedTag> m_carried;
  unsigned int m_slotsRead = 0;
  // Where the group's tags lie in the object's text, while they are as read.
  Adesk::UInt32 m_groupOffset = 0;
  Adesk::UInt32 m_groupLength = 0;
  // The group's tags while the object is read.
  std::vector<DxfTag> m_reading;
};
