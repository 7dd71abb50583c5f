// Draws model space onto a canvas as the host shows it: entities in the
// draw order of their block's sort table, block references with their
// attributes, nested references placed through every level, layers that
// are off or frozen left out.  Entities the platform does not model, and
// those beyond what the drawing may draw, are not drawn, and counted.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "AcGeMatrix3d.h"
#include "EntityBudget.h"
#include "HatchPainter.h"
#include "LinetypeDashes.h"
#include "LinetypeTexts.h"
#include "PointSymbols.h"
#include "RenderStyle.h"
#include "TextPainter.h"
#include "UnboundedLines.h"

class AcDbBlockReference;
class AcDbBlockTableRecord;
class AcDbDatabase;
class AcDbEntity;
class AcDbText;
class AcDbViewport;
class LeaderShape;
class PathData;
class SvgCanvas;

class DrawingRenderer {
 public:
  DrawingRenderer(AcDbDatabase& database, SvgCanvas& canvas);

  void render();
  // A paper space layout's block, its viewports showing model space.
  void renderLayout(AcDbObjectId layoutBlock);
  // What the picture leaves out, by type: "2 LEADER, 1 MLEADER", then
  // those beyond the limit; empty when everything was drawn.
  std::string leftOut() const;
  // Sizes what is drawn relative to the view, once it is known.
  void finish(double viewHeight);

 private:
  struct Placement {
    AcGeMatrix3d toWorld;
    RenderStyle::Context context;
    pugi::xml_node parent;
  };

  void drawBlock(AcDbObjectId block, const Placement& placement);
  void drawEntity(AcDbObjectId entityId, const Placement& placement);
  // The element of an entity that is one shape; empty for other entities.
  pugi::xml_node drawShape(const AcDbEntity& entity, const RenderStyle::Look& look, const Placement& placement);
  // Entities the platform carries as read, drawn from their tags; those it
  // cannot draw are counted as left out.
  pugi::xml_node drawCarried(const AcDbEntity& entity, const RenderStyle::Look& look, const Placement& placement);
  pugi::xml_node drawLeader(const LeaderShape& leader, const RenderStyle::Look& look, const Placement& placement);
  // Strokes a line in its colour and dashes, as wide as the entity is.
  void stroke(pugi::xml_node element, const AcDbEntity& entity, const RenderStyle::Look& look,
              const Placement& placement);
  // The texts of the entity's linetype along its path, after its element.
  void addLinetypeTexts(const PathData& path, const AcDbEntity& entity, const RenderStyle::Look& look,
                        const Placement& placement);
  pugi::xml_node drawText(const AcDbText& text, std::string_view characters, const std::string& colour,
                          const Placement& placement);
  // The viewport's frame, and model space within it unless it is the
  // sheet's own viewport, off, or on a frozen layer.
  pugi::xml_node drawViewport(const AcDbViewport& viewport, const RenderStyle::Look& look,
                              const Placement& placement);
  // A grid of copies for a multiple reference.
  pugi::xml_node drawReference(const AcDbBlockReference& reference, const RenderStyle::Look& look,
                               const Placement& placement);
  pugi::xml_node drawCopy(const AcDbBlockReference& reference, const RenderStyle::Look& look,
                          const Placement& placement);
  static bool showsWipeoutFrames(AcDbDatabase& database);
  // A group holding the block's entities placed by toWorld, coloured by
  // block and on layer "0" as the entity that shows them.
  pugi::xml_node drawContents(AcDbObjectId block, const RenderStyle::Look& look, const Placement& placement,
                              const AcGeMatrix3d& toWorld);
  static AcDbObjectIdArray drawOrder(const AcDbBlockTableRecord& block);
  static void name(pugi::xml_node element, const AcDbEntity& entity);

  AcDbDatabase& m_database;
  SvgCanvas& m_canvas;
  RenderStyle m_style;
  EntityBudget m_budget;
  TextPainter m_texts;
  HatchPainter m_hatches;
  LinetypeDashes m_dashes;
  LinetypeTexts m_linetypeTexts;
  UnboundedLines m_unbounded;
  PointSymbols m_points;
  bool m_wipeoutFrames;
  // The blocks being drawn, outermost first: a block that holds a
  // reference to itself is drawn once.
  std::vector<AcDbObjectId> m_drawing;
  std::map<std::string, size_t> m_leftOut;
};
