// The shapes of exported spaces: the representation contexts, a footprint
// (outline, voids and added areas as curves in plan) and a body extruded
// from it by the room height, styled transparent so that a viewer shows
// what lies behind a space.
#pragma once

#include <vector>

class CIfcFootprint;
class CIfcOutline;
class CStepFile;

class CIfcShapes {
 public:
  explicit CIfcShapes(CStepFile& file);

  // The context the project names.
  int context() const { return m_context; }
  // The placement at the origin that products and solids share.
  int origin() const { return m_origin; }
  // A product shape: the footprint always, the body when depth (drawing
  // units) is above 0.
  int shapeOf(const CIfcFootprint& footprint, double depth);

 private:
  int curve(const CIfcOutline& outline);
  int profile(int outer, const std::vector<int>& inner);
  int solid(int profile, double depth);
  void writeStyle();

  CStepFile& m_file;
  int m_context = 0;
  int m_bodyContext = 0;
  int m_footprintContext = 0;
  int m_origin = 0;
  int m_up = 0;
  int m_style = 0;
};
